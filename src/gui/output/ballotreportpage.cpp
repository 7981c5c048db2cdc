#include "gui/output/ballotreportpage.h"

#include "core/base/operatortext.h"
#include "gui/output/reportpagetools.h"
#include "gui/ui/listtable.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

BallotReportPage::BallotReportPage(const DataRoot &root, const TextCatalogue &catalogue,
                                   OperatorNotifier &notifier, QWidget *parent)
    : QWidget(parent), m_texts(catalogue, QStringLiteral("FrmVoteput")), m_notifier(notifier),
      m_controller(root, ReportLanguages::fromRoot(root, catalogue), notifier),
      m_categories(new QComboBox(this)), m_title(new QLabel(this)), m_list(new ListTable(this)),
      m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmVoteput"));
    ReportPageTools::styleForPanel(this, m_title);
    auto *caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("IDC_STATIC_SETOVETYPE"));
    caption->setGeometry(0, 0, 100, 30);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_categories->setGeometry(108, 0, 200, 30);
    m_categories->addItems(
        m_texts.catalogue().family(QStringLiteral("FrmVoteput"), QStringLiteral("MsgResult"), 1, 4));
    m_title->setGeometry(320, 0, 498, 30);
    m_list->setGeometry(0, 36, 818, 480);
    m_note->setGeometry(0, 522, 818, 44);
    m_note->setWordWrap(true);
    m_note->setStyleSheet(QStringLiteral("color: #b42318;"));

    const char *keys[] = {"IDC_VIEWALL_BUTTON", "IDC_VIEWVOTE_BUTTON", "IDC_EXPORTEXC_BUTTON",
                          "IDC_BUTTON_PRINT"};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(keys[i]));
        button->setGeometry(i * 150 + (i >= 2 ? 60 : 0), 580, 130, 34);
        m_buttons.append(button);
    }
    connect(m_categories, &QComboBox::activated, this, [this](int index) {
        m_controller.setCategory(BallotReportController::Category(index + 1));
        refresh();
    });
    connect(button(Control::ViewAll), &QPushButton::clicked, this, [this] {
        m_controller.viewAll();
        refresh();
    });
    connect(button(Control::ViewVoted), &QPushButton::clicked, this, [this] {
        m_controller.viewVoted();
        refresh();
    });
    ReportPageTools::connectExportAndPrint(this, button(Control::Export), button(Control::Print),
                                           m_controller, m_texts.catalogue(), m_notifier);
    m_texts.apply(this, QString());
    refresh();
}

QPushButton *BallotReportPage::button(Control control) const
{
    return m_buttons[int(control)];
}

void BallotReportPage::setMeeting(const QString &meetingName)
{
    m_controller.setMeeting(meetingName);
    refresh();
}

void BallotReportPage::refresh()
{
    const ReportTable &table = m_controller.table();
    m_categories->setCurrentIndex(int(m_controller.category()) - 1);
    m_title->setText(table.title);
    ReportPageTools::showTable(m_list, table);
    m_note->setText(m_controller.unrecognised() > 0
                        ? m_texts.catalogue().resolve(OperatorText::catalogue(
                              QStringLiteral("FrmVoteput"), QStringLiteral("MsgUnknown"),
                              {QString::number(m_controller.unrecognised())}))
                        : QString());
    button(Control::ViewAll)->setEnabled(m_controller.votedOnly());
    button(Control::ViewVoted)->setEnabled(!m_controller.votedOnly());
    button(Control::Print)->setEnabled(m_controller.printable());
}
