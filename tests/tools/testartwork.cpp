// The console's pictures: every source draws at the size its window copies it at, the button states
// really differ, and the renderer writes every file a window names.

#include "artworkplan.h"
#include "artworkrenderer.h"
#include "buttonstatestyle.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sourcesAndPlanMatch();
    void sourceDrawsAtPlannedSize_data();
    void sourceDrawsAtPlannedSize();
    void buttonStatesLookDifferent_data();
    void buttonStatesLookDifferent();
    void restyleSwapsEachColourOnce_data();
    void restyleSwapsEachColourOnce();
    void rendererWritesEveryNamedFile();
    void rendererRefusesBadSources_data();
    void rendererRefusesBadSources();

private:
    QByteArray source(const QString &name) const;
    QString m_sources;
};

namespace {
int distinctColours(const QImage &image, int limit)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < limit; y += 3) {
        for (int x = 0; x < image.width() && seen.size() < limit; x += 3)
            seen.insert(image.pixel(x, y));
    }
    return int(seen.size());
}

bool copyFolder(const QString &from, const QString &to)
{
    for (const QString &name : QDir(from).entryList(QDir::Files)) {
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            return false;
    }
    return true;
}
} // namespace

void TestArtwork::initTestCase()
{
    m_sources = QFINDTESTDATA("../../data/artwork");
    QVERIFY2(!m_sources.isEmpty(), "data/artwork not found");
}

QByteArray TestArtwork::source(const QString &name) const
{
    QFile file(QDir(m_sources).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestArtwork::sourcesAndPlanMatch()
{
    QStringList planned;
    for (const ArtworkPlan::Item &item : ArtworkPlan::items())
        planned << item.source;
    QStringList present = QDir(m_sources).entryList({QStringLiteral("*.svg")}, QDir::Files);
    planned.sort();
    present.sort();
    QCOMPARE(present, planned);
}

void TestArtwork::sourceDrawsAtPlannedSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const ArtworkPlan::Item &item : ArtworkPlan::items())
        QTest::newRow(qPrintable(item.source)) << item.source << item.size;
}

void TestArtwork::sourceDrawsAtPlannedSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QByteArray svg = source(name);
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), size);
    QString error;
    const QImage image = ArtworkRenderer::render(svg, size, {}, false, &error);
    QCOMPARE(image.size(), size);
    QVERIFY2(distinctColours(image, 8) >= 8, "the picture is (nearly) blank");
}

void TestArtwork::buttonStatesLookDifferent_data()
{
    QTest::addColumn<QString>("name");
    for (const ArtworkPlan::Item &item : ArtworkPlan::items()) {
        if (item.kind == ArtworkPlan::Kind::Button)
            QTest::newRow(qPrintable(item.source)) << item.source;
    }
}

void TestArtwork::buttonStatesLookDifferent()
{
    QFETCH(QString, name);
    const QByteArray svg = source(name);
    // A source drawn without the role colours would give four identical pictures.
    for (const QByteArray &colour : ButtonStateStyle::roleColours())
        QVERIFY2(svg.toLower().contains(colour), colour.constData());
    QList<QImage> images;
    for (const ButtonStateStyle::State state : ButtonStateStyle::states()) {
        QString error;
        images << ArtworkRenderer::render(ButtonStateStyle::restyle(svg, state), QSize(128, 128),
                                          ButtonStateStyle::offset(state), false, &error);
        QVERIFY2(!images.last().isNull(), qPrintable(error));
    }
    for (qsizetype i = 0; i < images.size(); ++i) {
        for (qsizetype j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j],
                     qPrintable(QStringLiteral("states %1 and %2 alike").arg(i).arg(j)));
    }
}

void TestArtwork::restyleSwapsEachColourOnce_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    const auto pressed = int(ButtonStateStyle::State::Pressed);
    // Pressed turns the edge into the normal accent and the accent into a deeper teal; a role-by-role
    // replacement would carry the edge on to the deeper teal as well.
    QTest::newRow("pressed edge stays teal")
        << pressed << QByteArray("<rect stroke=\"#d3dce7\"/>") << QByteArray("<rect stroke=\"#2a9d96\"/>");
    QTest::newRow("pressed accent deepens")
        << pressed << QByteArray("<path stroke=\"#2a9d96\"/>") << QByteArray("<path stroke=\"#1f7f79\"/>");
    QTest::newRow("upper-case source colour")
        << pressed << QByteArray("<rect fill=\"#FFFFFF\"/>") << QByteArray("<rect fill=\"#e4f0f1\"/>");
    QTest::newRow("pressed drops the shadow")
        << pressed << QByteArray("<rect fill=\"#0f1e33\"/>") << QByteArray("<rect fill=\"none\"/>");
    QTest::newRow("other colours untouched")
        << int(ButtonStateStyle::State::Disabled) << QByteArray("<stop stop-color=\"#123456\"/>")
        << QByteArray("<stop stop-color=\"#123456\"/>");
    QTest::newRow("normal is the source")
        << int(ButtonStateStyle::State::Normal) << QByteArray("<rect fill=\"#ffffff\" stroke=\"#d3dce7\"/>")
        << QByteArray("<rect fill=\"#ffffff\" stroke=\"#d3dce7\"/>");
}

void TestArtwork::restyleSwapsEachColourOnce()
{
    QFETCH(int, state);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QCOMPARE(ButtonStateStyle::restyle(input, static_cast<ButtonStateStyle::State>(state)), expected);
}

void TestArtwork::rendererWritesEveryNamedFile()
{
    QTemporaryDir out;
    ArtworkRenderer renderer(m_sources, out.path());
    QVERIFY2(renderer.renderAll(), qPrintable(renderer.errors().join(QLatin1Char('\n'))));

    for (const ArtworkPlan::Item &item : ArtworkPlan::items()) {
        const QStringList files = ArtworkPlan::outputFiles(item);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString path = QDir(out.path()).filePath(files[i]);
            const QImage image(path);
            QVERIFY2(!image.isNull(), qPrintable(files[i]));
            switch (item.kind) {
            case ArtworkPlan::Kind::Background: {
                QCOMPARE(image.size(), item.size);
                QVERIFY(!image.hasAlphaChannel());
                // A plain 24-bit Windows bitmap, which any picture loader takes.
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QByteArray head = file.read(30);
                QVERIFY(head.startsWith("BM"));
                QCOMPARE(int(quint8(head.at(28))), 24);
                break;
            }
            case ArtworkPlan::Kind::Button:
                QCOMPARE(image.size(), item.size);
                // Rounded tile: the corner shows the window behind it, the middle does not.
                QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
                QCOMPARE(qAlpha(image.pixel(64, 64)), 255);
                break;
            case ArtworkPlan::Kind::Picture:
                QCOMPARE(image.size(), item.size);
                break;
            case ArtworkPlan::Kind::Icon: {
                const int side = i == 0 ? item.size.width() : ArtworkPlan::smallIconSizes().at(i - 1);
                QCOMPARE(image.size(), QSize(side, side));
                break;
            }
            }
        }
    }
}

void TestArtwork::rendererRefusesBadSources_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("drawn at another size")
        << "NeterBmp.svg"
        << QByteArray(
               R"(<svg xmlns="http://www.w3.org/2000/svg" width="640" height="480"><rect width="9" height="9"/></svg>)")
        << "NeterBmp.svg: drawn at 640 x 480";
    QTest::newRow("broken XML") << "BtnHelp.svg"
                                << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect")
                                << "BtnHelp.svg: not a valid SVG";
    QTest::newRow("source nobody loads")
        << "Extra.svg" << QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8"/>)")
        << "Extra.svg: not in the artwork plan";
    QTest::newRow("missing source") << "LogoBmp.svg" << QByteArray() << "LogoBmp.svg:";
}

void TestArtwork::rendererRefusesBadSources()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, complaint);
    QTemporaryDir sources;
    QTemporaryDir out;
    QVERIFY(copyFolder(m_sources, sources.path()));
    const QString path = QDir(sources.path()).filePath(file);
    QFile::remove(path);
    if (!content.isEmpty()) {
        QFile svg(path);
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write(content);
    }
    ArtworkRenderer renderer(sources.path(), out.path());
    QVERIFY(!renderer.renderAll());
    QCOMPARE(renderer.errors().size(), 1);
    QVERIFY2(renderer.errors().first().startsWith(complaint), qPrintable(renderer.errors().first()));
    // The other pictures are still written, so one bad file does not leave the console without any.
    QVERIFY(QFile::exists(QDir(out.path()).filePath(QStringLiteral("MainBmp.bmp"))));
}

QTEST_MAIN(TestArtwork)
#include "testartwork.moc"
