// The operator's manual: Markdown with screenshots becomes a paged PDF; a broken source never leaves a
// manual behind; the build ships one manual per interface language, each from its own source.

#include "manualrenderer.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}
} // namespace

class TestManual : public QObject
{
    Q_OBJECT

private slots:
    void rendersHeadingsTablesAndPicturesOnNumberedPages();
    void aMissingPictureFailsAndKeepsTheOldManual();
    void theBuildShipsEachLanguagesManual();
};

void TestManual::rendersHeadingsTablesAndPicturesOnNumberedPages()
{
    QTemporaryDir dir;
    QImage shot(1920, 1080, QImage::Format_RGB32);
    shot.fill(Qt::darkBlue);
    QVERIFY(shot.save(dir.filePath("shot.png")));
    QString markdown = "# 使用说明书 Operator's manual\n\n## Starting the console\n\nType the **password** "
                       "and press Enter.\n\n![The main window](shot.png)\n\n| Key | Answer |\n|---|---|\n"
                       "| 1 | Yes |\n| 2 | No |\n\n";
    for (int i = 1; i <= 60; ++i)
        markdown += QStringLiteral("Paragraph %1 of the long chapter about ballots.\n\n").arg(i);
    QVERIFY(writeText(dir.filePath("manual.md"), markdown));

    ManualRenderer renderer;
    const QString pdf = dir.filePath("out/manual.pdf");
    QVERIFY(QDir().mkpath(dir.filePath("out")));
    QVERIFY2(renderer.render(dir.filePath("manual.md"), pdf), qPrintable(renderer.errors().join('\n')));
    QVERIFY(!QFile::exists(pdf + ".part"));

    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) did not read the manual");
    for (const char *expected : {"使用说明书 Operator's manual", "Starting the console", "Type the password and press",
                                 "Answer", "Paragraph 60 of the long chapter"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    // A full-HD screenshot is scaled to the page instead of running off it, and the text flows onto more
    // pages, each numbered.
    QVERIFY2(text.count(u'\f') >= 2, qPrintable(text));
    QVERIFY2(QRegularExpression("\\n\\s*2\\s*\\n").match(text).hasMatch(), "no page number 2");
}

void TestManual::aMissingPictureFailsAndKeepsTheOldManual()
{
    QTemporaryDir dir;
    QVERIFY(writeText(dir.filePath("manual.md"), "# Manual\n\n![Gone](screens/gone.png)\n"));
    const QString pdf = dir.filePath("manual.pdf");
    QVERIFY(writeText(pdf, "the manual of the last good build"));

    ManualRenderer renderer;
    QVERIFY(!renderer.render(dir.filePath("manual.md"), pdf));
    QCOMPARE(renderer.errors().size(), 1);
    QVERIFY2(renderer.errors().constFirst().contains("screens/gone.png"), qPrintable(renderer.errors().join('\n')));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the manual of the last good build"));

    QVERIFY(writeText(dir.filePath("empty.md"), "  \n"));
    QVERIFY(!renderer.render(dir.filePath("empty.md"), dir.filePath("empty.pdf")));
    QVERIFY(!QFile::exists(dir.filePath("empty.pdf")));
}

void TestManual::theBuildShipsEachLanguagesManual()
{
    // Each shipped PDF carries its own source's first heading: the names and the languages are not mixed up.
    const struct
    {
        const char *language;
        const char *file;
    } manuals[] = {{"zh", "Quorix使用说明书.pdf"}, {"en", "Quorix-Manual-en.pdf"}, {"pt", "Quorix-Manual-pt.pdf"}};
    for (const auto &manual : manuals) {
        QFile source(QStringLiteral(QUORIX_SOURCE_DIR "/docs/manual/%1/manual.md").arg(manual.language));
        QVERIFY2(source.open(QIODevice::ReadOnly), manual.language);
        const QString firstLine = QString::fromUtf8(source.readLine()).trimmed();
        QVERIFY2(firstLine.startsWith("# "), manual.language);
        const QString text = pdfText(QStringLiteral(QUORIX_BUILT_DATA "/") + QString::fromUtf8(manual.file));
        QVERIFY2(text.simplified().contains(firstLine.mid(2).simplified()), manual.file);
        QVERIFY2(text.count(u'\f') >= 5, manual.file); // a manual, not a stub
    }
}

QTEST_MAIN(TestManual)
#include "testmanual.moc"
