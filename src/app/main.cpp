#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/base/dataroot.h"
#include "core/shell/headlesslinkcheck.h"
#include "core/shell/interfacelanguage.h"
#include "core/base/operatornotifier.h"
#include "core/base/textcatalogue.h"
#include "core/store/systemdatabase.h"
#include "gui/shell/consoleapplication.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <cstring>

namespace {
// Messages of a run without windows go to the terminal.
class StreamNotifier final : public OperatorNotifier
{
public:
    explicit StreamNotifier(QTextStream &err) : m_err(err) {}
    void information(const OperatorText &, const OperatorText &text) override { print(text); }
    void error(const OperatorText &, const OperatorText &text) override { print(text); }
    bool question(const OperatorText &, const OperatorText &text) override
    {
        print(text);
        return false;
    }

private:
    void print(const OperatorText &text)
    {
        m_err << (text.isCatalogue() ? text.section + QLatin1Char('/') + text.key : text.literal) << Qt::endl;
    }
    QTextStream &m_err;
};

bool parseRange(const QString &text, int &low, int &high)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    bool okLow = false;
    bool okHigh = false;
    if (parts.size() != 2)
        return false;
    low = parts[0].toInt(&okLow);
    high = parts[1].toInt(&okHigh);
    return okLow && okHigh;
}

struct Options
{
    QCommandLineOption dataDir{QStringLiteral("data-dir"), QStringLiteral("Data root folder."),
                               QStringLiteral("DIR")};
    QCommandLineOption linkCheck{QStringLiteral("link-check"),
                                 QStringLiteral("Search the base station and call every keypad once, without "
                                                "windows; print what was found.")};
    QCommandLineOption ports{QStringLiteral("ports"),
                             QStringLiteral("With --link-check: the COM port range."),
                             QStringLiteral("LOW-HIGH")};
    QCommandLineOption keypads{QStringLiteral("keypads"),
                               QStringLiteral("With --link-check: the keypad count."), QStringLiteral("N")};
    QCommandLineOption instanceKey{QStringLiteral("instance-key"),
                                   QStringLiteral("Name of the one-console-per-machine lock (tests)."),
                                   QStringLiteral("KEY")};
    QCommandLineOption dataRootPortsOnly{QStringLiteral("data-root-ports-only"),
                                         QStringLiteral("Search only the ports linked under System/dev.")};

    QCommandLineOption setLanguage{QStringLiteral("set-language"),
                                   QStringLiteral("Choose the interface language for the next start: 0 "
                                                  "Simplified Chinese, 1 English, 2 Portuguese; then exit."),
                                   QStringLiteral("CODE")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.addOptions({dataDir, linkCheck, ports, keypads, instanceKey, dataRootPortsOnly, setLanguage});
    }
};

int runLinkCheck(const QCommandLineParser &parser, const Options &options)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const DataRoot root = DataRoot::locate(parser.value(options.dataDir));
    StreamNotifier notifier(err);
    SystemDatabase systemDatabase(root, notifier);
    if (!systemDatabase.ensureExists())
        return 1;
    // The installation's settings, unless the command line says otherwise.
    LinkSettings settings = systemDatabase.linkSettings();
    if (parser.isSet(options.ports) &&
        !parseRange(parser.value(options.ports), settings.lowestPort, settings.highestPort)) {
        err << "--ports takes LOW-HIGH, e.g. 1-8" << Qt::endl;
        return 2;
    }
    if (parser.isSet(options.keypads)) {
        bool ok = false;
        settings.keypadCount = parser.value(options.keypads).toInt(&ok);
        if (!ok || settings.keypadCount < 0 || settings.keypadCount > 249) {
            err << "--keypads takes a number from 0 to 249" << Qt::endl;
            return 2;
        }
    }
    Link link(
        std::make_unique<SerialLinkPort>(PortResolver(root.path(), !parser.isSet(options.dataRootPortsOnly))),
        notifier);
    link.applySettings(settings);
    HeadlessLinkCheck check(link, out);
    // Not qApp: that is a QApplication cast, and this run has only a QCoreApplication.
    QObject::connect(&check, &HeadlessLinkCheck::finished, QCoreApplication::instance(), [&](int code) {
        link.stop();
        QCoreApplication::exit(code);
    });
    check.start();
    return QCoreApplication::exec();
}

int runSetLanguage(const QCommandLineParser &parser, const Options &options)
{
    QTextStream err(stderr);
    StreamNotifier notifier(err);
    const DataRoot root = DataRoot::locate(parser.value(options.dataDir));
    const QString code = parser.value(options.setLanguage);
    if (!InterfaceLanguage::choose(root, code, notifier))
        return 1;
    QTextStream(stdout) << "Interface language " << code << ": "
                        << root.filePath(TextCatalogue::relativePath(code)) << Qt::endl;
    return 0;
}

bool wantsNoWindows(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--link-check") == 0 || std::strcmp(argv[i], "--help") == 0 ||
            std::strncmp(argv[i], "--set-language", 14) == 0)
            return true;
    return false;
}

void describe(QCoreApplication &app, QCommandLineParser &parser, const Options &options)
{
    QCoreApplication::setApplicationName(QStringLiteral("Quorix"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORIX_VERSION));
    parser.setApplicationDescription(QStringLiteral("Quorix conference voting console"));
    parser.addHelpOption();
    options.addTo(parser);
    parser.process(app);
}
} // namespace

int main(int argc, char *argv[])
{
    const Options options;
    QCommandLineParser parser;
    if (wantsNoWindows(argc, argv)) {
        QCoreApplication app(argc, argv);
        describe(app, parser, options);
        if (parser.isSet(options.setLanguage))
            return runSetLanguage(parser, options);
        return runLinkCheck(parser, options);
    }

    QApplication app(argc, argv);
    describe(app, parser, options);
    ConsoleOptions console;
    console.dataDir = parser.value(options.dataDir);
    // An installed console takes its own files; one run from a build tree takes the sources' and the build's.
    console.shippedFolders = {QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quorix/data"),
                              QStringLiteral(QUORIX_SHIPPED_DATA), QStringLiteral(QUORIX_BUILT_DATA)};
    if (parser.isSet(options.instanceKey))
        console.instanceKey = parser.value(options.instanceKey);
    console.platformPorts = !parser.isSet(options.dataRootPortsOnly);
    ConsoleApplication consoleApp(console);
    if (const std::optional<int> code = consoleApp.start())
        return *code;
    return QApplication::exec();
}
