#include "gui/output/resultwindow.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/counting/votetypetable.h"
#include "core/output/hallscreen.h"
#include "gui/output/chartview.h"
#include "gui/ui/windowtexts.h"

namespace {

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

ResultWindow::ResultWindow(const StoredResult &stored, HallScreen &hall, const TextCatalogue &catalogue,
                           QWidget *parent)
    : QDialog(parent), m_hall(hall), m_controller(ResultViewTexts::lookUp(catalogue.lookup())),
      m_chartView(new ChartView(&m_chart, this)), m_motion(valueLabel(QStringLiteral("motionName"), this)),
      m_type(valueLabel(QStringLiteral("voteType"), this)),
      m_time(valueLabel(QStringLiteral("pollTime"), this)),
      m_explanation(valueLabel(QStringLiteral("explainedVerdict"), this)), m_views(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("FrmResult"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The meeting heads the window; the motion's particulars and the views sit beside the chart.
    m_meeting = new QLabel(this);
    m_meeting->setObjectName(QStringLiteral("meetingName"));
    QFont heading = m_meeting->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.35);
    m_meeting->setFont(heading);

    auto *details = new QGroupBox(this);
    auto *form = new QFormLayout(details);
    form->setLabelAlignment(Qt::AlignRight);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    auto *motionCaption = new QLabel(details);
    motionCaption->setObjectName(QStringLiteral("IDC_VOTE_NAME"));
    form->addRow(motionCaption, m_motion);
    auto *typeCaption = new QLabel(details);
    typeCaption->setObjectName(QStringLiteral("IDC_STATIC_VOTETYPE"));
    form->addRow(typeCaption, m_type);
    static const std::array<const char16_t *, ResultViewController::CandidateCount> candidateKeys{
        u"IDC_STATIC_CANDIDATE1", u"IDC_STATIC_CANDIDATE2", u"IDC_STATIC_CANDIDATE3",
        u"IDC_STATIC_CANDIDATE4", u"IDC_STATIC_CANDIDATE5"};
    for (size_t i = 0; i < candidateKeys.size(); ++i) {
        m_candidateCaptions[i] = new QLabel(details);
        m_candidateCaptions[i]->setObjectName(QString::fromUtf16(candidateKeys[i]));
        m_candidates[i] = valueLabel(QStringLiteral("candidate%1").arg(i + 1), details);
        form->addRow(m_candidateCaptions[i], m_candidates[i]);
    }
    auto *timeCaption = new QLabel(details);
    timeCaption->setObjectName(QStringLiteral("IDC_STATIC_POLLTIME"));
    form->addRow(timeCaption, m_time);

    auto *viewBox = new QGroupBox(this);
    auto *viewLayout = new QVBoxLayout(viewBox);
    const std::pair<ResultStyle, QString> views[] = {
        {ResultStyle::Table, QStringLiteral("IDC_RADIO_TEXTDRAW")},
        {ResultStyle::Bar, QStringLiteral("IDC_RADIO_HISTDRAW")},
        {ResultStyle::Pie, QStringLiteral("IDC_RADIO_FANDRAW")}};
    for (const auto &[style, key] : views) {
        auto *button = new QRadioButton(viewBox);
        button->setObjectName(key);
        m_views->addButton(button, int(style));
        viewLayout->addWidget(button);
    }
    connect(m_views, &QButtonGroup::idClicked, this, [this](int id) { showView(ResultStyle(id)); });

    // The hall always follows the window's own chart, so the button that once sent a view is never shown.
    auto *send = new QPushButton(this);
    send->setObjectName(QStringLiteral("IDC_BNT_SENSCR"));
    send->hide();
    auto *close = new QPushButton(this);
    close->setObjectName(QStringLiteral("IDC_RESULT_EXIT"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *side = new QVBoxLayout;
    side->addWidget(details);
    side->addWidget(viewBox);
    side->addStretch(1);

    m_chartView->setFixedSize(640, 480);
    auto *body = new QHBoxLayout;
    body->setSpacing(12);
    body->addLayout(side, 1);
    body->addWidget(m_chartView, 0, Qt::AlignTop);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(send);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(m_meeting);
    layout->addLayout(body);
    // How the verdict came about, under the chart, in the operator's language.
    m_explanation->setWordWrap(true);
    QFont sentence = m_explanation->font();
    sentence.setPointSizeF(sentence.pointSizeF() * 1.15);
    m_explanation->setFont(sentence);
    layout->addWidget(m_explanation);
    layout->addLayout(buttons);
    setMinimumWidth(1000);
    close->setMinimumWidth(110);

    const WindowTexts texts(catalogue, QStringLiteral("FrmResult"));
    texts.apply(this, QString());
    setWindowTitle(m_controller.windowTitle());

    // The hall shows the chart pane at its size for as long as the window is open, and after.
    m_controller.addChart(&m_chart);
    m_controller.addChart(&hall.chart());
    if (stored.screenSize.isValid() && stored.screenSize != hall.geometry().size())
        hall.setGeometry(QRect(hall.geometry().topLeft(), stored.screenSize), hall.background(),
                         hall.textColour());
    hall.show(HallScreen::Pane::Chart);
    m_controller.open(stored);
    fillFields();
    reflectStyle();
}

void ResultWindow::open(QWidget *parent, const StoredResult &stored, HallScreen &hall,
                        const TextCatalogue &catalogue)
{
    ResultWindow window(stored, hall, catalogue, parent);
    window.exec();
}

QRadioButton *ResultWindow::viewButton(ResultStyle style) const
{
    return qobject_cast<QRadioButton *>(m_views->button(int(style)));
}

void ResultWindow::showView(ResultStyle style)
{
    m_controller.showView(style);
    reflectStyle();
}

void ResultWindow::fillFields()
{
    const StoredResult &stored = m_controller.stored();
    m_meeting->setText(stored.meetingName);
    m_motion->setText(stored.motionName);
    m_type->setText(m_controller.typeText());
    m_time->setText(stored.pollTime);
    m_explanation->setText(stored.explanation);
    m_explanation->setVisible(!stored.explanation.isEmpty());
    const int shown = VoteTypeTable::info(stored.type).candidateCount();
    const QStringList names = m_controller.candidateNames();
    for (int i = 0; i < ResultViewController::CandidateCount; ++i) {
        m_candidates[size_t(i)]->setText(names.value(i));
        m_candidateCaptions[size_t(i)]->setVisible(i < shown);
        m_candidates[size_t(i)]->setVisible(i < shown);
    }
    // A scoring has only its table.
    for (ResultStyle style : {ResultStyle::Bar, ResultStyle::Pie})
        viewButton(style)->setEnabled(m_controller.effectiveStyle(style) == style);
}

void ResultWindow::reflectStyle()
{
    viewButton(m_controller.currentStyle())->setChecked(true);
}
