// What the store costs the operator at the busy moments of a meeting: storing a whole sign-in of 249
// keypads (the marks, the log and the signed count in the register), listing 249 delegates, and writing
// one live ballot result. Each operation opens its file, works and closes it, with every commit synced to
// disk, as in the console. Give a folder as argument to measure on another disk; by default a temporary
// folder is used.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "core/base/dataroot.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "core/store/systemdatabase.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Keypads = 249;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::unique_ptr<QTemporaryDir> temporary = benchFolder(args);
    if (!temporary)
        return 1;
    const DataRoot root(temporary->path());
    BenchNotifier notifier;

    SystemDatabase system(root, notifier);
    const QString meeting = QStringLiteral("Annual assembly");
    MeetingRecord record;
    record.MeeName = meeting;
    record.DueNum = QString::number(Keypads);
    record.insertdate = QStringLiteral("20260301090000");
    if (!system.ensureExists() || !system.insertMeeting(record) ||
        !MeetingFiles::create(root, meeting, notifier))
        return 1;

    MeetingDatabase db(root, meeting, notifier);
    for (int n = 1; n <= Keypads; ++n) {
        DelegateRecord d;
        d.CellNo = QString::number(n);
        d.EmpName = QStringLiteral("Delegate %1").arg(n);
        d.Unit = QStringLiteral("Unit %1").arg(n % 17);
        d.SeatNo = QStringLiteral("R%1-%2").arg(n / 20).arg(n % 20);
        db.insertDelegate(d);
    }
    MotionRecord motion;
    motion.OveName = QStringLiteral("Budget 2027");
    motion.insertdate = QStringLiteral("20260301093000");
    db.insertMotion(motion);

    std::printf("store, meeting of %d delegates, files in %s\n", Keypads, qPrintable(root.path()));
    measure("sign-in: 249 marks + 249 log rows + signed count", 30, [&](int round) {
        QList<SignInMark> marks;
        marks.reserve(Keypads);
        int signedIn = 0;
        for (int n = 1; n <= Keypads; ++n) {
            const bool present = (n + round) % 7 != 0;
            signedIn += present ? 1 : 0;
            marks.append(
                {QString::number(n), present ? QStringLiteral("Present") : QStringLiteral("Absent")});
        }
        db.storeSignIn(marks);
        system.recordSignInCount(meeting, QString::number(signedIn));
    });
    measure("list 249 delegates", 100, [&](int) {
        if (db.listDelegates().size() != Keypads)
            std::fprintf(stderr, "short list\n");
    });
    measure("one live ballot result", 100, [&](int round) {
        db.storeResult(motion.OveName, QStringLiteral("%1:12:3:0:").arg(200 + round % 30),
                       QStringLiteral("No"),
                       QStringLiteral("2026/03/01/-10:05:%1").arg(round % 60, 2, 10, QLatin1Char('0')));
    });
    if (notifier.messages != 0) {
        std::fprintf(stderr, "%d database messages during the run\n", notifier.messages);
        return 1;
    }
    return 0;
}
