#include "gui/shell/qttranslations.h"

#include <QApplication>
#include <QTest>

// Qt's message boxes name their buttons through this context.
static QString yes()
{
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

class TestQtTranslations : public QObject
{
    Q_OBJECT

private slots:
    void englishNeedsNone();
    void chineseButtonsSpeakChinese();
    void portugueseButtonsSpeakPortuguese();
};

void TestQtTranslations::englishNeedsNone()
{
    QVERIFY(!QtTranslations::install(*QCoreApplication::instance(), "1"));
    QCOMPARE(yes(), "&Yes");
}

void TestQtTranslations::chineseButtonsSpeakChinese()
{
    QVERIFY(QtTranslations::install(*QCoreApplication::instance(), "0"));
    QVERIFY2(yes().contains(QChar(0x662F)), qPrintable(yes())); // 是
}

void TestQtTranslations::portugueseButtonsSpeakPortuguese()
{
    QVERIFY(QtTranslations::install(*QCoreApplication::instance(), "2"));
    QCOMPARE(yes(), "&Sim");
}

QTEST_MAIN(TestQtTranslations)
#include "testqttranslations.moc"
