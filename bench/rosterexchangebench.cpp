// What the roster's spreadsheet exchange costs the operator: exporting a roster of 249 delegates to a
// workbook (.xlsx) and to comma-separated text, and importing each file into a meeting without delegates
// (read, checked row by row, stored in one transaction, the list read again). Each import starts from an
// empty roster; emptying it is not measured. Give a folder as argument to measure on another disk.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "core/prepare/delegaterostercontroller.h"
#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
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
    const QString from = QStringLiteral("Annual assembly");
    const QString to = QStringLiteral("Extraordinary assembly");
    if (!system.ensureExists() || !MeetingFiles::create(root, from, notifier) ||
        !MeetingFiles::create(root, to, notifier))
        return 1;
    {
        MeetingDatabase db(root, from, notifier);
        QList<DelegateRecord> delegates;
        for (int n = 1; n <= Keypads; ++n) {
            DelegateRecord d;
            d.CellNo = QString::number(n);
            d.EmpName =
                n % 2 ? QStringLiteral("代表 %1").arg(n) : QStringLiteral("João \"Zé\" Gonçalves %1").arg(n);
            d.EmpSex = n % 3 ? QStringLiteral("Male") : QStringLiteral("Female");
            d.Nationality = QStringLiteral("Moçambique");
            d.Unit = QStringLiteral("Unit %1, section %2").arg(n % 17).arg(n % 5);
            d.Title = QStringLiteral("Delegate");
            d.Office_phone = QStringLiteral("138%1").arg(n, 8, 10, QLatin1Char('0'));
            d.delegacy = QStringLiteral("Delegation %1").arg(n % 9);
            d.SeatNo = QStringLiteral("R%1-%2").arg(n / 20).arg(n % 20);
            delegates.append(d);
        }
        if (!db.insertDelegates(delegates))
            return 1;
    }
    const TextCatalogue catalogue(QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini"));
    DelegateRosterController source(root, notifier, catalogue);
    source.setMeeting(from);
    DelegateRosterController target(root, notifier, catalogue);
    target.setMeeting(to);
    MeetingDatabase emptied(root, to, notifier);

    std::printf("roster exchange, %d delegates, files in %s\n", Keypads, qPrintable(root.path()));
    for (const char *suffix : {"xlsx", "csv"}) {
        const QString file = temporary->filePath(QStringLiteral("roster.") + QLatin1String(suffix));
        measure(qPrintable(QStringLiteral("export 249 delegates to .%1").arg(QLatin1String(suffix))), 30,
                [&](int) { source.exportList(file); });
        measure(qPrintable(QStringLiteral("import 249 delegates from .%1").arg(QLatin1String(suffix))), 30,
                [&](int) { target.importFile(file); }, [&] { emptied.deleteAllDelegates(); });
        if (target.rowCount() != Keypads || !target.lastImport().refused.isEmpty()) {
            std::fprintf(stderr, "the import stored %d delegates\n", target.rowCount());
            return 1;
        }
    }
    return notifier.errors == 0 ? 0 : 1;
}
