#include "gui/shell/consoleapplication.h"

#include "core/conduct/keypadmonitorcontroller.h"
#include "core/conduct/speechcontroller.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/output/hallscreen.h"
#include "core/output/screengeometry.h"
#include "core/output/textfilereader.h"
#include "core/shell/cameracontroller.h"
#include "core/shell/languagefilecheck.h"
#include "core/conduct/journalrecovery.h"
#include "core/shell/logincontroller.h"
#include "core/shell/manuallocator.h"
#include "core/shell/screensetupcontroller.h"
#include "core/shell/startupsearchcontroller.h"
#include "core/shell/systemsetupcontroller.h"
#include "core/store/systemdatabase.h"
#include "gui/conduct/conferencewindow.h"
#include "gui/conduct/keypadmonitorwindow.h"
#include "gui/conduct/speechpage.h"
#include "gui/conduct/meetingmanagementwindow.h"
#include "gui/output/reportpagetools.h"
#include "gui/output/bigscreenwindow.h"
#include "gui/output/resultwindow.h"
#include "gui/output/screentexteditor.h"
#include "gui/output/textplayerpage.h"
#include "gui/prepare/candidatedialog.h"
#include "gui/prepare/meetingpreparationwindow.h"
#include "gui/shell/cameraadjustwindow.h"
#include "gui/shell/loginwindow.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/manualviewer.h"
#include "gui/shell/qttranslations.h"
#include "gui/shell/screensetupdialog.h"
#include "gui/shell/singleinstance.h"
#include "gui/shell/startupsearchwindow.h"
#include "gui/shell/systemsetupwindow.h"
#include "gui/shell/videopage.h"
#include "gui/ui/messageboxnotifier.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

ConsoleApplication::ConsoleApplication(ConsoleOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options)), m_root(DataRoot::locate(m_options.dataDir))
{}

ConsoleApplication::~ConsoleApplication()
{
    // Windows first: they hold references to the link and the controllers.
    m_monitor.clear();
    m_searchWindow.reset();
    m_mainWindow.reset();
    m_bigScreen.reset();
    m_search.reset();
    if (m_link)
        m_link->stop();
}

CameraController *ConsoleApplication::newCameraController()
{
    return new CameraController(*m_link, *m_notifier, m_catalogue, m_root.filePath(QStringLiteral("System/Vidaddr.ini")));
}

QString ConsoleApplication::photoFolder() const
{
    return m_root.filePath(QStringLiteral("System/photo"));
}

std::optional<int> ConsoleApplication::start()
{
    // The main window is hidden while a hub window runs, so closing the conference or the keypad monitor
    // closes the last visible window for a moment. The console ends only by its exit command.
    QApplication::setQuitOnLastWindowClosed(false);
    // Until the language is known, messages can only show their own texts.
    m_notifier = std::make_unique<MessageBoxNotifier>(
        [this](const OperatorText &t) { return m_catalogue.resolve(t); });
    if (!m_root.seedFrom(m_options.shippedFolders)) {
        m_notifier->error(
            OperatorText::plain(QStringLiteral("Quorix")),
            OperatorText::plain(QStringLiteral("Some installation files could not be copied to ") +
                                m_root.path()));
    }
    m_systemDatabase = std::make_unique<SystemDatabase>(m_root, *m_notifier);
    // The language is stored in the system database: until it is read, its messages are in English.
    m_catalogue = TextCatalogue(m_root, QStringLiteral("1"));
    if (!m_systemDatabase->openAtStart())
        return 1;
    const InstallationRecord installation = m_systemDatabase->loadInstallation();
    m_catalogue = TextCatalogue(m_root, installation.borderism);
    QtTranslations::install(*QCoreApplication::instance(), installation.borderism);
    // The installation's copy may have been edited or damaged; the shipped one stands in for what it lacks.
    const QString languageFile = TextCatalogue::relativePath(installation.borderism);
    for (const QString &folder : std::as_const(m_options.shippedFolders)) {
        const QString shipped = QDir(folder).filePath(languageFile);
        if (!languageFile.isEmpty() && QFileInfo::exists(shipped)) {
            LanguageFileCheck::check(m_catalogue, shipped, *m_notifier);
            break;
        }
    }
    m_mainPicture = installation.mianbmp;
    m_systemType = installation.function;
    m_languageCode = installation.borderism;

    m_instance = std::make_unique<SingleInstance>(m_options.instanceKey);
    switch (m_instance->acquire()) {
    case SingleInstance::Result::First:
        break;
    case SingleInstance::Result::Activated:
        return 0;
    case SingleInstance::Result::RunningButUnreachable:
        m_notifier->information(OperatorText::plain(QStringLiteral("Quorix")),
                                OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("RunErr")));
        break;
    case SingleInstance::Result::Failed:
        m_notifier->error(OperatorText::plain(QStringLiteral("Quorix")),
                          OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("RunErr1")));
        return 1;
    }

    m_mainWindow = std::make_unique<MainWindow>(*m_notifier, m_catalogue, photoFolder(), m_mainPicture);
    m_hall = std::make_unique<HallScreen>();
    // The hall display sits right of the operator's, at the size and in the colours of the settings.
    const QScreen *primary = QGuiApplication::primaryScreen();
    const ScreenGeometry hall = ScreenGeometry::fromSettings(m_systemDatabase->loadSettings(),
                                                             primary ? primary->geometry().width() : 0);
    m_hall->setGeometry(hall.rect, hall.background, hall.text);
    m_bigScreen = std::make_unique<BigScreenWindow>(*m_hall);

    m_link = std::make_unique<Link>(
        std::make_unique<SerialLinkPort>(PortResolver(m_root.path(), m_options.platformPorts)), *m_notifier);
    CommandSequencer &sequencer = m_link->sequencer();
    connect(&sequencer, &CommandSequencer::hideMainWindowRequested, m_mainWindow.get(), &QWidget::hide);
    connect(&sequencer, &CommandSequencer::showMainWindowRequested, m_mainWindow.get(),
            &MainWindow::showCentred);
    connect(m_mainWindow.get(), &MainWindow::commandTriggered, this,
            [this](MainWindow::Command c) { onCommand(int(c)); });
    connect(m_mainWindow.get(), &MainWindow::aboutRequested, this, &ConsoleApplication::showAbout);
    connect(m_instance.get(), &SingleInstance::activationRequested, this, [this] {
        SingleInstance::bringToFront(
            SingleInstance::windowToRaise({m_monitor.data(), m_searchWindow.get(), m_mainWindow.get()}));
    });

    LoginController login(*m_systemDatabase);
    LoginWindow loginWindow(login, *m_notifier, m_catalogue, photoFolder());
    if (loginWindow.exec() != QDialog::Accepted)
        return 0;
    // A sign-in or ballot the last run left unfinished is put to the operator before anything else runs.
    JournalRecovery(m_root, *m_systemDatabase, *m_notifier).offer();

    m_link->applySettings(m_systemDatabase->linkSettings());
    if (!m_systemSetupHooks.createVideoPage) {
        m_systemSetupHooks.createVideoPage = [this](QWidget *parent) {
            auto *camera = newCameraController();
            auto *page = new VideoPage(*camera, m_catalogue, parent);
            camera->setParent(page);
            return page;
        };
    }
    m_search = std::make_unique<StartupSearchController>(*m_link);
    m_searchWindow = std::make_unique<StartupSearchWindow>(*m_search, m_catalogue, photoFolder());
    connect(&sequencer, &CommandSequencer::startupSearchFinished, m_searchWindow.get(), &QWidget::hide);
    m_searchWindow->show();
    m_search->open();
    m_link->start();
    return std::nullopt;
}

void ConsoleApplication::onCommand(int command)
{
    switch (MainWindow::Command(command)) {
    case MainWindow::Command::KeypadMonitor:
        openKeypadMonitor();
        break;
    case MainWindow::Command::MeetingPreparation:
        m_link->sequencer().requestHideMainWindow();
        // The hub only ever ends with OK, but only OK brings the main window back.
        if (runMeetingPreparation(nullptr) == QDialog::Accepted)
            m_link->sequencer().requestShowMainWindow();
        break;
    case MainWindow::Command::Conference:
        runConference();
        break;
    case MainWindow::Command::MeetingManagement:
        runMeetingManagement();
        break;
    case MainWindow::Command::SystemSettings:
        runSystemSetup();
        break;
    case MainWindow::Command::Help:
        openHelp();
        break;
    default:
        break;
    }
}

void ConsoleApplication::openKeypadMonitor()
{
    if (m_monitor)
        return;
    auto *controller = new KeypadMonitorController(*m_link);
    auto *window = new KeypadMonitorWindow(*controller, m_catalogue, photoFolder());
    controller->setParent(window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_monitor = window;
    const QRect main = m_mainWindow->geometry();
    window->move(main.topLeft());
    window->show();
    m_link->sequencer().requestHideMainWindow();
}

void ConsoleApplication::runConference()
{
    ConferenceContext context{*m_link, *m_systemDatabase, m_root,        *m_notifier,
                              *m_hall, m_catalogue,       photoFolder(), m_systemType};
    ConferenceHooks hooks;
    hooks.openHelp = [this] { openHelp(); };
    hooks.runMeetingPreparation = [this](QWidget *parent, const QString &openMeeting) {
        runMeetingPreparation(parent, openMeeting);
    };
    hooks.createSpeechPage = [this](QWidget *parent, ConferenceContext &context) {
        auto *speech = new SpeechController(context);
        auto *camera = newCameraController();
        auto *cameraWindow = new CameraAdjustWindow(*camera, m_catalogue);
        auto *page = new SpeechPage(*speech, m_catalogue, photoFolder(), cameraWindow, parent);
        // The windows go before the controllers they show.
        cameraWindow->setParent(page, cameraWindow->windowFlags());
        speech->setParent(page);
        camera->setParent(page);
        return page;
    };
    hooks.runSpeechPage = [](QWidget *page, bool running) { static_cast<SpeechPage *>(page)->setRunning(running); };
    hooks.createDocumentPage = [this](QWidget *parent) {
        auto *page = new TextPlayerPage(*m_hall, m_bigScreen.get(), m_catalogue, parent);
        page->controller().setLegacyCodePage(TextFileReader::legacyCodePageOf(m_languageCode));
        return page;
    };
    hooks.openScreenTextEditor = [this](QWidget *parent) {
        ScreenTextEditor::open(parent, *m_hall, m_root, *m_notifier, m_catalogue);
    };
    hooks.openScreenSetup = [this](QWidget *parent) { runScreenSetup(parent); };
    hooks.openResult = [this](QWidget *parent, const StoredResult &result) {
        ResultWindow::open(parent, result, *m_hall, m_catalogue);
    };
    hooks.editCandidates = [this](QWidget *parent, const QString &candidates, VoteType type, bool voted) {
        return CandidateDialog::edit(parent, m_catalogue, candidates, type, voted);
    };
    m_link->sequencer().requestHideMainWindow();
    {
        ConferenceWindow window(context, std::move(hooks));
        window.run();
    }
    m_link->sequencer().requestShowMainWindow();
}

int ConsoleApplication::runMeetingPreparation(QWidget *parent, const QString &openMeeting)
{
    MeetingPreparationWindow window(m_root, *m_systemDatabase, *m_notifier, m_catalogue, photoFolder(),
                                    parent);
    window.setOpenMeeting(openMeeting);
    window.move(m_mainWindow->geometry().topLeft());
    return window.exec();
}

void ConsoleApplication::runMeetingManagement()
{
    m_link->sequencer().requestHideMainWindow();
    {
        MeetingManagementWindow window(*m_systemDatabase, m_catalogue, photoFolder(),
                                       ReportPageTools::hooks(m_root, m_catalogue, *m_notifier));
        window.move(m_mainWindow->geometry().topLeft());
        window.exec();
    }
    m_link->sequencer().requestShowMainWindow();
}

int ConsoleApplication::hallLeft()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().width() : 0;
}

void ConsoleApplication::runSystemSetup()
{
    m_link->sequencer().requestHideMainWindow();
    {
        SystemSetupController controller(
            {*m_systemDatabase, *m_link, *m_hall, *m_notifier, m_root, systemTypeOf(m_systemType)});
        controller.open(hallLeft());
        SystemSetupWindow window(controller, m_catalogue, photoFolder(), m_systemSetupHooks);
        window.move(m_mainWindow->geometry().topLeft());
        window.exec();
    }
    // However the window was left, the main window comes back.
    m_link->sequencer().requestShowMainWindow();
}

void ConsoleApplication::runScreenSetup(QWidget *parent)
{
    ScreenSetupController controller(*m_systemDatabase, *m_hall);
    controller.open(hallLeft());
    ScreenSetupDialog dialog(controller, m_catalogue, parent);
    dialog.exec();
}

void ConsoleApplication::openHelp()
{
    const ManualLocator locator(m_root.path(), m_options.shippedFolders);
    const QString manual = locator.find(m_languageCode);
    const OperatorText caption = OperatorText::catalogue(QStringLiteral("FrmMain"), QStringLiteral("Msgclew"));
    if (manual.isEmpty()) {
        m_notifier->information(caption, OperatorText::catalogue(QStringLiteral("FrmMain"),
                                                                 QStringLiteral("MsgHelpMissing"),
                                                                 {u'\n' + locator.candidates(m_languageCode).join(u'\n')}));
        return;
    }
    if (m_manual) {
        m_manual->close();
        m_manual = nullptr;
    }
    // A child of whatever modal window is open (the conference's), or that window would block it.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = m_mainWindow.get();
    auto *viewer = new ManualViewer(m_catalogue, owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    if (!viewer->open(manual)) {
        delete viewer;
        m_notifier->error(caption, OperatorText::catalogue(QStringLiteral("FrmHelp"),
                                                           QStringLiteral("MsgHelpDamaged"), {manual}));
        return;
    }
    m_manual = viewer;
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void ConsoleApplication::showAbout()
{
    QMessageBox::about(
        m_mainWindow.get(), QStringLiteral("Quorix"),
        m_catalogue.resolve(OperatorText::catalogue(QStringLiteral("FrmMain"), QStringLiteral("MsgAbout"),
                                                    {QCoreApplication::applicationVersion()})));
}
