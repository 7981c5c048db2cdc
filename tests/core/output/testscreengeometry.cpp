#include "core/output/screengeometry.h"

#include <QTest>

#include "core/output/colourlist.h"
#include "core/store/settingsrecord.h"

using namespace Qt::StringLiterals;

class TestScreenGeometry final : public QObject
{
    Q_OBJECT

private slots:
    void sizeIsReadFromLeadingDigits_data();
    void sizeIsReadFromLeadingDigits();
    void colourKeepsTheLowTwentyFourBits_data();
    void colourKeepsTheLowTwentyFourBits();
    void windowStartsWhereThePrimaryDisplayEnds();
    void colourListHoldsTheSixteenColoursInOrder();
};

void TestScreenGeometry::sizeIsReadFromLeadingDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");

    QTest::newRow("1280*720") << u"1280*720"_s << QSize(1280, 720);
    QTest::newRow("no star gives height 0") << u"1024"_s << QSize(1024, 0);
    QTest::newRow("empty") << QString() << QSize(0, 0);
    QTest::newRow("trailing text after the height") << u"1920*1080px"_s << QSize(1920, 1080);
    QTest::newRow("a second star ends the height") << u"1024*768*2"_s << QSize(1024, 768);
    QTest::newRow("letters read as 0") << u"wide*high"_s << QSize(0, 0);
    QTest::newRow("a negative side is no size") << u"-5*600"_s << QSize(0, 600);
}

void TestScreenGeometry::sizeIsReadFromLeadingDigits()
{
    QFETCH(QString, text);
    QFETCH(QSize, size);
    QCOMPARE(ScreenGeometry::sizeFromText(text), size);
}

void TestScreenGeometry::colourKeepsTheLowTwentyFourBits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("16711680 is blue") << u"16711680"_s << QColor(0, 0, 255);
    QTest::newRow("255 is red") << u"255"_s << QColor(255, 0, 0);
    QTest::newRow("65280 is green") << u"65280"_s << QColor(0, 255, 0);
    QTest::newRow("higher bits are ignored") << u"4278190335"_s << QColor(255, 0, 0); // 0xFF0000FF
    QTest::newRow("beyond 32 bits keeps the low bits") << u"4294967296255"_s << QColor(255, 0, 0);
    QTest::newRow("empty is black") << QString() << QColor(0, 0, 0);
    QTest::newRow("not a number is black") << u"blue"_s << QColor(0, 0, 0);
    QTest::newRow("-1 is white") << u"-1"_s << QColor(255, 255, 255);
    QTest::newRow("digits then text") << u"8421504 grey"_s << QColor(128, 128, 128);
}

void TestScreenGeometry::colourKeepsTheLowTwentyFourBits()
{
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QCOMPARE(ScreenGeometry::colourFromText(text), colour);
}

void TestScreenGeometry::windowStartsWhereThePrimaryDisplayEnds()
{
    SettingsRecord s;
    s.ScrSize = u"1280*720"_s;
    s.ScrColor = u"16711680"_s;
    s.ScrTextColor = u"16777215"_s;
    const ScreenGeometry g = ScreenGeometry::fromSettings(s, 1920);
    QCOMPARE(g.rect, QRect(1920, 0, 1280, 720));
    QCOMPARE(g.background, QColor(0, 0, 255));
    QCOMPARE(g.text, QColor(255, 255, 255));
    QCOMPARE(ScreenGeometry::bgrFromColour(g.background), 0xFF0000u);
}

void TestScreenGeometry::colourListHoldsTheSixteenColoursInOrder()
{
    QCOMPARE(ColourList::values().size(), size_t(16));
    QCOMPARE(ColourList::colour(0), QColor(0, 0, 0));
    QCOMPARE(ColourList::colour(9), QColor(255, 0, 0));  // 0x0000FF
    QCOMPARE(ColourList::colour(12), QColor(0, 0, 255)); // 0xFF0000
    QCOMPARE(ColourList::colour(15), QColor(255, 255, 255));
    QVERIFY(!ColourList::colour(16).isValid());
    QCOMPARE(ColourList::indexOf(0xC0C0C0), 8);
    QCOMPARE(ColourList::indexOf(0x123456), -1);
    for (int i = 0; i < ColourList::Count; ++i)
        QCOMPARE(ColourList::indexOf(ScreenGeometry::bgrFromColour(ColourList::colour(i))), i);
}

QTEST_MAIN(TestScreenGeometry)
#include "testscreengeometry.moc"
