// Help: which manual the console opens for each language, and the viewer that shows it without a PDF
// program (pages, zoom, search), refusing a damaged file.

#include "core/shell/manuallocator.h"
#include "core/base/textcatalogue.h"
#include "gui/shell/manualviewer.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("%PDF") == 4;
}

// Three A4 pages, one word to find on the last.
bool writeManual(const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 24));
    const QStringList pages{"Starting the console", "Preparing a meeting", "When the quorum is missed"};
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawText(QPointF(600, 1200), pages.at(i));
    }
    return true;
}
} // namespace

class TestManualViewer : public QObject
{
    Q_OBJECT

private slots:
    void eachLanguageFindsItsOwnManualFirst();
    void showsPagesZoomsAndFinds();
    void refusesADamagedManual();
};

void TestManualViewer::eachLanguageFindsItsOwnManualFirst()
{
    QTemporaryDir root;
    QTemporaryDir shipped;
    const ManualLocator locator(root.path(), {shipped.path()});
    QCOMPARE(locator.find("2"), QString());
    QCOMPARE(locator.candidates("2"),
             (QStringList{root.filePath("Quorix-Manual-pt.pdf"), shipped.filePath("Quorix-Manual-pt.pdf"),
                          root.filePath("Quorix-Manual-en.pdf"), shipped.filePath("Quorix-Manual-en.pdf"),
                          root.filePath("Quorix使用说明书.pdf"), shipped.filePath("Quorix使用说明书.pdf")}));

    // Only the Chinese manual shipped: every language gets it rather than nothing.
    QVERIFY(touch(shipped.filePath("Quorix使用说明书.pdf")));
    QCOMPARE(locator.find("2"), shipped.filePath("Quorix使用说明书.pdf"));
    QVERIFY(touch(shipped.filePath("Quorix-Manual-en.pdf")));
    QCOMPARE(locator.find("2"), shipped.filePath("Quorix-Manual-en.pdf"));
    QCOMPARE(locator.find("0"), shipped.filePath("Quorix使用说明书.pdf"));
    // A manual in the data root (a portable installation) wins over the shipped one.
    QVERIFY(touch(root.filePath("Quorix-Manual-en.pdf")));
    QCOMPARE(locator.find("1"), root.filePath("Quorix-Manual-en.pdf"));
}

void TestManualViewer::showsPagesZoomsAndFinds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("manual.pdf");
    QVERIFY(writeManual(path));
    ManualViewer viewer{TextCatalogue(QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini"))};
    viewer.resize(900, 700);
    viewer.show();
    QVERIFY(viewer.open(path));
    QCOMPARE(viewer.pageCount(), 3);
    QCOMPARE(viewer.currentPage(), 0);
    QVERIFY(!viewer.button(ManualViewer::Command::Previous)->isEnabled());

    viewer.button(ManualViewer::Command::Next)->click();
    viewer.button(ManualViewer::Command::Next)->click();
    QCOMPARE(viewer.currentPage(), 2);
    QVERIFY(!viewer.button(ManualViewer::Command::Next)->isEnabled());
    viewer.button(ManualViewer::Command::Previous)->click();
    QCOMPARE(viewer.currentPage(), 1);

    const qreal fitted = viewer.zoomFactor();
    viewer.button(ManualViewer::Command::ZoomIn)->click();
    QVERIFY(viewer.zoomFactor() > fitted);
    viewer.button(ManualViewer::Command::ZoomOut)->click();
    viewer.button(ManualViewer::Command::ZoomOut)->click();
    QVERIFY(viewer.zoomFactor() < fitted);

    // The search runs page by page in the background; its hit names the page and leads there.
    viewer.goToPage(0);
    viewer.findField()->setText("quorum");
    QTRY_COMPARE(viewer.hits()->count(), 1);
    QVERIFY(viewer.hits()->isVisible());
    QVERIFY2(viewer.hits()->item(0)->text().startsWith("Page 3: "), qPrintable(viewer.hits()->item(0)->text()));
    QVERIFY(viewer.hits()->item(0)->text().contains("When the quorum is missed"));
    viewer.showHit(0);
    QCOMPARE(viewer.currentPage(), 2);
    viewer.findField()->setText("ballot");
    QTRY_COMPARE(viewer.hits()->count(), 0);
}

void TestManualViewer::refusesADamagedManual()
{
    QTemporaryDir dir;
    QFile cut(dir.filePath("cut.pdf"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write("%PDF-1.4\n1 0 obj << /Type /Catalog");
    cut.close();
    ManualViewer viewer{TextCatalogue()};
    QVERIFY(!viewer.open(cut.fileName()));
    QVERIFY(!viewer.open(dir.filePath("missing.pdf")));
    QCOMPARE(viewer.pageCount(), 0);
}

QTEST_MAIN(TestManualViewer)
#include "testmanualviewer.moc"
