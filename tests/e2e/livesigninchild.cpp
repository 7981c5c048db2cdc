// A console cut down to its sign-in controller, run against the simulated base station until the crash
// test kills it with SIGKILL while the sign-in polls.
//   livesigninchild DATAROOT MEETING LANGUAGEFILE KEYPADS SIGNED
// It starts the meeting's sign-in with its real timers, prints "polling" once the keypads are polled, and
// "collected" once keypads 1..SIGNED have signed in and a refresh has put them in the journal; it then goes
// on polling until it is killed.

#include "childconsole.h"

#include "core/conduct/signincontroller.h"

namespace {
bool allSignedIn(const ChildConsole &console, int last)
{
    for (int n = 1; n <= last; ++n)
        if (!console.link.table().at(n).signedIn)
            return false;
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const auto arguments = ChildConsole::parse(app.arguments());
    if (!arguments)
        return 2;
    ChildConsole console(*arguments);
    SignInController signIn(console.conference);

    bool polling = false;
    bool collected = false;
    return console.exec(
        [&] {
            signIn.open();
            signIn.start();
        },
        [&] {
            if (!polling && signIn.isEndEnabled()) {
                polling = true;
                sayToParent(QStringLiteral("polling"));
            }
            if (polling && !collected && allSignedIn(console, arguments->count)) {
                collected = true;
                signIn.onRefresh();
                signIn.waitForLiveEntries();
                sayToParent(QStringLiteral("collected"));
            }
        });
}
