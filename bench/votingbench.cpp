// Prints how the interface thread keeps up during a live ballot of 249 keypads against the simulated base
// station at the line's pace, with the hall window showing the chart at 1920 x 1080: the worst stall seen
// by a 5 ms watchdog timer and its 99th percentile, the time of one live tick (count, tally, result write),
// of painting the chart (on a worker thread) and of showing a finished picture (on the interface thread).
//
//   bench_voting [--seconds N]

#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/output/chartpainter.h"
#include "core/output/chartrenderer.h"
#include "core/output/hallscreen.h"
#include "gui/output/bigscreenwindow.h"
#include "gui/output/chartview.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "core/store/systemdatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QApplication>
#include <QImage>
#include <QMutex>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {
class CountingNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &, const OperatorText &t) override { report(t); }
    void error(const OperatorText &, const OperatorText &t) override { report(t); }
    bool question(const OperatorText &, const OperatorText &t) override
    {
        report(t);
        return true;
    }

private:
    static void report(const OperatorText &t)
    {
        QTextStream(stderr) << "message: " << t.section << '/' << t.key << t.literal << Qt::endl;
    }
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

void waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const int seconds = args.contains(QStringLiteral("--seconds"))
                            ? args.value(args.indexOf(QStringLiteral("--seconds")) + 1).toInt()
                            : 10;

    QTemporaryDir dir;
    const DataRoot root(dir.path());
    CountingNotifier notifier;
    SystemDatabase system(root, notifier);
    const QString name = QStringLiteral("Bench");
    MeetingRecord meeting;
    meeting.MeeName = name;
    meeting.insertdate = QStringLiteral("20261208120000");
    meeting.DueNum = QStringLiteral("249");
    meeting.SignIn = QStringLiteral("249");
    if (!system.ensureExists() || !MeetingFiles::create(root, name, notifier) ||
        !system.insertMeeting(meeting))
        return 1;
    // The shipped English texts: a motion's type is one of them, and the voting refuses any other.
    const TextCatalogue catalogue{QStringLiteral(QUORIX_LANGUAGE_FILE)};
    MotionRecord motion;
    motion.OveName = QStringLiteral("Bench motion");
    motion.OveType = catalogue.text(QStringLiteral("Public"), QStringLiteral("VoteType1"));
    motion.insertdate = QStringLiteral("20261208120001");
    motion.VoteDll = QStringLiteral("1");
    motion.ViewPer = QStringLiteral("1");
    motion.VoteTimelRes = QStringLiteral("2");
    MeetingDatabase(root, name, notifier).insertMotion(motion);

    QFile scenario(dir.filePath(QStringLiteral("bench.scenario")));
    scenario.open(QIODevice::WriteOnly);
    scenario.write("keypads 249\nvote-delay 0.5\nvote * all random 1:50 2:30 3:15 0:5\n");
    scenario.close();
    QProcess sim;
    sim.start(QStringLiteral(QUORIX_SIM_PATH),
              {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--port"), QStringLiteral("1"),
               QStringLiteral("--scenario"), scenario.fileName(), QStringLiteral("--pace")});
    if (!sim.waitForReadyRead(10000))
        return 1;

    Link link(std::make_unique<SerialLinkPort>(PortResolver(root.path(), false)), notifier);
    link.applySettings({249, 1, 1, 1});
    link.start();
    waitUntil([&] { return link.sequencer().isRaised(LinkEvent::LinkReady); }, 60000);
    if (!link.sequencer().isRaised(LinkEvent::LinkReady)) {
        out << "no base station" << Qt::endl;
        return 1;
    }

    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 1920, 1080), Qt::blue, Qt::white);
    ConferenceContext conference(link, system, root, notifier, hall, catalogue);
    conference.meeting.MeeName = name;
    conference.meeting.insertdate = QStringLiteral("folder");
    conference.state.signInClosed = true;
    VotingController voting(conference);
    voting.open();
    voting.selectMotion(0);

    // The hall window shows the chart as in the hall: each change is painted on a worker thread and the
    // finished picture copied to the window.
    BigScreenWindow window(hall);
    hall.show(HallScreen::Pane::Chart);
    ChartRenderer *renderer = window.chartPane()->renderer();
    QMutex paintingsLock;
    QList<double> paintMs; // painting a picture, on the worker thread
    renderer->setRunner([&, run = ChartRenderer::threadPoolRunner(renderer)](ChartRenderer::Painting painting,
                                                                             ChartRenderer::Done done) {
        run(
            [&, painting = std::move(painting)] {
                QElapsedTimer paint;
                paint.start();
                QImage image = painting();
                const QMutexLocker locked(&paintingsLock);
                paintMs.append(double(paint.nsecsElapsed()) / 1e6);
                return image;
            },
            std::move(done));
    });
    QCoreApplication::processEvents();
    QList<double> tickMs;

    QElapsedTimer watchdogClock;
    qint64 last = 0;
    double worstStallMs = 0;
    QList<double> gapMs;
    QTimer watchdog;
    watchdog.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watchdog, &QTimer::timeout, &app, [&] {
        const qint64 now = watchdogClock.nsecsElapsed();
        if (last != 0) {
            gapMs.append(double(now - last) / 1e6);
            worstStallMs = std::max(worstStallMs, gapMs.last());
        }
        last = now;
    });

    voting.start();
    waitUntil([&] { return voting.phase() == VotingController::Phase::Live; }, 10000);
    if (voting.phase() != VotingController::Phase::Live) {
        out << "the ballot did not start" << Qt::endl;
        return 1;
    }
    watchdogClock.start();
    watchdog.start(5);
    QElapsedTimer run;
    run.start();
    while (run.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    watchdog.stop();
    // One live tick measured on its own: count, tally and result write; the picture it causes is painted
    // elsewhere.
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer tick;
        tick.start();
        voting.onLiveTick();
        QCoreApplication::processEvents();
        tickMs.append(double(tick.nsecsElapsed()) / 1e6);
    }
    waitUntil([&] { return !renderer->isPainting(); }, 10000);
    // Showing the finished picture: what a change costs the interface thread besides the tick.
    QList<double> showMs;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer show;
        show.start();
        window.chartPane()->repaint();
        showMs.append(double(show.nsecsElapsed()) / 1e6);
    }
    voting.stop();
    waitUntil([&] { return voting.phase() == VotingController::Phase::Idle; }, 30000);

    std::sort(gapMs.begin(), gapMs.end());
    const double p99GapMs =
        gapMs.isEmpty() ? 0 : gapMs.at(std::min(gapMs.size() - 1, gapMs.size() * 99 / 100));
    out << "live ballot of 249 keypads for " << seconds << " s: longest gap between two events of the 5 ms "
        << "watchdog " << QString::number(worstStallMs, 'f', 1) << " ms (a stall of "
        << QString::number(worstStallMs - 5, 'f', 1) << " ms), 99th percentile "
        << QString::number(p99GapMs, 'f', 1) << " ms" << Qt::endl;
    out << "live tick (count, tally, result write): median " << QString::number(median(tickMs), 'f', 2)
        << " ms, worst " << QString::number(*std::max_element(tickMs.begin(), tickMs.end()), 'f', 2) << " ms"
        << Qt::endl;
    const QMutexLocker locked(&paintingsLock);
    out << "chart painted at 1920x1080 on a worker thread: " << paintMs.size()
        << " pictures during the ballot, median " << QString::number(median(paintMs), 'f', 2)
        << " ms; a finished picture shown on the interface thread: median "
        << QString::number(median(showMs), 'f', 2) << " ms" << Qt::endl;
    link.stop();
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
