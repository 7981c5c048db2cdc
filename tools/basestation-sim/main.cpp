// quorix-basestation-sim: a base station with its keypads on a pseudo terminal, for rehearsals without
// hardware and for the console's whole-link tests. Options and the scenario format: docs/basestation-sim.md.

#include "basestation.h"
#include "pacedwriter.h"
#include "pseudoterminal.h"
#include "scenario.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {
// The published link is removed even when the simulator is ended by a signal.
char g_linkPath[4096];

void removeLinkAndExit(int)
{
    if (g_linkPath[0])
        ::unlink(g_linkPath);
    ::_exit(0);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorix-basestation-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated Quorix base station on a pseudo terminal."));
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Data root of the console."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Publish as System/dev/COM<n>."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption path(QStringLiteral("path"), QStringLiteral("Publish at this path instead."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption scenarioFile(QStringLiteral("scenario"), QStringLiteral("Scenario file."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption keypads(QStringLiteral("keypads"), QStringLiteral("Keypads 1..N (overrides the scenario)."),
                                     QStringLiteral("N"));
    const QCommandLineOption offline(QStringLiteral("offline"), QStringLiteral("Keypads off line, e.g. 5,7,10-12."),
                                     QStringLiteral("LIST"));
    const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Keep to the pace of a 9600 baud line."));
    const QCommandLineOption split(QStringLiteral("split"), QStringLiteral("Cut writes at random byte boundaries."));
    const QCommandLineOption mute(QStringLiteral("mute"), QStringLiteral("Never answer (a dead line)."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("N"));
    const QCommandLineOption logFile(QStringLiteral("log"), QStringLiteral("Log every frame to this file."),
                                     QStringLiteral("FILE"));
    parser.addOptions({dataDir, port, path, scenarioFile, keypads, offline, pace, split, mute, seed, logFile});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto fail = [&](const QString &why) {
        err << "quorix-basestation-sim: " << why << Qt::endl;
        return 2;
    };

    Scenario scenario;
    if (parser.isSet(scenarioFile)) {
        QString error;
        const auto loaded = Scenario::load(parser.value(scenarioFile), &error);
        if (!loaded)
            return fail(parser.value(scenarioFile) + QStringLiteral(": ") + error);
        scenario = *loaded;
    }
    bool ok = true;
    if (parser.isSet(keypads)) {
        scenario.keypads = parser.value(keypads).toInt(&ok);
        if (!ok || scenario.keypads < 0 || scenario.keypads > 249)
            return fail(QStringLiteral("--keypads takes 0..249"));
    }
    if (parser.isSet(offline)) {
        const auto list = Scenario::parseKeypadList({parser.value(offline)}, scenario.keypads);
        if (!list)
            return fail(QStringLiteral("--offline takes a list such as 5,7,10-12"));
        scenario.offline.unite(QSet<int>(list->begin(), list->end()));
    }
    if (parser.isSet(seed)) {
        scenario.seed = parser.value(seed).toUInt(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed takes a number"));
    }

    QString linkPath = parser.value(path);
    if (linkPath.isEmpty()) {
        const int n = parser.value(port).toInt(&ok);
        if (!ok || n < 1)
            return fail(QStringLiteral("--port takes a number from 1"));
        if (!parser.isSet(dataDir))
            return fail(QStringLiteral("give --data-dir (with --port) or --path"));
        linkPath = parser.value(dataDir) + QStringLiteral("/System/dev/COM%1").arg(n);
    }

    QFile log(parser.value(logFile));
    if (parser.isSet(logFile) && !log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return fail(QStringLiteral("cannot write the log: ") + log.errorString());

    PseudoTerminal terminal(linkPath);
    if (!terminal.open())
        return fail(terminal.errorString());
    const QByteArray encoded = QFile::encodeName(linkPath);
    std::strncpy(g_linkPath, encoded.constData(), sizeof g_linkPath - 1);
    std::signal(SIGTERM, removeLinkAndExit);
    std::signal(SIGINT, removeLinkAndExit);
    std::signal(SIGHUP, removeLinkAndExit);

    PacedWriter writer(terminal, parser.isSet(pace), parser.isSet(split), scenario.seed);
    BaseStation station(scenario, writer, log.isOpen() ? &log : nullptr);
    station.setMuted(parser.isSet(mute));
    QObject::connect(&terminal, &PseudoTerminal::received, &station, &BaseStation::receive);
    QObject::connect(&station, &BaseStation::unplugRequested, &app, [&] {
        writer.discard();
        terminal.close();
    });
    QObject::connect(&station, &BaseStation::replugRequested, &app, [&] {
        if (!terminal.isOpen() && !terminal.open())
            err << "quorix-basestation-sim: " << terminal.errorString() << Qt::endl;
    });
    QObject::connect(&station, &BaseStation::quitRequested, &app, &QCoreApplication::quit);

    // Commands on standard input, one per line; each is answered with one line.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false); // end of input: go on serving the line
            return;
        }
        pending.append(buffer, qsizetype(n));
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            const QString reply = station.command(line);
            if (!reply.isEmpty())
                out << reply << Qt::endl;
        }
    });

    out << "ready " << linkPath << " keypads " << scenario.keypads << Qt::endl;
    const int code = QCoreApplication::exec();
    terminal.close();
    return code;
}
