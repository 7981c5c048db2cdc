#include "gui/conduct/signinwindow.h"

#include "core/conduct/signincontroller.h"
#include "core/base/inputfilter.h"
#include "gui/ui/columnfit.h"
#include "gui/ui/conductstatusbar.h"
#include "gui/ui/fieldfilter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {
constexpr int NumberWidth = 46;
constexpr int NameWidth = 92;
constexpr int MarkWidth = 66;
constexpr int RowHeight = 20;
const QColor SignedColour(0x1f, 0x7a, 0x4d);
const QColor WaitingColour(0x8a, 0x93, 0x9e);
const QColor FigureColour(216, 1, 1);

QLabel *figureLabel(QWidget *parent, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(14);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, FigureColour);
    label->setPalette(palette);
    return label;
}
} // namespace

SignInWindow::SignInWindow(SignInController &controller, const TextCatalogue &catalogue, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_texts(catalogue, QStringLiteral("FrmManChe")),
      m_list(new QTableWidget(this))
{
    setObjectName(QStringLiteral("FrmManChe"));
    setFixedSize(PageSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(235, 233, 238));
    setPalette(palette);
    build();
    m_texts.apply(this, QString());

    connect(&controller, &SignInController::changed, this, &SignInWindow::refreshState);
    connect(&controller, &SignInController::listRefreshed, this, &SignInWindow::refreshList);
    rebuildList();
    refreshState();
}

void SignInWindow::build()
{
    m_list->setGeometry(10, 10, 795, 24 + SignInController::ListRows * RowHeight + 20);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(RowHeight);
    m_list->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // The counts: caption, figure, unit; due, present, absent.
    const char *captionKeys[] = {"IDC_STATIC_YDAO", "IDC_STATIC_YJDAO", "IDC_STATIC_WDAO"};
    const char *unitKeys[] = {"IDC_STATIC_YDAOR", "IDC_STATIC_YJDAOR", "IDC_STATIC_WDAOR"};
    const int top = m_list->geometry().bottom() + 12;
    for (int i = 0; i < 3; ++i) {
        const int x = 10 + i * 200;
        auto *caption = new QLabel(this);
        caption->setObjectName(QLatin1String(captionKeys[i]));
        caption->setGeometry(x, top, 70, 30);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_counts[i] = figureLabel(this, QRect(x + 74, top, 60, 30));
        auto *unit = new QLabel(this);
        unit->setObjectName(QLatin1String(unitKeys[i]));
        unit->setGeometry(x + 138, top, 56, 30);
    }
    m_quorum = new QLabel(this);
    m_quorum->setGeometry(10, top + 36, 590, 28);
    QFont quorumFont = m_quorum->font();
    quorumFont.setPointSize(12);
    quorumFont.setBold(true);
    m_quorum->setFont(quorumFont);

    // The count-down as minutes:seconds.
    m_countDown = new QLabel(this);
    m_countDown->setGeometry(620, top, 185, 64);
    m_countDown->setAlignment(Qt::AlignCenter);
    m_countDown->setFrameShape(QFrame::StyledPanel);
    QFont clockFont = m_countDown->font();
    clockFont.setPointSize(28);
    clockFont.setBold(true);
    m_countDown->setFont(clockFont);

    // Frame 1442: the count-down's check box and seconds.
    const int controls = top + 76;
    m_countDownFrame = new QGroupBox(m_texts.text(QStringLiteral("BntClew1")), this);
    m_countDownFrame->setGeometry(10, controls, 300, 62);
    m_countDownCheck = new QCheckBox(m_countDownFrame);
    m_countDownCheck->setObjectName(QStringLiteral("IDC_VIEWLEG_CHECK"));
    m_countDownCheck->setGeometry(12, 26, 130, 24);
    m_secondsField = new QLineEdit(m_countDownFrame);
    m_secondsField->setGeometry(148, 24, 70, 26);
    m_secondsField->setMaxLength(5);
    auto *secondsUnit = new QLabel(m_countDownFrame);
    secondsUnit->setObjectName(QStringLiteral("IDC_LEGAL_OK"));
    secondsUnit->setGeometry(224, 24, 70, 26);

    // The single-keypad query.
    auto *keypadCaption = new QLabel(this);
    keypadCaption->setObjectName(QStringLiteral("IDC_STATIC_DUENUM11"));
    keypadCaption->setGeometry(322, controls + 24, 90, 26);
    keypadCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_keypadField = new QLineEdit(this);
    m_keypadField->setGeometry(416, controls + 24, 60, 26);
    m_keypadField->setMaxLength(3);

    struct Place
    {
        Control control;
        const char *key;     // the control's key in this window's section
        const char *caption; // or a caption set from another key: the list buttons say what the hall shows
        QRect rect;
    };
    const Place places[] = {
        {Control::QueryOk, "IDC_DUENUM_OK", nullptr, QRect(482, controls + 23, 100, 28)},
        {Control::SignedList, nullptr, "ScrSignInList", QRect(600, controls, 110, 28)},
        {Control::SignedUp, nullptr, "BtnPageUp", QRect(714, controls, 44, 28)},
        {Control::SignedDown, nullptr, "BtnPageDown", QRect(761, controls, 44, 28)},
        {Control::AbsentList, nullptr, "ScrAbsentList", QRect(600, controls + 34, 110, 28)},
        {Control::AbsentUp, nullptr, "BtnPageUp", QRect(714, controls + 34, 44, 28)},
        {Control::AbsentDown, nullptr, "BtnPageDown", QRect(761, controls + 34, 44, 28)},
        {Control::Start, "IDC_SIGNIN_START", nullptr, QRect(10, PageSize.height() - 64, 150, 44)},
        {Control::End, "IDC_SIGNIN_END", nullptr, QRect(170, PageSize.height() - 64, 150, 44)},
        {Control::Fill, "IDC_SIGNIN_FILL", nullptr, QRect(330, PageSize.height() - 64, 150, 44)},
    };
    for (const Place &place : places) {
        auto *button = new QPushButton(this);
        if (place.key)
            button->setObjectName(QLatin1String(place.key));
        else if (const QString key = QLatin1String(place.caption); key.startsWith(u"Scr"))
            button->setText(m_texts.catalogue().text(QStringLiteral("FrmScrText"), key));
        else
            button->setText(m_texts.text(key));
        button->setGeometry(place.rect);
        m_buttons.append({place.control, button});
    }

    // Beside the buttons: a lost base station, keypads off the roster, the final pass.
    m_status = new ConductStatusBar(m_controller.link(), m_texts.catalogue(), this);
    m_status->setGeometry(492, PageSize.height() - 70, 313, 66);

    SignInController &c = m_controller;
    connect(button(Control::Start), &QPushButton::clicked, &c, &SignInController::start);
    connect(button(Control::End), &QPushButton::clicked, &c, &SignInController::end);
    connect(button(Control::Fill), &QPushButton::clicked, &c, &SignInController::fill);
    connect(button(Control::QueryOk), &QPushButton::clicked, this, &SignInWindow::queryKeypad);
    connect(m_keypadField, &QLineEdit::returnPressed, this, &SignInWindow::queryKeypad);
    connect(button(Control::SignedList), &QPushButton::clicked, &c, &SignInController::showSignedList);
    connect(button(Control::AbsentList), &QPushButton::clicked, &c, &SignInController::showAbsentList);
    for (Control up : {Control::SignedUp, Control::AbsentUp})
        connect(button(up), &QPushButton::clicked, &c, &SignInController::pageUp);
    for (Control down : {Control::SignedDown, Control::AbsentDown})
        connect(button(down), &QPushButton::clicked, &c, &SignInController::pageDown);
    connect(m_countDownCheck, &QCheckBox::toggled, &c, &SignInController::setCountDownEnabled);
    // Only digits: anything else typed or pasted is dropped at once.
    for (QLineEdit *field : {m_keypadField, m_secondsField})
        filterField(field, [](const QString &text) { return InputFilter::digitsOnly(text); });
    connect(m_secondsField, &QLineEdit::textChanged, &c, &SignInController::setCountDownSeconds);
    // A minute unless the operator says otherwise: an empty field would end the sign-in at the first tick.
    m_secondsField->setText(QStringLiteral("60"));
}

QPushButton *SignInWindow::button(Control control) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == control)
            return button;
    return nullptr;
}

QString SignInWindow::countText(int which) const
{
    return m_counts[which]->text();
}

QString SignInWindow::quorumText() const
{
    return m_quorum->text();
}

QString SignInWindow::countDownText() const
{
    return m_countDown->text();
}

void SignInWindow::queryKeypad()
{
    if (!m_controller.queryKeypad(m_keypadField->text()))
        m_keypadField->clear();
}

// The first 19 keypads make the rows; every 19 more open a group of three columns to the right.
void SignInWindow::rebuildList()
{
    const int keypads = m_controller.keypadCount();
    const int groups = std::max(1, (keypads + SignInController::ListRows - 1) / SignInController::ListRows);
    m_list->clear();
    m_list->setColumnCount(3 * groups);
    m_list->setRowCount(std::min(keypads, SignInController::ListRows));
    const QStringList headers =
        m_texts.texts({QStringLiteral("MsgClew1"), QStringLiteral("MsgClew2"), QStringLiteral("MsgClew3")});
    QStringList labels;
    QList<int> widths;
    for (int g = 0; g < groups; ++g) {
        labels << headers;
        widths << NumberWidth << NameWidth << MarkWidth;
    }
    m_list->setHorizontalHeaderLabels(labels);
    for (int n = 1; n <= keypads; ++n) {
        const SignInController::Cell cell = SignInController::cellOf(n);
        m_list->setItem(cell.row, 3 * cell.group, new QTableWidgetItem(QString::number(n)));
        m_list->setItem(cell.row, 3 * cell.group + 1, new QTableWidgetItem);
        m_list->setItem(cell.row, 3 * cell.group + 2, new QTableWidgetItem);
    }
    refreshList();
    ColumnFit::fit(*m_list, widths);
}

void SignInWindow::refreshList()
{
    const int keypads = m_controller.keypadCount();
    const QString signedMark = m_texts.text(QStringLiteral("MsgClew4"));
    if (m_list->rowCount() != std::min(keypads, SignInController::ListRows) ||
        m_list->columnCount() <
            3 * ((keypads + SignInController::ListRows - 1) / SignInController::ListRows)) {
        rebuildList(); // the keypad count changed in the settings since the page was built
        return;
    }
    for (int n = 1; n <= keypads; ++n) {
        const SignInController::Cell cell = SignInController::cellOf(n);
        m_list->item(cell.row, 3 * cell.group + 1)->setText(m_controller.nameOf(n));
        QTableWidgetItem *mark = m_list->item(cell.row, 3 * cell.group + 2);
        const QString state = m_controller.stateText(n);
        mark->setText(state);
        mark->setForeground(state == signedMark ? SignedColour : WaitingColour);
    }
}

void SignInWindow::refreshState()
{
    const SignInController &c = m_controller;
    const bool idle = c.isStartEnabled();
    button(Control::Start)->setEnabled(idle);
    button(Control::Fill)->setEnabled(idle);
    button(Control::QueryOk)->setEnabled(idle);
    button(Control::End)->setEnabled(c.isEndEnabled());
    button(Control::SignedList)->setEnabled(c.areListButtonsEnabled());
    button(Control::AbsentList)->setEnabled(c.areListButtonsEnabled());
    for (Control pair : {Control::SignedUp, Control::SignedDown})
        button(pair)->setEnabled(c.shownList() == 1);
    for (Control pair : {Control::AbsentUp, Control::AbsentDown})
        button(pair)->setEnabled(c.shownList() == 2);
    m_countDownFrame->setEnabled(c.areCountDownControlsEnabled());
    m_secondsField->setEnabled(c.isCountDownEnabled());
    m_counts[0]->setText(QString::number(c.due()));
    m_counts[1]->setText(QString::number(c.signedCount()));
    m_counts[2]->setText(QString::number(c.absent()));
    m_quorum->setText(c.quorumText());
    m_countDown->setText(c.countDownText());
    m_status->showState({c.isRunning(), c.isWaitingForBaseStation(), c.strangers(), c.isFinalPassRunning(),
                         c.finalPassProgress()});
}
