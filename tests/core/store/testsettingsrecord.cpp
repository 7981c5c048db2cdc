#include "core/store/settingsrecord.h"

#include <QTest>

Q_DECLARE_METATYPE(LinkSettings)

class TestSettingsRecord : public QObject
{
    Q_OBJECT

private slots:
    void screenSizeSplitsAtTheFirstStar_data();
    void screenSizeSplitsAtTheFirstStar();
    void linkSettingsReadTheFourNumbers_data();
    void linkSettingsReadTheFourNumbers();
};

void TestSettingsRecord::screenSizeSplitsAtTheFirstStar_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("usual") << QStringLiteral("1366*768") << QStringLiteral("1366") << QStringLiteral("768");
    QTest::newRow("no star") << QStringLiteral("1024") << QStringLiteral("1024") << QString();
    QTest::newRow("further stars dropped")
        << QStringLiteral("1920*10*80") << QStringLiteral("1920") << QStringLiteral("1080");
    QTest::newRow("empty") << QString() << QString() << QString();
}

void TestSettingsRecord::screenSizeSplitsAtTheFirstStar()
{
    QFETCH(QString, size);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QString w = QStringLiteral("old");
    QString h = QStringLiteral("old");
    SettingsRecord::splitScreenSize(size, w, h);
    QCOMPARE(w, width);
    QCOMPARE(h, height);
}

void TestSettingsRecord::linkSettingsReadTheFourNumbers_data()
{
    QTest::addColumn<QString>("cellnum");
    QTest::addColumn<QString>("cinnum");
    QTest::addColumn<QString>("comlow");
    QTest::addColumn<QString>("comHigh");
    QTest::addColumn<LinkSettings>("expected");
    QTest::newRow("factory") << QStringLiteral("100") << QStringLiteral("1") << QStringLiteral("1")
                             << QStringLiteral("8") << LinkSettings{100, 1, 1, 8};
    QTest::newRow("full house") << QStringLiteral("249") << QStringLiteral("10") << QStringLiteral("3")
                                << QStringLiteral("3") << LinkSettings{249, 10, 3, 3};
    QTest::newRow("empty record") << QString() << QString() << QString() << QString()
                                  << LinkSettings{1, 0, 0, 0};
    QTest::newRow("non-numeric") << QStringLiteral("x") << QStringLiteral("2") << QStringLiteral("COM1")
                                 << QStringLiteral("4") << LinkSettings{1, 2, 0, 4};
    QTest::newRow("keypad 250 and beyond") << QStringLiteral("250") << QStringLiteral("1") << QStringLiteral("1")
                                           << QStringLiteral("4") << LinkSettings{249, 1, 1, 4};
    QTest::newRow("negative") << QStringLiteral("-5") << QStringLiteral("1") << QStringLiteral("1")
                              << QStringLiteral("4") << LinkSettings{1, 1, 1, 4};
}

void TestSettingsRecord::linkSettingsReadTheFourNumbers()
{
    QFETCH(QString, cellnum);
    QFETCH(QString, cinnum);
    QFETCH(QString, comlow);
    QFETCH(QString, comHigh);
    QFETCH(LinkSettings, expected);
    SettingsRecord s;
    s.cellnum = cellnum;
    s.cinnum = cinnum;
    s.comlow = comlow;
    s.comHigh = comHigh;
    s.ScrSize = QStringLiteral("unrelated");
    QCOMPARE(linkSettingsFrom(s), expected);
}

QTEST_GUILESS_MAIN(TestSettingsRecord)
#include "testsettingsrecord.moc"
