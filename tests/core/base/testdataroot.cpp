#include "core/base/dataroot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestDataRoot : public QObject
{
    Q_OBJECT

private slots:
    void seedingFillsANewRootFromEveryShippedFolder();
    void seedingNeverOverwritesWhatTheInstallationHas();
    void anExplicitFolderWins();
    void shippedFoldersMayBeRelative();
};

void TestDataRoot::shippedFoldersMayBeRelative()
{
    QTemporaryDir sources;
    QTemporaryDir target;
    QVERIFY(writeFile(sources.filePath("data/System/Menu/menu.ini"), "[Public]\n"));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(sources.path()));
    const bool seeded = DataRoot(target.path()).seedFrom({"data"});
    QDir::setCurrent(before);
    QVERIFY(seeded);
    QCOMPARE(readFile(target.filePath("System/Menu/menu.ini")), "[Public]\n");
}

void TestDataRoot::seedingFillsANewRootFromEveryShippedFolder()
{
    QTemporaryDir sources;
    QTemporaryDir target;
    QVERIFY(writeFile(sources.filePath("data/System/Menu/menu_e.ini"), "[Public]\n"));
    QVERIFY(writeFile(sources.filePath("data/demo/not-shipped.txt"), "x"));
    QVERIFY(writeFile(sources.filePath("built/System/photo/MainBmp.bmp"), "BM"));
    const DataRoot root(target.path());
    QVERIFY(root.seedFrom({sources.filePath("data"), sources.filePath("built"), sources.filePath("missing")}));
    QCOMPARE(readFile(root.filePath("System/Menu/menu_e.ini")), "[Public]\n");
    QCOMPARE(readFile(root.filePath("System/photo/MainBmp.bmp")), "BM");
    QVERIFY(!QFile::exists(root.filePath("demo/not-shipped.txt")));
    QVERIFY(!QFile::exists(root.filePath("System/Menu/menu_e.ini.part")));
}

void TestDataRoot::seedingNeverOverwritesWhatTheInstallationHas()
{
    QTemporaryDir sources;
    QTemporaryDir target;
    QVERIFY(writeFile(sources.filePath("data/System/Menu/menu_e.ini"), "shipped"));
    QVERIFY(writeFile(sources.filePath("data/System/seat.ini"), "new in this version"));
    const DataRoot root(target.path());
    QVERIFY(writeFile(root.filePath("System/Menu/menu_e.ini"), "edited by the operator"));
    QVERIFY(root.seedFrom({sources.filePath("data")}));
    QCOMPARE(readFile(root.filePath("System/Menu/menu_e.ini")), "edited by the operator");
    QCOMPARE(readFile(root.filePath("System/seat.ini")), "new in this version");
}

void TestDataRoot::anExplicitFolderWins()
{
    QTemporaryDir dir;
    const DataRoot root = DataRoot::locate(dir.path() + "/./sub/..");
    QCOMPARE(root.path(), QDir::cleanPath(dir.path()));
    QCOMPARE(root.comLinkPath(3), QDir::cleanPath(dir.path()) + "/System/dev/COM3");
}

QTEST_GUILESS_MAIN(TestDataRoot)
#include "testdataroot.moc"
