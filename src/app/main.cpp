#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/shell/dataroot.h"
#include "core/shell/headlesslinkcheck.h"
#include "core/shell/operatornotifier.h"
#include "core/store/systemdatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {
// Until the console's windows exist, messages go to the terminal.
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
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorix"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorix"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorix conference voting console"));
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Data root folder."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption ports(QStringLiteral("ports"), QStringLiteral("COM port range to search."),
                                   QStringLiteral("LOW-HIGH"));
    const QCommandLineOption keypads(QStringLiteral("keypads"), QStringLiteral("Keypad count."),
                                     QStringLiteral("N"));
    parser.addOptions({dataDir, ports, keypads});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const DataRoot root = DataRoot::locate(parser.value(dataDir));

    StreamNotifier notifier(err);
    SystemDatabase systemDatabase(root, notifier);
    if (!systemDatabase.ensureExists())
        return 1;
    // The installation's settings, unless the command line says otherwise.
    LinkSettings settings = systemDatabase.linkSettings();
    if (parser.isSet(ports) && !parseRange(parser.value(ports), settings.lowestPort, settings.highestPort)) {
        err << "--ports takes LOW-HIGH, e.g. 1-8" << Qt::endl;
        return 2;
    }
    if (parser.isSet(keypads)) {
        bool ok = false;
        settings.keypadCount = parser.value(keypads).toInt(&ok);
        if (!ok || settings.keypadCount < 0 || settings.keypadCount > 249) {
            err << "--keypads takes a number from 0 to 249" << Qt::endl;
            return 2;
        }
    }

    Link link(std::make_unique<SerialLinkPort>(PortResolver(root.path())), notifier);
    link.applySettings(settings);
    HeadlessLinkCheck check(link, out);
    QObject::connect(&check, &HeadlessLinkCheck::finished, &app, [&](int code) {
        link.stop();
        QCoreApplication::exit(code);
    });
    check.start();
    return QCoreApplication::exec();
}
