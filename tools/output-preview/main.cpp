// quorix-output-preview: the result window, the text player and the screen text editor with the hall
// screen beside them, for looking at them before the conference windows open them, and for screenshots.
//
//   quorix-output-preview [--data-dir DIR] [--hall-left X] [--screenshots DIR] COMMAND ...
//     sample-results MEETING                  store a plausible result for every motion not yet voted
//     result MEETING MOTION [table|bar|pie]   the result window on the motion's stored result, in that view
//     player [FILE]                           the text player, with FILE opened
//     screen-text [RTF]                       the screen text editor, starting from the RTF file
//     reports MEETING [PDFDIR]                the meeting records' report pages and the print preview;
//                                             with PDFDIR, both reports written there as PDF
//
// The hall screen goes where the console puts it (right of the primary display, at the stored size);
// --hall-left moves it, e.g. to 0 to see it on a single display, and --hall-size resizes it. With
// --screenshots the window and the hall are drawn into PNG files in DIR instead of being shown.

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTextStream>
#include <QVBoxLayout>

#include "core/counting/votetypetable.h"
#include "core/output/chartrenderer.h"
#include "core/output/colourlist.h"
#include "core/output/hallscreen.h"
#include "core/output/resultviewcontroller.h"
#include "core/output/rtfreader.h"
#include "core/output/screengeometry.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/base/textcatalogue.h"
#include "core/store/meetingdatabase.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"
#include "core/output/ballotreportcontroller.h"
#include "core/output/reportfiles.h"
#include "core/output/signinreportcontroller.h"
#include "gui/conduct/meetingmanagementwindow.h"
#include "gui/output/bigscreenwindow.h"
#include "gui/output/chartview.h"
#include "gui/output/printpreviewwindow.h"
#include "gui/output/reportpagetools.h"
#include "gui/output/resultwindow.h"
#include "gui/output/screentexteditor.h"
#include "gui/output/textplayerpage.h"
#include "gui/ui/colourpicker.h"
#include "sampleresults.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

class StreamNotifier final : public OperatorNotifier
{
public:
    explicit StreamNotifier(const TextCatalogue *catalogue) : m_catalogue(catalogue) {}
    void information(const OperatorText &, const OperatorText &t) override { print(t); }
    void error(const OperatorText &, const OperatorText &t) override { print(t); }
    bool question(const OperatorText &, const OperatorText &t) override
    {
        print(t);
        return false;
    }

private:
    void print(const OperatorText &t)
    {
        QTextStream(stderr) << "quorix-output-preview: " << m_catalogue->resolve(t) << Qt::endl;
    }
    const TextCatalogue *m_catalogue;
};

int fail(const QString &message)
{
    QTextStream(stderr) << "quorix-output-preview: " << message << Qt::endl;
    return 2;
}

// Saves a window as it draws itself; prints the path so the script can list what it made.
bool save(QWidget &widget, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name + u".png"_s);
    if (!widget.grab().save(path, "PNG")) {
        fail(u"cannot write "_s + path);
        return false;
    }
    QTextStream(stdout) << path << Qt::endl;
    return true;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

std::optional<StoredResult> readStoredResult(const DataRoot &root, const QString &meeting,
                                             const QString &motionName, const TextCatalogue &catalogue,
                                             OperatorNotifier &notifier, const QSize &screenSize)
{
    MeetingDatabase database(root, meeting, notifier);
    MotionRecord motion;
    if (!database.readMotion(motionName, motion))
        return std::nullopt;
    const std::optional<VoteType> type = VoteTypeTable::match(motion.OveType, catalogue.lookup());
    if (!type)
        return std::nullopt;
    return StoredResult{meeting,
                        motion.OveName,
                        *type,
                        motion.candidate,
                        motion.result,
                        motion.PollTimel,
                        textNumber(motion.ViewPer),
                        screenSize,
                        false,
                        textNumber(motion.ViewPass) == 1};
}

struct Session
{
    explicit Session(DataRoot dataRoot) : root(std::move(dataRoot)) {}

    DataRoot root;
    TextCatalogue catalogue;
    HallScreen hall;
    std::optional<QDir> screenshots;
    QString shotName;

    // The window as NAME.png and the hall beside it as NAME-hall.png.
    bool shoot(QWidget &window, QWidget &hallWindow, const QString &defaultName) const
    {
        const QString name = shotName.isEmpty() ? defaultName : shotName;
        settle();
        // The hall's chart is painted on a worker thread: the picture taken is the newest one.
        for (const ChartView *chart : hallWindow.findChildren<ChartView *>()) {
            while (chart->renderer() && chart->renderer()->isPainting())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return save(window, *screenshots, name) && save(hallWindow, *screenshots, name + u"-hall"_s);
    }
};

int showResult(Session &s, const QStringList &args, BigScreenWindow &screen, OperatorNotifier &notifier)
{
    if (args.size() < 3 || args.size() > 4)
        return fail(u"result takes MEETING MOTION [table|bar|pie]"_s);
    const std::optional<StoredResult> stored =
        readStoredResult(s.root, args[1], args[2], s.catalogue, notifier, s.hall.geometry().size());
    if (!stored)
        return fail(u"no motion \"%1\" of a known type in meeting \"%2\""_s.arg(args[2], args[1]));
    const QHash<QString, ResultStyle> styles{
        {u"table"_s, ResultStyle::Table}, {u"bar"_s, ResultStyle::Bar}, {u"pie"_s, ResultStyle::Pie}};
    const QString first = args.value(3, u"table"_s);
    if (!styles.contains(first))
        return fail(u"the view is table, bar or pie"_s);

    ResultWindow window(*stored, s.hall, s.catalogue);
    window.showView(styles[first]);
    if (!s.screenshots) {
        window.exec();
        return 0;
    }
    window.show();
    return s.shoot(window, screen, u"result-window-"_s + first) ? 0 : 1;
}

int showPlayer(Session &s, const QStringList &args, BigScreenWindow &screen)
{
    if (args.size() > 2)
        return fail(u"player takes at most one FILE"_s);
    QWidget frame;
    frame.setWindowTitle(u"FrmFile"_s);
    TextPlayerPage page(s.hall, &screen, s.catalogue, &frame);
    page.setGeometry(0, 0, 818, 682);
    frame.resize(818, 682);
    if (args.size() == 2 && !page.openFile(args[1]))
        return fail(u"cannot read "_s + args[1]);
    frame.show();
    if (!s.screenshots)
        return QApplication::exec();
    // Set up as for a dark hall screen, two sentences in, as the hall sees them during a reading.
    const QList<ColourPicker *> pickers = page.findChildren<ColourPicker *>();
    const std::pair<quint32, int> picks[] = {{0x00FFFF, 0}, {0xFFFFFF, 1}}; // yellow highlight, white text
    for (const auto &[colour, picker] : picks) {
        const int index = ColourList::indexOf(colour);
        pickers.value(picker)->setCurrentIndex(index);
        emit pickers.value(picker)->activated(index);
    }
    page.controller().nextSentence();
    page.controller().nextSentence();
    return s.shoot(frame, screen, u"text-player"_s) ? 0 : 1;
}

int showScreenText(Session &s, const QStringList &args, BigScreenWindow &screen, OperatorNotifier &notifier)
{
    if (args.size() > 2)
        return fail(u"screen-text takes at most one RTF file"_s);
    ScreenTextEditor editor(s.hall, s.root, notifier, s.catalogue);
    // The text last sent arrives off the interface thread; a file named here takes its place.
    while (editor.controller().isLoading())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (args.size() == 2 && !RtfReader::readFile(args[1], *editor.editor()->document()))
        return fail(u"cannot read "_s + args[1]);
    if (!s.screenshots) {
        editor.exec();
        return 0;
    }
    editor.show();
    editor.send();
    while (s.hall.isReadingDocument())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return s.shoot(editor, screen, u"screen-text-editor"_s) ? 0 : 1;
}

int showReports(Session &s, const QStringList &args, SystemDatabase &system, OperatorNotifier &notifier)
{
    if (args.size() < 2 || args.size() > 3)
        return fail(u"reports takes MEETING [PDFDIR]"_s);
    const QString meeting = args[1];
    const QDate today = QDate::currentDate();
    SignInReportController signIn(s.root, ReportLanguages::fromRoot(s.root, s.catalogue), notifier);
    signIn.setMeeting(meeting);
    BallotReportController ballots(s.root, ReportLanguages::fromRoot(s.root, s.catalogue), notifier);
    ballots.setMeeting(meeting);
    if (args.size() == 3) {
        const QDir dir(args[2]);
        const std::pair<QString, ReportDocument> files[] = {
            {u"sign-in-report.pdf"_s, signIn.document(today)},
            {u"ballot-report.pdf"_s, ballots.document(today)}};
        for (const auto &[name, document] : files) {
            QString why;
            if (!ReportFiles::writePdf(dir.filePath(name), ReportPageRenderer(document), meeting, &why))
                return fail(u"cannot write "_s + dir.filePath(name) + u": "_s + why);
            QTextStream(stdout) << dir.filePath(name) << Qt::endl;
        }
    }
    MeetingManagementWindow window(system, s.catalogue, s.root.filePath(u"System/photo"_s),
                                   ReportPageTools::hooks(s.root, s.catalogue, notifier));
    const int index = window.meetingCombo()->findText(meeting);
    window.meetingCombo()->setCurrentIndex(index);
    window.chooseMeeting(index);
    window.showPage(MeetingManagementWindow::Page::SignInReport);
    if (!s.screenshots)
        return window.exec();
    window.show();
    settle();
    if (!save(window, *s.screenshots, u"reports-sign-in"_s))
        return 1;
    window.showPage(MeetingManagementWindow::Page::BallotReport);
    settle();
    if (!save(window, *s.screenshots, u"reports-ballot"_s))
        return 1;
    PrintPreviewWindow preview(signIn.document(today), meeting, s.catalogue, notifier);
    preview.resize(1000, 760);
    preview.show();
    settle();
    return save(preview, *s.screenshots, u"reports-preview"_s) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Quorix"_s);
    QCoreApplication::setOrganizationName(u"Quorix"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"The result window, the text player and the screen text editor with "
                                     "the hall screen, before the conference windows open them."_s);
    parser.addHelpOption();
    const QCommandLineOption dataDir(u"data-dir"_s, u"Data root folder."_s, u"DIR"_s);
    const QCommandLineOption hallLeft(u"hall-left"_s, u"Left edge of the hall screen."_s, u"X"_s);
    const QCommandLineOption screenshots(u"screenshots"_s, u"Draw the windows into PNG files in DIR."_s,
                                         u"DIR"_s);
    const QCommandLineOption hallSize(u"hall-size"_s, u"Size of the hall screen instead of the stored one."_s,
                                      u"WIDTHxHEIGHT"_s);
    const QCommandLineOption shotName(
        u"shot-name"_s, u"With --screenshots: NAME.png for the window, NAME-hall.png for the hall."_s,
        u"NAME"_s);
    parser.addOptions({dataDir, hallLeft, hallSize, screenshots, shotName});
    parser.addPositionalArgument(u"command"_s, u"sample-results, result, player, screen-text or reports"_s);
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        parser.showHelp(2);

    Session s(DataRoot::locate(parser.value(dataDir)));
    StreamNotifier notifier(&s.catalogue);
    SystemDatabase system(s.root, notifier);
    if (!system.ensureExists())
        return 1;
    s.catalogue = TextCatalogue(s.root, system.loadInstallation().borderism);

    if (args[0] == u"sample-results") {
        if (args.size() != 2)
            return fail(u"sample-results takes MEETING"_s);
        const int stored = SampleResults::store(s.root, args[1], s.catalogue, notifier);
        if (stored < 0)
            return 1;
        QTextStream(stdout) << stored << " results stored in " << args[1] << Qt::endl;
        return 0;
    }

    const QScreen *primary = QGuiApplication::primaryScreen();
    int left = primary ? primary->geometry().width() : 0;
    if (parser.isSet(hallLeft))
        left = parser.value(hallLeft).toInt();
    const ScreenGeometry geometry = ScreenGeometry::fromSettings(system.loadSettings(), left);
    QRect rect = geometry.rect;
    if (parser.isSet(hallSize)) {
        const QStringList sides = parser.value(hallSize).split(u'x');
        const QSize size(sides.value(0).toInt(), sides.value(1).toInt());
        if (sides.size() != 2 || size.isEmpty())
            return fail(u"--hall-size takes WIDTHxHEIGHT"_s);
        rect.setSize(size);
    }
    s.hall.setGeometry(rect, geometry.background, geometry.text);
    BigScreenWindow screen(s.hall);
    if (parser.isSet(screenshots)) {
        s.shotName = parser.value(shotName);
        s.screenshots = QDir(parser.value(screenshots));
        if (!s.screenshots->mkpath(u"."_s))
            return fail(u"cannot create "_s + parser.value(screenshots));
    }

    if (args[0] == u"result")
        return showResult(s, args, screen, notifier);
    if (args[0] == u"player")
        return showPlayer(s, args, screen);
    if (args[0] == u"screen-text")
        return showScreenText(s, args, screen, notifier);
    if (args[0] == u"reports")
        return showReports(s, args, system, notifier);
    return fail(u"unknown command "_s + args[0]);
}
