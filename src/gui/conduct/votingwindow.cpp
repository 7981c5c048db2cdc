#include "gui/conduct/votingwindow.h"

#include "core/conduct/votingcontroller.h"
#include "gui/output/chartview.h"
#include "gui/ui/columnfit.h"
#include "gui/ui/conductstatusbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>

namespace {
const QColor PageColour(235, 233, 238);
const QList<int> ListWidths{30, 580, 100, 80};
const QColor FigureColour(216, 1, 1);

void paintFigure(QLabel *label)
{
    label->setFont(QFont(QStringLiteral("Arial"), 10));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, FigureColour);
    label->setPalette(palette);
}

QCheckBox *checkBox(QWidget *parent, const QString &objectName, const QRect &place)
{
    auto *box = new QCheckBox(parent);
    box->setObjectName(objectName);
    box->setGeometry(place);
    return box;
}

// Selects the item with exactly this text; no match leaves the combo as it was.
void selectText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
}
} // namespace

VotingWindow::VotingWindow(VotingController &controller, const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmMeeVote")),
      m_list(new QTableWidget(this))
{
    setObjectName(QStringLiteral("FrmMeeVote"));
    setFixedSize(PageSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, PageColour);
    setPalette(palette);
    build();
    m_texts.apply(this, QString());

    connect(&controller, &VotingController::changed, this, &VotingWindow::refreshState);
    refreshState();
}

void VotingWindow::build()
{
    // The four columns and a vertical scroll bar, without a horizontal one.
    m_list->setGeometry(6, 10, 805, 226);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->setColumnCount(4);
    m_list->setHorizontalHeaderLabels({QString(), m_texts.text(QStringLiteral("LisOveOne")),
                                       m_texts.text(QStringLiteral("LisOveTwo")),
                                       m_texts.text(QStringLiteral("LisOveThree"))});
    ColumnFit::fit(*m_list, ListWidths);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &VotingWindow::onSelectionChanged);

    // The meeting's due and present counts as the last sign-in left them.
    const char *countKeys[] = {"IDC_VOTE_STATIC1", "IDC_VOTE_STATIC2"};
    for (int i = 0; i < 2; ++i) {
        auto *caption = new QLabel(this);
        caption->setObjectName(QLatin1String(countKeys[i]));
        caption->setGeometry(10 + i * 170, 244, 90, 24);
        m_counts[i] = new QLabel(this);
        m_counts[i]->setGeometry(104 + i * 170, 244, 60, 24);
        paintFigure(m_counts[i]);
    }

    buildOptions();

    m_preview = new ChartView(&m_controller.preview(), this);
    m_preview->setGeometry(420, 276, 385, 300);
    m_verdict = new QLabel(this);
    m_verdict->setGeometry(420, 580, 385, 24);
    m_verdict->setAlignment(Qt::AlignCenter);
    QFont verdictFont = m_verdict->font();
    verdictFont.setBold(true);
    m_verdict->setFont(verdictFont);
    // Under the options: a lost base station, keypads off the roster, the final pass.
    m_status = new ConductStatusBar(m_controller.link(), m_texts.catalogue(), this);
    m_status->setGeometry(10, 552, 400, 62);

    struct Place
    {
        Control control;
        const char *key;
    };
    const Place places[] = {{Control::Candidates, "IDC_SHOWSELE_BUTTON"},
                            {Control::Start, nullptr},
                            {Control::Stop, nullptr},
                            {Control::QueryResult, "IDC_QUERY_REAULT"},
                            {Control::Monitor, nullptr},
                            {Control::ShowMotion, nullptr}};
    int x = 10;
    for (const Place &place : places) {
        auto *button = new QPushButton(this);
        if (place.key)
            button->setObjectName(QLatin1String(place.key));
        button->setGeometry(x, PageSize.height() - 60, 128, 44);
        x += 134;
        m_buttons.append({place.control, button});
    }
    button(Control::Monitor)->setText(m_texts.text(QStringLiteral("BtnMonitor")));
    button(Control::ShowMotion)->setText(m_texts.text(QStringLiteral("BtnShowMotion")));

    VotingController &c = m_controller;
    connect(button(Control::Start), &QPushButton::clicked, &c, &VotingController::start);
    connect(button(Control::Stop), &QPushButton::clicked, &c, &VotingController::stop);
    connect(button(Control::Candidates), &QPushButton::clicked, this, &VotingWindow::candidatesRequested);
    connect(button(Control::QueryResult), &QPushButton::clicked, this, &VotingWindow::resultRequested);
    connect(button(Control::Monitor), &QPushButton::clicked, this, &VotingWindow::monitorRequested);
    connect(button(Control::ShowMotion), &QPushButton::clicked, &c, &VotingController::showMotionOnHall);
}

void VotingWindow::buildOptions()
{
    m_options = new QGroupBox(this);
    m_options->setGeometry(10, 276, 400, 272);

    auto *baseCaption = new QLabel(m_options);
    baseCaption->setObjectName(QStringLiteral("IDC_STATIC_BASE"));
    baseCaption->setGeometry(12, 14, 170, 26);
    m_base = new QComboBox(m_options);
    m_base->setGeometry(186, 14, 200, 26);
    m_base->addItems(m_texts.texts({QStringLiteral("cbBaseOne"), QStringLiteral("cbBaseTwo")}));

    auto *passCaption = new QLabel(m_options);
    passCaption->setObjectName(QStringLiteral("IDC_STATIC_ABET"));
    passCaption->setGeometry(12, 48, 170, 26);
    m_passRule = new QComboBox(m_options);
    m_passRule->setGeometry(186, 48, 200, 26);
    m_passRule->addItems(m_texts.texts({QStringLiteral("cbAbetOne"), QStringLiteral("cbAbetTwo")}));

    m_threshold = new QSlider(Qt::Horizontal, m_options);
    m_threshold->setGeometry(12, 84, 300, 26);
    m_threshold->setRange(0, 100);
    m_threshold->setValue(50);
    m_thresholdText = new QLabel(m_options);
    m_thresholdText->setGeometry(320, 84, 40, 26);
    m_thresholdText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    paintFigure(m_thresholdText);
    auto *percent = new QLabel(QStringLiteral("%"), m_options);
    percent->setGeometry(364, 84, 20, 26);

    m_unit = checkBox(m_options, QStringLiteral("IDC_CHECK_UNITE"), QRect(12, 118, 376, 24));
    m_showPercentages = checkBox(m_options, QStringLiteral("IDC_CHECK_VIEWPRE"), QRect(12, 146, 376, 24));
    m_showVerdict = checkBox(m_options, QStringLiteral("IDC_CHECK_VIEWPASS"), QRect(12, 174, 376, 24));
    m_liveDisplay = checkBox(m_options, QString(), QRect(12, 202, 376, 24));
    m_liveDisplay->setText(m_texts.text(QStringLiteral("BtnLiveDisplay")));
    m_timeLimit = checkBox(m_options, QStringLiteral("IDC_VOTETIMEL_CHECK"), QRect(12, 240, 170, 26));
    m_seconds = new QComboBox(m_options);
    m_seconds->setGeometry(186, 240, 110, 26);
    m_seconds->addItems(VotingController::timeLimitChoices());
    auto *secondsUnit = new QLabel(m_options);
    secondsUnit->setObjectName(QStringLiteral("IDC_STATIC_SEC"));
    secondsUnit->setGeometry(302, 240, 90, 26);

    VotingController &c = m_controller;
    connect(m_base, &QComboBox::textActivated, &c, &VotingController::setBase);
    connect(m_passRule, &QComboBox::textActivated, &c, &VotingController::setPassRule);
    connect(m_threshold, &QSlider::valueChanged, &c, &VotingController::setThreshold);
    connect(m_unit, &QCheckBox::clicked, &c, &VotingController::setUnit);
    connect(m_showPercentages, &QCheckBox::clicked, &c, &VotingController::setShowPercentages);
    connect(m_showVerdict, &QCheckBox::clicked, &c, &VotingController::setShowVerdict);
    connect(m_liveDisplay, &QCheckBox::clicked, &c, &VotingController::setLiveDisplay);
    connect(m_timeLimit, &QCheckBox::clicked, &c, &VotingController::setTimeLimit);
    connect(m_seconds, &QComboBox::textActivated, &c, &VotingController::setTimeLimitSeconds);
}

void VotingWindow::setCandidateWindowAvailable(bool available)
{
    m_candidateWindow = available;
    refreshState();
}

void VotingWindow::setResultWindowAvailable(bool available)
{
    m_resultWindow = available;
    refreshState();
}

QPushButton *VotingWindow::button(Control control) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == control)
            return button;
    return nullptr;
}

QString VotingWindow::countText(int which) const
{
    return m_counts[which]->text();
}

void VotingWindow::onSelectionChanged()
{
    const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
    m_controller.selectMotion(ranges.isEmpty() ? -1 : ranges.constFirst().topRow());
}

// Row number from 1, name, type and state of every motion in the order they were created.
void VotingWindow::fillMotions()
{
    const MotionList &motions = m_controller.motions();
    const QSignalBlocker blocker(m_list);
    m_list->clearContents();
    m_list->setRowCount(int(motions.size()));
    for (int i = 0; i < motions.size(); ++i) {
        const QString cells[] = {QString::number(i + 1), motions.OveName[i], motions.OveType.value(i),
                                 motions.VoteState.value(i)};
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(i, c, item);
        }
    }
    m_shownMotions = motions.OveName + motions.OveType + motions.VoteState;
    ColumnFit::fit(*m_list, ListWidths);
}

void VotingWindow::refreshState()
{
    const VotingController &c = m_controller;
    const MotionList &motions = c.motions();
    if (motions.OveName + motions.OveType + motions.VoteState != m_shownMotions)
        fillMotions();
    {
        const QSignalBlocker blocker(m_list);
        const int row = c.selectedRow();
        if (row < 0)
            m_list->clearSelection();
        else if (m_list->selectedRanges().isEmpty() || m_list->selectedRanges().constFirst().topRow() != row)
            m_list->selectRow(row);
    }
    m_list->setEnabled(c.isListEnabled());
    m_counts[0]->setText(QString::number(c.due()));
    m_counts[1]->setText(QString::number(c.present()));
    m_verdict->setText(c.verdict());

    const bool idle = c.phase() == VotingController::Phase::Idle;
    const bool finalPass = c.phase() == VotingController::Phase::Waiting;
    m_status->showState(
        {!idle, c.isWaitingForBaseStation(), c.strangers(), finalPass, c.finalPassProgress()});
    button(Control::Start)->setText(c.startCaption());
    button(Control::Start)->setEnabled(c.isStartEnabled());
    button(Control::Stop)->setText(c.stopCaption());
    button(Control::Stop)->setEnabled(c.isStopEnabled());
    button(Control::QueryResult)->setEnabled(c.isQueryEnabled() && m_resultWindow);
    button(Control::Candidates)->setEnabled(c.isCandidateListEnabled() && idle && m_candidateWindow);
    button(Control::Monitor)->setEnabled(c.isMonitorEnabled());
    button(Control::ShowMotion)->setEnabled(idle && c.selectedRow() >= 0);
    refreshOptions();
}

void VotingWindow::refreshOptions()
{
    const VotingController &c = m_controller;
    const MotionRecord &motion = c.motion();
    const VotingController::Options options = c.options();
    const QList<QWidget *> editors{m_base,        m_passRule,    m_threshold,
                                   m_unit,        m_seconds,     m_showPercentages,
                                   m_showVerdict, m_liveDisplay, m_timeLimit};
    // What the controller says is shown without being sent back to it.
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(size_t(editors.size()));
    for (QWidget *editor : editors)
        blockers.emplace_back(editor);

    if (c.selectedRow() >= 0) {
        selectText(m_base, motion.VoteBase);
        selectText(m_passRule, motion.VoteAbet);
        bool numeric = false;
        const int threshold = motion.VoteAbetValue.toInt(&numeric);
        if (numeric)
            m_threshold->setValue(threshold);
        selectText(m_seconds, motion.VoteTimelValue);
    }
    m_thresholdText->setText(QString::number(m_threshold->value()));
    m_unit->setChecked(options.unit);
    m_showPercentages->setChecked(options.showPercentages);
    m_showVerdict->setChecked(options.showVerdict);
    m_liveDisplay->setChecked(options.liveDisplay);
    m_timeLimit->setChecked(options.timeLimit);

    const bool settings = c.isSettingsGroupEnabled();
    m_options->setEnabled(c.areOptionsEnabled());
    for (QWidget *w : {static_cast<QWidget *>(m_base), static_cast<QWidget *>(m_passRule),
                       static_cast<QWidget *>(m_threshold), static_cast<QWidget *>(m_unit),
                       static_cast<QWidget *>(m_showVerdict)})
        w->setEnabled(settings);
    m_showPercentages->setEnabled(c.areDisplayOptionsEnabled());
    m_liveDisplay->setEnabled(c.areDisplayOptionsEnabled());
    m_seconds->setEnabled(c.areOptionsEnabled() && options.timeLimit);
}
