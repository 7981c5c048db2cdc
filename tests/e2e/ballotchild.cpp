// A console cut down to its voting controller, run against the simulated base station until the crash
// test kills it with SIGKILL in the middle of a ballot.
//   ballotchild DATAROOT MEETING LANGUAGEFILE KEYPADS ANSWERS
// It runs the meeting's first motion with its real timers, prints "live" when the ballot collects, and
// "collected" once ANSWERS keypads have answered and a live tick has put them on disk.

#include "childconsole.h"

#include "core/conduct/votingcontroller.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const auto arguments = ChildConsole::parse(app.arguments());
    if (!arguments)
        return 2;
    ChildConsole console(*arguments);
    console.conference.state.signInClosed = true;
    VotingController voting(console.conference);

    bool live = false;
    bool collected = false;
    return console.exec(
        [&] {
            voting.open();
            voting.selectMotion(0);
            voting.start();
        },
        [&] {
            if (!live && voting.phase() == VotingController::Phase::Live) {
                live = true;
                sayToParent(QStringLiteral("live"));
            }
            if (live && !collected && console.countKeypads([](const KeypadEntry &e) {
                    return e.keyCode != 0;
                }) >= arguments->count) {
                collected = true;
                voting.onLiveTick();
                voting.waitForLiveResults();
                sayToParent(QStringLiteral("collected"));
            }
        });
}
