#include "gui/conduct/keypadmonitorwindow.h"

#include "core/conduct/keypadmonitorcontroller.h"
#include "core/shell/windowplacement.h"
#include "gui/ui/columnfit.h"
#include "gui/ui/picturebackground.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {
constexpr int NumberWidth = 50;
constexpr int StateWidth = 80;
const QString NotAnswered = QStringLiteral("-----");
} // namespace

KeypadMonitorWindow::KeypadMonitorWindow(KeypadMonitorController &controller, const TextCatalogue &catalogue,
                                         const QString &photoFolder, QWidget *parent)
    : QWidget(parent, Qt::Window), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmLink")),
      m_list(new QTableWidget(this)), m_check(new QPushButton(this)), m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("FrmLink"));
    setFixedSize(WindowPlacement::HubSize);
    setPictureBackground(this, photoFolder + QStringLiteral("/MonitorBmp.bmp"));

    auto *heading = new QLabel(m_texts.text(QStringLiteral("DlgName")), this);
    QFont headingFont = heading->font();
    headingFont.setPointSize(16);
    heading->setFont(headingFont);
    heading->setGeometry(32, 92, 600, 36);
    m_noBase = new QLabel(
        m_texts.catalogue().text(QStringLiteral("Public"), QStringLiteral("MsgNoBaseStation")), this);
    m_noBase->setGeometry(640, 92, 352, 36);
    m_noBase->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette warning = m_noBase->palette();
    warning.setColor(QPalette::WindowText, QColor(200, 0, 0));
    m_noBase->setPalette(warning);
    m_noBase->setFont(headingFont);

    m_list->setGeometry(32, 138, 960, 492);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(15);
    m_list->verticalHeader()->setDefaultSectionSize(15);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // Total, answered, not answered.
    const char *labelKeys[] = {"IDC_STATIC_POOL", "IDC_STATIC_ONLINE", "IDC_STATIC_BEOUT"};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(labelKeys[i]));
        label->setGeometry(32 + i * 200, 640, 110, 28);
        m_counts[i] = new QLabel(this);
        m_counts[i]->setObjectName(QStringLiteral("count%1").arg(i));
        m_counts[i]->setGeometry(142 + i * 200, 640, 80, 28);
    }
    m_progress->setGeometry(32, 676, 600, 16);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_check->setGeometry(712, 648, 130, 40);
    m_check->setText(m_texts.text(QStringLiteral("MsgClew3")));
    auto *exit = new QPushButton(this);
    exit->setObjectName(QStringLiteral("IDC_SYSSET_EXIT"));
    exit->setGeometry(862, 648, 130, 40);
    m_texts.apply(this);

    connect(m_check, &QPushButton::clicked, &controller, &KeypadMonitorController::startCheck);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(&controller, &KeypadMonitorController::listRebuilt, this, &KeypadMonitorWindow::rebuild);
    connect(&controller, &KeypadMonitorController::refreshed, this, &KeypadMonitorWindow::refresh);
    connect(&controller, &KeypadMonitorController::checkEnabledChanged, m_check, &QPushButton::setEnabled);
    rebuild();
}

QString KeypadMonitorWindow::countText(int which) const
{
    return m_counts[which]->text();
}

// A blank first column, then a pair of columns (number, state) per 30 keypads.
void KeypadMonitorWindow::rebuild()
{
    const int total = m_controller.total();
    const int pairs = std::max(8, KeypadMonitorController::columnPairs(total));
    m_list->clear();
    m_list->setColumnCount(1 + 2 * pairs);
    m_list->setRowCount(std::min(total, KeypadMonitorController::RowsPerColumn));
    QStringList headers{QString()};
    QList<int> widths{4};
    for (int p = 0; p < pairs; ++p) {
        headers << m_texts.text(QStringLiteral("MsgClew1")) << m_texts.text(QStringLiteral("MsgClew2"));
        widths << NumberWidth << StateWidth;
    }
    m_list->setHorizontalHeaderLabels(headers);
    for (int n = 1; n <= total; ++n) {
        const KeypadMonitorController::Cell cell = KeypadMonitorController::cellOf(n);
        m_list->setItem(cell.row, 1 + 2 * cell.columnPair, new QTableWidgetItem(QString::number(n)));
        m_list->setItem(cell.row, 2 + 2 * cell.columnPair, new QTableWidgetItem(NotAnswered));
    }
    refresh();
    ColumnFit::fit(*m_list, widths);
}

void KeypadMonitorWindow::refresh()
{
    const QString answeredText = m_texts.text(QStringLiteral("MsgClew4"));
    // Without a base station nobody can answer: the keypads' states say nothing, so none is shown.
    const bool missing = m_controller.isBaseStationMissing();
    m_noBase->setVisible(missing);
    for (int n = 1; n <= m_controller.total(); ++n) {
        const KeypadMonitorController::Cell cell = KeypadMonitorController::cellOf(n);
        if (QTableWidgetItem *state = m_list->item(cell.row, 2 + 2 * cell.columnPair)) {
            const bool answered = m_controller.hasAnswered(n);
            state->setText(missing ? QString() : answered ? answeredText : NotAnswered);
            state->setForeground(answered ? QColor(0x1f, 0x7a, 0x4d) : QColor(0x8a, 0x93, 0x9e));
        }
    }
    m_counts[0]->setText(QString::number(m_controller.total()));
    m_counts[1]->setText(missing ? QStringLiteral("-") : QString::number(m_controller.answered()));
    m_counts[2]->setText(missing ? QStringLiteral("-") : QString::number(m_controller.notAnswered()));
    m_progress->setValue(m_controller.progress());
}

void KeypadMonitorWindow::closeEvent(QCloseEvent *event)
{
    m_controller.close();
    emit closed();
    QWidget::closeEvent(event);
}
