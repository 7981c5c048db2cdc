#include "gui/conduct/meetingselectiondialog.h"

#include "core/store/systemdatabase.h"
#include "gui/ui/columnfit.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

MeetingSelectionDialog::MeetingSelectionDialog(SystemDatabase &systemDatabase, const TextCatalogue &catalogue,
                                               QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_systemDatabase(systemDatabase), m_texts(catalogue, QStringLiteral("FrmMeestart")),
      m_list(new QTableWidget(this)), m_ok(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmMeestart"));
    setFixedSize(560, 420);

    auto *prompt = new QLabel(this);
    prompt->setObjectName(QStringLiteral("IDC_STATIC_SETMEECLEW"));
    prompt->setGeometry(20, 14, 520, 24);

    m_list->setGeometry(20, 44, 520, 316);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->setColumnCount(3);
    m_list->setHorizontalHeaderLabels({m_texts.text(QStringLiteral("LisNumber")),
                                       m_texts.text(QStringLiteral("MsgClew2")),
                                       m_texts.text(QStringLiteral("MsgClew3"))});
    m_list->horizontalHeader()->setStretchLastSection(true);

    const MeetingList meetings = m_systemDatabase.listMeetings();
    m_list->setRowCount(int(meetings.size()));
    for (int i = 0; i < meetings.size(); ++i) {
        m_list->setItem(i, 0, new QTableWidgetItem(QString::number(i + 1)));
        m_list->setItem(i, 1, new QTableWidgetItem(meetings.MeeName[i]));
        m_list->setItem(i, 2, new QTableWidgetItem(meetings.DateStart.value(i)));
    }
    ColumnFit::fit(*m_list, {50, 300});

    m_ok->setObjectName(QStringLiteral("IDOK"));
    m_ok->setGeometry(300, 372, 110, 32);
    m_ok->setEnabled(false);
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    cancel->setGeometry(430, 372, 110, 32);
    m_texts.apply(this);

    // A click or the arrow keys choose the row.
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
        choose(ranges.isEmpty() ? -1 : ranges.constFirst().topRow());
    });
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        choose(row);
        if (m_ok->isEnabled())
            accept();
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void MeetingSelectionDialog::choose(int row)
{
    const QTableWidgetItem *name = m_list->item(row, 1);
    m_meeting = MeetingRecord{};
    const bool found = name && m_systemDatabase.readMeeting(name->text(), m_meeting);
    if (!found)
        m_meeting = MeetingRecord{};
    m_ok->setEnabled(found);
}
