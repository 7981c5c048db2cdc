#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class OperatorNotifier;
class PictureButton;

// The hub (FrmMain): the installation's picture with seven picture buttons. It shows state and forwards
// clicks; the application object runs the windows the buttons name.
class MainWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // The main window's commands, numbered as the console has always numbered them.
    enum class Command
    {
        KeypadMonitor = 1003,
        MeetingPreparation = 1004,
        Conference = 1005,
        MeetingManagement = 1006,
        SystemSettings = 1007,
        Exit = 1008,
        Help = 1307,
    };

    MainWindow(OperatorNotifier &notifier, const TextCatalogue &catalogue, const QString &photoFolder,
               const QString &picture, QWidget *parent = nullptr);

    PictureButton *button(Command command) const;
    void setCommandEnabled(Command command, bool enabled);

    // Centred on the screen it is on; warns first when the screen is narrower than the window.
    void showCentred();
    // Asks the operator and ends the program on Yes.
    void requestExit();

signals:
    void commandTriggered(MainWindow::Command command);
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    OperatorNotifier &m_notifier;
    WindowTexts m_texts;
    QList<QPair<Command, PictureButton *>> m_buttons;
};
