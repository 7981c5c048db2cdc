// A console cut down to its voting controller, run against the simulated base station until the crash
// test kills it with SIGKILL in the middle of a ballot.
//   ballotchild DATAROOT MEETING LANGUAGEFILE KEYPADS ANSWERS
// It runs the meeting's first motion with its real timers, prints "live" when the ballot collects, and
// "collected" once ANSWERS keypads have answered and a live tick has put them on disk.

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/output/hallscreen.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/systemdatabase.h"

namespace {

class StderrNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &, const OperatorText &text) override { print(text); }
    void error(const OperatorText &, const OperatorText &text) override { print(text); }
    bool question(const OperatorText &, const OperatorText &text) override
    {
        print(text);
        return false;
    }

private:
    static void print(const OperatorText &text)
    {
        QTextStream(stderr) << (text.isCatalogue() ? text.key : text.literal) << Qt::endl;
    }
};

void say(const char *line)
{
    QTextStream(stdout) << line << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        return 2;
    const DataRoot root(args.at(1));
    const QString meeting = args.at(2);
    const int keypads = args.at(4).toInt();
    const int answers = args.at(5).toInt();
    StderrNotifier notifier;
    SystemDatabase system(root, notifier);
    Link link(std::make_unique<SerialLinkPort>(PortResolver(root.path(), false)), notifier);
    link.applySettings({keypads, 1, 1, 1});
    HallScreen hall;
    ConferenceContext conference(link, system, root, notifier, hall, TextCatalogue(args.at(3)));
    conference.meeting.MeeName = meeting;
    conference.meeting.insertdate = QStringLiteral("folder");
    conference.state.signInClosed = true;
    VotingController voting(conference);
    link.start();

    bool started = false;
    bool live = false;
    bool collected = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!started && link.sequencer().isRaised(LinkEvent::LinkReady)) {
            started = true;
            voting.open();
            voting.selectMotion(0);
            voting.start();
        }
        if (!live && voting.phase() == VotingController::Phase::Live) {
            live = true;
            say("live");
        }
        if (live && !collected) {
            int answered = 0;
            for (int n = 1; n <= keypads; ++n)
                answered += link.table().at(n).keyCode != 0 ? 1 : 0;
            if (answered >= answers) {
                collected = true;
                voting.onLiveTick();
                voting.waitForLiveResults();
                say("collected");
            }
        }
    });
    watch.start(50);
    return app.exec();
}
