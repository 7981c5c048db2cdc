#include "gui/shell/mainwindow.h"

#include "core/base/operatornotifier.h"
#include "core/shell/windowplacement.h"
#include "gui/ui/picturebackground.h"
#include "gui/ui/picturebutton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>

namespace {
struct ButtonPlace
{
    MainWindow::Command command;
    const char *picture;
    const char *labelKey;
    int x;
    int y;
};

// The field of the main picture leaves room for two rows of 128 x 128 tiles with a label under each.
constexpr ButtonPlace Places[] = {
    {MainWindow::Command::MeetingPreparation, "BtnPrepare", "IDC_STATIC_BTNMEEFIT", 160, 236},
    {MainWindow::Command::Conference, "BtnConference", "IDC_STATIC_BTNMEESTART", 352, 236},
    {MainWindow::Command::MeetingManagement, "BtnManage", "IDC_STATIC_BTNMEEMANAGE", 544, 236},
    {MainWindow::Command::SystemSettings, "BtnSettings", "IDC_STATIC_BTNSYSET", 736, 236},
    {MainWindow::Command::KeypadMonitor, "BtnMonitor", "IDC_STATIC_BTNLISTIST", 256, 444},
    {MainWindow::Command::Help, "BtnHelp", "IDC_STATIC_BTNHELP", 448, 444},
    {MainWindow::Command::Exit, "BtnExit", "IDC_STATIC_BTNEXITSYTEM", 640, 444},
};

OperatorText mainText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("FrmMain"), QLatin1String(key));
}
} // namespace

MainWindow::MainWindow(OperatorNotifier &notifier, const TextCatalogue &catalogue, const QString &photoFolder,
                       const QString &picture, QWidget *parent)
    : QWidget(parent), m_notifier(notifier), m_texts(catalogue, QStringLiteral("FrmMain"))
{
    setObjectName(QStringLiteral("FrmMain"));
    setFixedSize(WindowPlacement::HubSize);
    setPictureBackground(this, photoFolder + QLatin1Char('/') + picture);
    setWindowIcon(QIcon(photoFolder + QStringLiteral("/quorix.png")));

    for (const ButtonPlace &place : Places) {
        auto *button = new PictureButton(photoFolder, QLatin1String(place.picture), this);
        button->setGeometry(place.x, place.y, 128, 128);
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(place.labelKey));
        label->setGeometry(place.x - 16, place.y + 136, 160, 24);
        label->setAlignment(Qt::AlignCenter);
        button->setAccessibleName(m_texts.text(QLatin1String(place.labelKey)));
        const Command command = place.command;
        connect(button, &PictureButton::clicked, this, [this, command] {
            if (command == Command::Exit)
                requestExit();
            else
                emit commandTriggered(command);
        });
        m_buttons.append({command, button});
    }
    m_texts.apply(this);
}

PictureButton *MainWindow::button(Command command) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == command)
            return button;
    return nullptr;
}

void MainWindow::setCommandEnabled(Command command, bool enabled)
{
    if (PictureButton *b = button(command))
        b->setEnabled(enabled);
}

void MainWindow::showCentred()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const WindowPlacement::Placement placement = WindowPlacement::centred(screen->size());
    if (placement.tooNarrow)
        m_notifier.information(mainText("Msgclew"), mainText("MsgSceSizeErr"));
    move(placement.position);
    show();
    raise();
    activateWindow();
}

void MainWindow::requestExit()
{
    if (m_notifier.question(mainText("Msgclew"), mainText("MsgExit")))
        QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the hub is leaving the console: the same question as the exit button.
    event->ignore();
    requestExit();
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("Quorix…"), this, &MainWindow::aboutRequested);
    menu.exec(event->globalPos());
}
