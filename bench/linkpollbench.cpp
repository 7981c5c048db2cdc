// Prints how a poll pass of 249 keypads keeps time against the simulated base station at the line's pace,
// and how fast the framer takes frames off the line.
//
//   bench_linkpoll [--keypads N] [--passes N]

#include "core/link/frameassembler.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/base/operatornotifier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <ctime>

namespace {
class PrintingNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &, const OperatorText &t) override { print(t); }
    void error(const OperatorText &, const OperatorText &t) override { print(t); }
    bool question(const OperatorText &, const OperatorText &t) override
    {
        print(t);
        return false;
    }

private:
    static void print(const OperatorText &t)
    {
        QTextStream(stderr) << "message: " << t.section << '/' << t.key << t.literal << Qt::endl;
    }
};

bool waitFor(CommandSequencer &sequencer, LinkEvent event, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!sequencer.take(event)) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    return true;
}

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

void framerThroughput(QTextStream &out)
{
    QRandomGenerator random(1);
    QByteArray stream;
    for (int i = 0; i < 1'000'000; ++i) {
        const LinkFrame f = LinkFrame::withChecksum(LinkFrame::KeypadKind, quint8(random.bounded(256)),
                                                    quint8(random.bounded(1, 250)));
        stream.append(reinterpret_cast<const char *>(f.bytes.data()), 4);
    }
    FrameAssembler assembler;
    qsizetype frames = 0;
    const double start = cpuSeconds();
    for (qsizetype offset = 0; offset < stream.size();) {
        const int cut = 1 + int(offset % 7);
        frames += assembler
                      .feed(QByteArrayView(stream.constData() + offset,
                                           std::min<qsizetype>(cut, stream.size() - offset)),
                            0)
                      .size();
        offset += cut;
    }
    const double cpu = cpuSeconds() - start;
    out << "framer: " << frames << " frames in reads of 1..7 bytes, " << QString::number(cpu, 'f', 3)
        << " s CPU, " << QString::number(double(frames) / cpu / 1e6, 'f', 2)
        << " million frames per CPU second" << Qt::endl;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const int keypads = args.contains(QStringLiteral("--keypads"))
                            ? args.value(args.indexOf(QStringLiteral("--keypads")) + 1).toInt()
                            : 249;
    const int passes = args.contains(QStringLiteral("--passes"))
                           ? args.value(args.indexOf(QStringLiteral("--passes")) + 1).toInt()
                           : 2;

    framerThroughput(out);

    QTemporaryDir root;
    QProcess sim;
    sim.start(QStringLiteral(QUORIX_SIM_PATH),
              {QStringLiteral("--data-dir"), root.path(), QStringLiteral("--port"), QStringLiteral("1"),
               QStringLiteral("--keypads"), QString::number(keypads), QStringLiteral("--pace")});
    if (!sim.waitForReadyRead(10000)) {
        out << "the simulator did not start" << Qt::endl;
        return 1;
    }

    PrintingNotifier notifier;
    Link link(std::make_unique<SerialLinkPort>(PortResolver(root.path(), false)), notifier);
    link.applySettings({keypads, 1, 1, 1});
    link.start();
    if (!waitFor(link.sequencer(), LinkEvent::LinkReady, 60000)) {
        out << "no base station" << Qt::endl;
        return 1;
    }
    waitFor(link.sequencer(), LinkEvent::VotePassDone, 800); // let the closing command go out

    // The instants each poll of the pass left, to compare with the 30 ms grid.
    QElapsedTimer clock;
    clock.start();
    QList<qint64> pollSent;
    QObject::connect(&link.sequencer(), &CommandSequencer::sendRequested, &app, [&](quint32 command) {
        if ((command & 0xFFFF00) == Command::Poll)
            pollSent.append(clock.nsecsElapsed());
    });

    const int tickMs = CommandSequencer::TickMs;
    for (int pass = 1; pass <= passes; ++pass) {
        pollSent.clear();
        const quint64 framesBefore = link.framesReceived();
        link.table().clearKeyCodes();
        link.post(LinkMode::VoteFinalPass, Command::BallotEnd);
        if (!waitFor(link.sequencer(), LinkEvent::VotePassDone, 60000)) {
            out << "the poll pass did not finish" << Qt::endl;
            return 1;
        }
        if (pollSent.size() != keypads) {
            out << "expected " << keypads << " polls, saw " << pollSent.size() << Qt::endl;
            return 1;
        }
        // A pass is one poll per tick: from the first poll to one tick after the last.
        const double passMs = double(pollSent.last() - pollSent.first()) / 1e6 + tickMs;
        const double idealMs = double(keypads) * tickMs;
        QList<double> lateMs;
        for (int i = 1; i < pollSent.size(); ++i)
            lateMs.append(double(pollSent[i] - pollSent[i - 1]) / 1e6 - tickMs);
        std::sort(lateMs.begin(), lateMs.end());
        const double worstLateMs = lateMs.isEmpty() ? 0 : lateMs.last();
        // The 99th percentile: the lateness that all but one tick in a hundred keep within.
        const double p99LateMs =
            lateMs.isEmpty() ? 0 : lateMs.at(std::min(lateMs.size() - 1, lateMs.size() * 99 / 100));
        out << "poll pass " << pass << ": " << keypads << " keypads in " << QString::number(passMs, 'f', 1)
            << " ms, ideal " << QString::number(idealMs, 'f', 0) << " ms ("
            << QString::number(100.0 * (passMs - idealMs) / idealMs, 'f', 2) << " %), worst tick "
            << QString::number(worstLateMs, 'f', 2) << " ms late (99th percentile "
            << QString::number(p99LateMs, 'f', 2) << " ms), " << link.framesReceived() - framesBefore
            << " answers received" << Qt::endl;
    }
    link.stop();
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
