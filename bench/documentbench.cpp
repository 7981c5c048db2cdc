// Prints how the interface thread keeps up while a large RTF document (20 MB by default) is read for the
// hall screen, with the hall's text pane shown: the longest gap between two events of a 5 ms watchdog
// timer (the link's tick runs on the same thread) until the pane has laid the whole document out, and the
// time until the document was on the pane.
//
//   bench_document [--megabytes N]

#include "core/output/hallscreen.h"
#include "gui/output/bigscreenwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--megabytes")));
    const int megabytes = at >= 0 ? std::max(1, args.value(at + 1).toInt()) : 20;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motion.rtf"));
    {
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs48 ";
        const QByteArray paragraph =
            "The assembly decides on the {\\b budget} and the accounts of the coming "
            "year, article by article.\\par\n";
        while (rtf.size() < qsizetype(megabytes) * 1024 * 1024)
            rtf += paragraph;
        rtf += '}';
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
            return 1;
    }

    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 1920, 1080), Qt::blue, Qt::white);
    BigScreenWindow window(hall);
    window.show();
    hall.show(HallScreen::Pane::Text);
    QCoreApplication::processEvents();

    bool arrived = false;
    qint64 arrivedMs = 0;
    double handOverGapMs = -1; // the watchdog's gap that holds the hand-over
    QElapsedTimer clock;
    qint64 last = 0;
    double worstGapMs = 0;
    QList<double> gaps;
    QTimer watchdog;
    watchdog.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watchdog, &QTimer::timeout, &app, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last != 0) {
            gaps.append(double(now - last) / 1e6);
            worstGapMs = std::max(worstGapMs, gaps.last());
            if (arrived && handOverGapMs < 0)
                handOverGapMs = gaps.last();
        }
        last = now;
    });
    QObject::connect(&hall, &HallScreen::textDocumentReplaced, &app, [&] {
        arrived = true;
        arrivedMs = clock.elapsed();
    });

    clock.start();
    watchdog.start(5);
    // Started from the event loop, as an operator's click would be.
    QTimer::singleShot(20, &app, [&] { hall.showDocument(path); });
    // Until the pane has laid the whole document out: the layout goes on in the background long after the
    // hand-over, and its steps are stalls too.
    const auto laidOut = [&hall] {
        const QTextBlock last = hall.textDocument().lastBlock();
        return last.layout() && last.layout()->lineCount() > 0;
    };
    qint64 laidOutMs = 0;
    while (!arrived || !laidOut()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (clock.elapsed() > 600000)
            break;
    }
    laidOutMs = clock.elapsed();
    watchdog.stop();

    std::sort(gaps.begin(), gaps.end());
    const double p99 = gaps.isEmpty() ? 0 : gaps.at(std::min(gaps.size() - 1, gaps.size() * 99 / 100));
    out << megabytes << " MB document to the hall's text pane: on the pane after " << arrivedMs
        << " ms, laid out whole after " << laidOutMs
        << " ms; longest gap between two events of the 5 ms watchdog " << QString::number(worstGapMs, 'f', 1)
        << " ms (99th percentile " << QString::number(p99, 'f', 1) << " ms; goal: a stall under 100 ms); "
        << "the gap that held the hand-over " << QString::number(handOverGapMs, 'f', 1) << " ms" << Qt::endl;
    return 0;
}
