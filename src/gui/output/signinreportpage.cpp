#include "gui/output/signinreportpage.h"

#include "gui/output/reportpagetools.h"
#include "gui/ui/listtable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SignInReportPage::SignInReportPage(const DataRoot &root, const TextCatalogue &catalogue,
                                   OperatorNotifier &notifier, QWidget *parent)
    : QWidget(parent), m_texts(catalogue, QStringLiteral("FrmRegque")), m_notifier(notifier),
      m_controller(root, ReportLanguages::fromRoot(root, catalogue), notifier), m_title(new QLabel(this)),
      m_list(new ListTable(this)), m_due(new QLineEdit(this)), m_present(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FrmRegque"));
    ReportPageTools::styleForPanel(this, m_title);
    m_title->setGeometry(0, 0, 818, 30);
    m_list->setGeometry(0, 36, 818, 480);

    struct Count
    {
        const char *caption;
        QLineEdit *field;
        const char *unit;
        int left;
    };
    for (const Count &count : {Count{"IDC_STATIC_YDRS", m_due, "IDC_STATIC_YDRSP", 0},
                               Count{"IDC_STATIC_SDRS", m_present, "IDC_STATIC_SDRSP", 260}}) {
        auto *caption = new QLabel(this);
        caption->setObjectName(QLatin1String(count.caption));
        caption->setGeometry(count.left, 530, 110, 28);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        count.field->setGeometry(count.left + 118, 530, 50, 28);
        count.field->setReadOnly(true);
        count.field->setAlignment(Qt::AlignCenter);
        auto *unit = new QLabel(this);
        unit->setObjectName(QLatin1String(count.unit));
        unit->setGeometry(count.left + 174, 530, 70, 28);
    }

    const char *keys[] = {"IDC_DUE_PSL", "IDC_ESSE_PSL", "IDC_LACK_PSL", "IDC_EXPORT_PSL",
                          "IDC_BUTTON_PRINT"};
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(keys[i]));
        button->setGeometry(i * 150 + (i >= 3 ? 60 : 0), 580, 130, 34);
        m_buttons.append(button);
    }
    connect(button(Control::Due), &QPushButton::clicked, this,
            [this] { show(SignInReportController::List::Due); });
    connect(button(Control::Present), &QPushButton::clicked, this,
            [this] { show(SignInReportController::List::Present); });
    connect(button(Control::Absent), &QPushButton::clicked, this,
            [this] { show(SignInReportController::List::Absent); });
    ReportPageTools::connectExportAndPrint(this, button(Control::Export), button(Control::Print),
                                           m_controller, m_texts.catalogue(), m_notifier);
    m_texts.apply(this, QString());
}

QPushButton *SignInReportPage::button(Control control) const
{
    return m_buttons[int(control)];
}

QString SignInReportPage::dueText() const
{
    return m_due->text();
}

QString SignInReportPage::presentText() const
{
    return m_present->text();
}

void SignInReportPage::setMeeting(const QString &meetingName)
{
    m_controller.setMeeting(meetingName);
    refresh();
}

void SignInReportPage::show(SignInReportController::List list)
{
    m_controller.show(list);
    refresh();
}

void SignInReportPage::refresh()
{
    const ReportTable &table = m_controller.table();
    m_title->setText(table.title);
    ReportPageTools::showTable(m_list, table);
    m_due->setText(QString::number(m_controller.dueCount()));
    m_present->setText(QString::number(m_controller.presentCount()));
    const SignInReportController::List list = m_controller.list();
    button(Control::Due)->setEnabled(list != SignInReportController::List::Due);
    button(Control::Present)->setEnabled(list != SignInReportController::List::Present);
    button(Control::Absent)->setEnabled(list != SignInReportController::List::Absent);
}
