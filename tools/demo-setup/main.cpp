// quorix-demo-setup: turns the readable demo sources under data/demo into a data root the console runs
// on: the installation's shipped files, the system database, the demo's settings and the demo meeting
// with its delegates, motions, documents and banner.
//
//   quorix-demo-setup --data-dir DIR --shipped DIR [--shipped DIR ...] --demo data/demo

#include "demomeeting.h"

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/base/profilefile.h"
#include "core/store/systemdatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {
class StreamNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &, const OperatorText &t) override { print(t); }
    void error(const OperatorText &, const OperatorText &t) override { print(t); }
    bool question(const OperatorText &, const OperatorText &t) override
    {
        print(t);
        return true;
    }
    int count = 0;

private:
    void print(const OperatorText &t)
    {
        ++count;
        QTextStream(stderr) << "quorix-demo-setup: "
                            << (t.isCatalogue() ? t.section + QLatin1Char('/') + t.key : t.literal)
                            << Qt::endl;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Data root to prepare."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption shipped(QStringLiteral("shipped"), QStringLiteral("Shipped data folder."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Demo sources folder."),
                                  QStringLiteral("DIR"));
    parser.addOptions({dataDir, shipped, demo});
    parser.process(app);
    if (!parser.isSet(dataDir) || !parser.isSet(demo)) {
        QTextStream(stderr) << "quorix-demo-setup: give --data-dir and --demo" << Qt::endl;
        return 2;
    }

    const DataRoot root(parser.value(dataDir));
    // Absolute: the shipped folders may be given relative to where the tool runs.
    QStringList shippedFolders;
    for (const QString &folder : parser.values(shipped))
        shippedFolders.append(QFileInfo(folder).absoluteFilePath());
    if (!root.seedFrom(shippedFolders)) {
        QTextStream(stderr) << "quorix-demo-setup: could not copy the installation's files" << Qt::endl;
        return 1;
    }
    StreamNotifier notifier;
    SystemDatabase database(root, notifier);
    if (!database.ensureExists())
        return 1;

    const ProfileFile settings(parser.value(demo) + QStringLiteral("/installation.ini"));
    const auto value = [&](const char *key) {
        return settings.readString(QStringLiteral("sysbasicset"), QLatin1String(key));
    };
    const bool written = database.setKeypadCount(value("cellnum")) &&
                         database.setReservedCount(value("cinnum")) &&
                         database.setPortRange(value("comlow"), value("comHigh"));
    // The meeting speaks the installation's language: its stored type and state texts are that language's.
    DemoMeeting meeting(root, database, notifier, TextCatalogue(root, database.loadInstallation().borderism),
                        parser.value(demo));
    const bool prepared = written && meeting.create();
    return prepared && notifier.count == 0 ? 0 : 1;
}
