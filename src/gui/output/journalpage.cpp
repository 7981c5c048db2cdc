#include "gui/output/journalpage.h"

#include "gui/output/reportpagetools.h"
#include "gui/ui/listtable.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

JournalPage::JournalPage(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier,
                         QWidget *parent)
    : QWidget(parent), m_texts(catalogue, QStringLiteral("FrmJournal")),
      m_controller(root, catalogue, notifier), m_motions(new QComboBox(this)), m_entries(new ListTable(this)),
      m_chain(new QLabel(this)), m_ballots(new ListTable(this))
{
    setObjectName(QStringLiteral("FrmJournal"));
    // Captions as on the meeting records' light panel (ReportPageTools::styleForPanel).
    setStyleSheet(QStringLiteral("QLabel { color: #1e3a5f; }"));
    auto *caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("IDC_STATIC_MOTION"));
    caption->setGeometry(0, 0, 80, 30);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_motions->setGeometry(88, 0, 250, 30);
    const char *keys[] = {"IDC_JOURNAL_VERIFY", "IDC_JOURNAL_CSV", "IDC_JOURNAL_PDF"};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(keys[i]));
        button->setGeometry(360 + i * 152, 0, 140, 30);
        m_buttons.append(button);
    }
    m_entries->setGeometry(0, 38, 818, 330);
    m_chain->setGeometry(0, 372, 818, 40);
    m_chain->setWordWrap(true);
    m_chain->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_ballots->setGeometry(0, 416, 818, 200);

    connect(m_motions, &QComboBox::activated, this, [this](int index) {
        m_controller.setMotionFilter(index <= 0 ? QString() : m_motions->itemText(index));
        refresh();
    });
    connect(button(Control::Verify), &QPushButton::clicked, this, [this] {
        m_controller.verify();
        refresh();
    });
    connect(button(Control::ExportSheet), &QPushButton::clicked, this, [this] {
        const QString path = ReportPageTools::chooseSheetPath(
            this, m_texts.catalogue(), button(Control::ExportSheet)->text(), m_controller.entries().title);
        if (!path.isEmpty())
            m_controller.exportSheet(path);
    });
    connect(button(Control::ExportPdf), &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, button(Control::ExportPdf)->text(),
                                                          m_controller.entries().title + u".pdf",
                                                          QStringLiteral("PDF (*.pdf)"));
        if (!path.isEmpty())
            m_controller.exportPdf(path);
    });
    m_texts.apply(this, QString());
    refresh();
}

QPushButton *JournalPage::button(Control control) const
{
    return m_buttons[int(control)];
}

void JournalPage::setMeeting(const QString &meetingName)
{
    m_controller.setMeeting(meetingName);
    m_motions->clear();
    m_motions->addItem(m_texts.text(QStringLiteral("AllMotions")));
    m_motions->addItems(m_controller.motions());
    refresh();
}

void JournalPage::refresh()
{
    ReportPageTools::showTable(m_entries, m_controller.entries());
    m_chain->setText(m_controller.chainText());
    m_chain->setStyleSheet(m_controller.isVerified() && !m_controller.report().allMatch()
                               ? QStringLiteral("font-weight: bold; color: #b42318;")
                               : QStringLiteral("font-weight: bold; color: #1a7f37;"));
    ReportPageTools::showTable(m_ballots, m_controller.ballots());
    m_ballots->setVisible(m_controller.isVerified());
    const bool chosen = !m_controller.meetingName().isEmpty();
    for (QPushButton *b : m_buttons)
        b->setEnabled(chosen);
}
