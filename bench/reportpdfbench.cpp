// What saving the sign-in report of a full hall as PDF costs the operator: the 249-delegate due list
// (eight pages, with a Chinese name among them so the Chinese face is embedded) built from the meeting
// database and written through the page renderer. The goal is under 500 ms. Give a folder as argument to
// measure on another disk.

#include "benchsupport.h"

#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "core/output/reportfiles.h"
#include "core/output/reportpagerenderer.h"
#include "core/output/signinreportcontroller.h"
#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::unique_ptr<QTemporaryDir> temporary = benchFolder(args);
    if (!temporary)
        return 1;
    const DataRoot root(temporary->path());
    BenchNotifier notifier;
    const QString meeting = QStringLiteral("Annual General Meeting");
    if (!MeetingFiles::create(root, meeting, notifier))
        return 1;
    MeetingDatabase database(root, meeting, notifier);
    QList<DelegateRecord> delegates;
    for (int n = 1; n <= 249; ++n) {
        DelegateRecord d;
        d.CellNo = QString::number(n);
        d.EmpName = n % 10 == 0 ? QStringLiteral("张伟%1").arg(n) : QStringLiteral("Delegate %1").arg(n);
        d.Unit = QStringLiteral("Harbour Cooperative");
        d.SeatNo = QString::number(n);
        delegates.append(d);
    }
    if (!database.insertDelegates(delegates))
        return 1;
    const TextCatalogue english(QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini"));
    SignInReportController report(root, ReportLanguages({english.lookup()}), notifier);
    report.setMeeting(meeting);

    std::vector<double> ms;
    const int rounds = 10;
    for (int i = 0; i <= rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const ReportPageRenderer renderer(report.document(QDate::currentDate()));
        if (!ReportFiles::writePdf(temporary->filePath(QStringLiteral("signin.pdf")), renderer, meeting))
            return 1;
        if (i > 0)
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.2f ms   min %7.2f ms   max %7.2f ms   (%d rounds)\n",
                "sign-in report, 249 delegates, to PDF", ms[ms.size() / 2], ms.front(), ms.back(), rounds);
    return 0;
}
