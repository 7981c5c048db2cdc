#include "gui/output/ballotreportpage.h"

#include "core/base/operatortext.h"
#include "gui/output/reportpagetools.h"
#include "gui/ui/listtable.h"

#include <QComboBox>
#include <QDate>
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
    // Light captions on the dark picture of the meeting records.
    setStyleSheet(QStringLiteral("QLabel { color: #e8eef6; }"));
    auto *caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("IDC_STATIC_SETOVETYPE"));
    caption->setGeometry(0, 0, 100, 30);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_categories->setGeometry(108, 0, 200, 30);
    m_categories->addItems(
        m_texts.catalogue().family(QStringLiteral("FrmVoteput"), QStringLiteral("MsgResult"), 1, 4));
    m_title->setGeometry(320, 0, 498, 30);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(QStringLiteral("font-size: 13pt; font-weight: bold; color: #ffffff;"));
    m_list->setGeometry(0, 36, 818, 480);
    m_note->setGeometry(0, 522, 818, 44);
    m_note->setWordWrap(true);
    m_note->setStyleSheet(QStringLiteral("color: #ffb4a8;"));

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
    connect(button(Control::Export), &QPushButton::clicked, this, [this] {
        const QString path =
            ReportPageTools::chooseSheetPath(this, m_texts.catalogue(), button(Control::Export)->text(),
                                             m_controller.meetingName() + u" " + m_controller.table().title);
        if (!path.isEmpty())
            m_controller.exportTo(path);
    });
    connect(button(Control::Print), &QPushButton::clicked, this, [this] {
        ReportPageTools::preview(this, m_controller.document(QDate::currentDate()),
                                 m_controller.meetingName() + u" " + m_controller.table().title,
                                 m_texts.catalogue(), m_notifier);
    });
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
    m_list->setColumns(table.headings, table.columnPixels);
    m_list->setRows(table.rows);
    m_note->setText(m_controller.unrecognised() > 0
                        ? m_texts.catalogue().resolve(OperatorText::catalogue(
                              QStringLiteral("FrmVoteput"), QStringLiteral("MsgUnknown"),
                              {QString::number(m_controller.unrecognised())}))
                        : QString());
    button(Control::ViewAll)->setEnabled(m_controller.votedOnly());
    button(Control::ViewVoted)->setEnabled(!m_controller.votedOnly());
    button(Control::Print)->setEnabled(m_controller.printable());
}
