#pragma once

#include "childoutput.h"

#include "core/base/dataroot.h"
#include "core/conduct/conferencecontext.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/store/systemdatabase.h"

#include <QCoreApplication>
#include <QTimer>

#include <functional>
#include <optional>

// A console cut down to one conference's controllers on the real serial link, run against the simulated
// base station with its real timers until the crash test kills it.
//   <child> DATAROOT MEETING LANGUAGEFILE KEYPADS COUNT
class ChildConsole
{
public:
    struct Arguments
    {
        QString dataRoot;
        QString meeting;
        QString languageFile;
        int keypads = 0;
        int count = 0; // what the child waits for before it says so: answers, sign-ins
    };
    static std::optional<Arguments> parse(const QStringList &args);

    explicit ChildConsole(const Arguments &arguments);
    Q_DISABLE_COPY_MOVE(ChildConsole)

    // Opens the link, calls `ready` once the base station has answered and `watch` every 50 ms after it,
    // and runs until the process is killed.
    int exec(const std::function<void()> &ready, const std::function<void()> &watch);
    // Keypads of 1..KEYPADS for which the test holds.
    int countKeypads(const std::function<bool(const KeypadEntry &)> &test) const;

    const Arguments arguments;
    const DataRoot root;
    StderrNotifier notifier;
    SystemDatabase system;
    Link link;
    HallScreen hall;
    ConferenceContext conference;

private:
    QTimer m_watch;
};
