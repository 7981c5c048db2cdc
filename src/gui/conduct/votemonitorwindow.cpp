#include "gui/conduct/votemonitorwindow.h"

#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/shell/windowplacement.h"
#include "gui/ui/columnfit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {
constexpr int NumberWidth = 40;
constexpr int NameWidth = 84;
constexpr int StatusWidth = 62;
} // namespace

VoteMonitorWindow::Cell VoteMonitorWindow::cellOf(int keypad)
{
    return {(keypad - 1) % Rows, (keypad - 1) / Rows};
}

VoteMonitorWindow::VoteMonitorWindow(const Link &link, const TextCatalogue &catalogue,
                                     std::function<VoteType()> typeOf, std::function<QString(int)> nameOf,
                                     QWidget *parent)
    : QWidget(parent, Qt::Window), m_link(link), m_texts(catalogue, QStringLiteral("FrmMeeVote")),
      m_typeOf(std::move(typeOf)), m_nameOf(std::move(nameOf)), m_list(new QTableWidget(this)),
      m_timer(new QTimer(this))
{
    setWindowTitle(m_texts.text(QStringLiteral("BtnMonitor")));
    setFixedSize(WindowPlacement::HubSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xfa));
    setPalette(palette);

    m_list->setGeometry(0, 10, 1024, 630);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(20);
    m_list->verticalHeader()->setDefaultSectionSize(25);

    auto *close = new QPushButton(m_texts.text(QStringLiteral("BtnMonClose")), this);
    close->setGeometry(412, 650, 200, 30);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &VoteMonitorWindow::refresh);
    m_timer->start();
    rebuild();
}

// An empty first column, then a group of number, name and status per 22 keypads. Eight groups show the
// first 176 keypads; a larger hall gets more groups, so no keypad is left out of the watch.
void VoteMonitorWindow::rebuild()
{
    const int keypads = m_link.settings().keypadCount;
    const int groups = std::max(MinimumGroups, (keypads + Rows - 1) / Rows);
    m_list->clear();
    m_list->setColumnCount(1 + 3 * groups);
    m_list->setRowCount(std::min(keypads, Rows));
    QStringList headers{QString()};
    QList<int> widths{0};
    for (int g = 0; g < groups; ++g) {
        headers << m_texts.texts(
            {QStringLiteral("MonKeypad"), QStringLiteral("MonName"), QStringLiteral("MonStatus")});
        widths << NumberWidth << NameWidth << StatusWidth;
    }
    m_list->setHorizontalHeaderLabels(headers);
    for (int n = 1; n <= keypads; ++n) {
        const Cell cell = cellOf(n);
        for (int c = 1; c <= 3; ++c)
            m_list->setItem(cell.row, c + 3 * cell.group, new QTableWidgetItem);
        m_list->item(cell.row, 1 + 3 * cell.group)->setText(QString::number(n));
    }
    refresh();
    ColumnFit::fit(*m_list, widths);
}

// Escape closes the monitor. Left to the parent it reached the conference, whose Escape is its exit
// button: refused with "a ballot is running" while the operator only wanted the monitor gone.
void VoteMonitorWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void VoteMonitorWindow::refresh()
{
    const int keypads = m_link.settings().keypadCount;
    if (m_list->rowCount() != std::min(keypads, Rows) ||
        m_list->columnCount() < 1 + 3 * ((keypads + Rows - 1) / Rows)) {
        rebuild();
        return;
    }
    const VoteType type = m_typeOf();
    const QString pressed = m_texts.text(QStringLiteral("MonPressed"));
    for (int n = 1; n <= keypads; ++n) {
        const Cell cell = cellOf(n);
        m_list->item(cell.row, 2 + 3 * cell.group)->setText(m_nameOf(n));
        m_list->item(cell.row, 3 + 3 * cell.group)
            ->setText(VotingController::monitorStatus(type, m_link.table().at(n).keyCode, pressed));
    }
}
