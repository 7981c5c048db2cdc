#include "gui/ui/colourpicker.h"

#include <QSignalSpy>
#include <QTest>

#include "core/output/colourlist.h"

class TestColourPicker final : public QObject
{
    Q_OBJECT

private slots:
    void offersTheSixteenColoursAsSwatches();
    void showingAStoredColourSelectsItsEntry_data();
    void showingAStoredColourSelectsItsEntry();
    void onlyTheOperatorsPickIsReported();
};

void TestColourPicker::offersTheSixteenColoursAsSwatches()
{
    ColourPicker picker;
    QCOMPARE(picker.count(), ColourList::Count);
    for (int i = 0; i < picker.count(); ++i) {
        QCOMPARE(picker.itemData(i).value<quint32>(), ColourList::values()[size_t(i)]);
        const QImage swatch = picker.itemIcon(i).pixmap(picker.iconSize()).toImage();
        const QPoint middle(swatch.width() / 2, swatch.height() / 2);
        QCOMPARE(QColor(swatch.pixel(middle)), ColourList::colour(i));
    }
}

void TestColourPicker::showingAStoredColourSelectsItsEntry_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("held");
    QTest::newRow("black") << 0x000000u << 0 << true;
    QTest::newRow("red, 0x0000FF") << 0x0000FFu << 9 << true;
    QTest::newRow("blue, 0xFF0000") << 0xFF0000u << 12 << true;
    QTest::newRow("white") << 0xFFFFFFu << 15 << true;
    QTest::newRow("higher bits ignored") << 0x7FFF0000u << 12 << true;
    QTest::newRow("not in the list: no entry") << 0x123456u << -1 << false;
}

void TestColourPicker::showingAStoredColourSelectsItsEntry()
{
    QFETCH(quint32, stored);
    QFETCH(int, index);
    QFETCH(bool, held);
    ColourPicker picker;
    picker.setColour(0xFFFFFF);
    QCOMPARE(picker.setColour(stored), held);
    QCOMPARE(picker.currentIndex(), index);
    if (held)
        QCOMPARE(picker.colour(), stored & 0xFFFFFFu);
}

void TestColourPicker::onlyTheOperatorsPickIsReported()
{
    ColourPicker picker;
    QSignalSpy picked(&picker, &ColourPicker::colourPicked);
    picker.setColour(0x00FF00);
    QCOMPARE(picked.count(), 0);

    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    picker.setFocus();
    // The keyboard moves the selection the way the operator would.
    QTest::keyClick(&picker, Qt::Key_Down);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.takeFirst().at(0).value<quint32>(), 0x00FFFFu);
    QCOMPARE(picker.currentColour(), QColor(255, 255, 0));
}

QTEST_MAIN(TestColourPicker)
#include "testcolourpicker.moc"
