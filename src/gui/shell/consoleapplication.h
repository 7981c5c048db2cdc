#pragma once

#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
#include "gui/shell/systemsetupwindow.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class BigScreenWindow;
class CameraController;
class HallScreen;
class KeypadMonitorWindow;
class Link;
class MainWindow;
class ManualViewer;
class MessageBoxNotifier;
class SingleInstance;
class StartupSearchController;
class StartupSearchWindow;
class SystemDatabase;

struct ConsoleOptions
{
    QString dataDir;            // --data-dir; empty: the usual place
    QStringList shippedFolders; // where the installation's own files come from on first start
    QString instanceKey = QStringLiteral("reform");
    bool platformPorts = true; // false: only the data root's System/dev links (tests, demos)
};

// The console for one run: finds its data root, keeps one console per machine, asks for the password,
// owns the link and the long-lived windows, and runs the windows the main window's buttons name.
class ConsoleApplication final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConsoleApplication)

public:
    explicit ConsoleApplication(ConsoleOptions options, QObject *parent = nullptr);
    ~ConsoleApplication() override;

    // Start-up up to the search for the base station; the exit code when the console must not run.
    std::optional<int> start();

    MainWindow *mainWindow() const { return m_mainWindow.get(); }
    BigScreenWindow *bigScreen() const { return m_bigScreen.get(); }
    // What the hall display shows, for the whole run; the conduct windows fill it.
    HallScreen *hallScreen() const { return m_hall.get(); }
    Link *link() const { return m_link.get(); }
    const DataRoot &dataRoot() const { return m_root; }
    // The system setup's pages that later work brings (the video page).
    SystemSetupHooks &systemSetupHooks() { return m_systemSetupHooks; }

private:
    void onCommand(int command);
    void openKeypadMonitor();
    void runConference();
    // The meeting-preparation window, modal over `parent`; its dialog result. `openMeeting` is the
    // meeting a conference holds open, if any.
    int runMeetingPreparation(QWidget *parent, const QString &openMeeting = {});
    void runMeetingManagement();
    void runSystemSetup();
    // The screen setup window of the conference, modal over `parent`.
    void runScreenSetup(QWidget *parent);
    // The hall screen's left edge: the width of the operator's display.
    static int hallLeft();
    void openHelp();
    void showAbout();
    QString photoFolder() const;
    // A camera controller for a window that drives the cameras; the window takes it over.
    CameraController *newCameraController();

    ConsoleOptions m_options;
    DataRoot m_root;
    TextCatalogue m_catalogue;
    std::unique_ptr<MessageBoxNotifier> m_notifier;
    std::unique_ptr<SystemDatabase> m_systemDatabase;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<HallScreen> m_hall;
    std::unique_ptr<BigScreenWindow> m_bigScreen;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<StartupSearchController> m_search;
    std::unique_ptr<StartupSearchWindow> m_searchWindow;
    QPointer<KeypadMonitorWindow> m_monitor;
    QPointer<ManualViewer> m_manual;
    QString m_mainPicture;
    QString m_systemType;   // `Manage`.`function`, read at start-up
    QString m_languageCode; // `Manage`.`borderism`
    SystemSetupHooks m_systemSetupHooks;
};
