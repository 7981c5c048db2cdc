// A stand-in for a console that is killed while it stores a sign-in. The meeting tests start it, wait
// for what it prints and kill it with SIGKILL.
//   signinchild DATAROOT MEETING hold         begin a sign-in transaction, write part of it, print "mid",
//                                              and wait to be killed
//   signinchild DATAROOT MEETING commit-hold  write a sign-in in a committed transaction, print
//                                              "committed", and wait to be killed with the file still open
//   signinchild DATAROOT MEETING loop         store sign-ins one after another, the n-th with the mark
//                                              "n", printing "committed n" after each

#include "childoutput.h"

#include <QCoreApplication>

#include "core/base/dataroot.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"

#include <csignal>
#include <unistd.h>

namespace {

constexpr int Keypads = 249;

QList<SignInMark> marks(const QString &sign)
{
    QList<SignInMark> list;
    for (int n = 1; n <= Keypads; ++n)
        list.append({QString::number(n), sign});
    return list;
}

[[noreturn]] void waitToBeKilled()
{
    for (;;)
        pause();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const DataRoot root(args.at(1));
    const QString meeting = args.at(2);
    const QString mode = args.at(3);
    StderrNotifier notifier;

    if (mode == QStringLiteral("loop")) {
        MeetingDatabase db(root, meeting, notifier);
        for (int n = 1;; ++n) {
            if (!db.storeSignIn(marks(QString::number(n))))
                return 1;
            sayToParent(QStringLiteral("committed %1").arg(n));
        }
    }

    // The two holding modes run the sign-in's statements by hand so they can stop between them.
    DatabaseAccess db(MeetingDatabase(root, meeting, notifier).filePath(), notifier);
    // A tiny cache makes the engine spill uncommitted pages into the log before the kill, so the test
    // also sees that such pages are never taken for written data.
    if (!db.execute(QStringLiteral("PRAGMA cache_size=1")) || !db.begin())
        return 1;
    for (int n = 1; n <= Keypads; ++n) {
        if (!db.execute(QStringLiteral("update Employees set  sign=? where  CellNo=?"),
                        {QStringLiteral("present"), QString::number(n)}))
            return 1;
    }
    const int logged = mode == QStringLiteral("hold") ? Keypads / 2 : Keypads;
    for (int n = 1; n <= logged; ++n) {
        if (!db.execute(QStringLiteral("INSERT INTO SignIn (CellNo,sign)VALUES(?,?)"),
                        {QString::number(n), QStringLiteral("present")}))
            return 1;
    }
    if (mode == QStringLiteral("hold")) {
        sayToParent(QStringLiteral("mid"));
        waitToBeKilled();
    }
    if (!db.commit())
        return 1;
    sayToParent(QStringLiteral("committed"));
    waitToBeKilled();
}
