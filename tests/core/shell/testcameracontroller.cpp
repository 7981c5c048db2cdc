#include "linkup.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/shell/cameracontroller.h"
#include "core/base/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The cameras of a hall of 20 keypads on a fake line; the presets file in a temporary folder.
struct Fixture
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), notifier};
    QString path = dir.filePath("Vidaddr.ini");
    ProfileFile file{path};
    std::unique_ptr<CameraController> camera;

    explicit Fixture(const QByteArray &presets = {})
    {
        link.applySettings({20, 1, 1, 1});
        bringUp(link, *port);
        if (!presets.isNull()) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(presets);
        }
        QFile language(dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write("[FrmVid]\nMsgClew12=With\nMsgClew14=Without\n");
        language.close();
        camera = std::make_unique<CameraController>(link, notifier, TextCatalogue(language.fileName()), path);
        camera->open();
    }
    QList<quint32> sent(int ticks = 6)
    {
        port->sent.clear();
        for (int i = 0; i < ticks; ++i)
            link.sequencer().tick();
        QList<quint32> commands;
        for (const LinkFrame &frame : std::as_const(port->sent))
            commands.append(frame.commandValue());
        return commands;
    }
};
} // namespace

class TestCameraController : public QObject
{
    Q_OBJECT

private slots:
    void selectingACameraPostsAndRemembersIt();
    void cameraIndexIsHeldToTheEightCameras_data();
    void cameraIndexIsHeldToTheEightCameras();
    void presetIsStoredForTheOpenedKeypad();
    void noToTheQuestionsChangesNothing();
    void unitOutsideTheHallIsRefused_data();
    void unitOutsideTheHallIsRefused();
    void overviewListsStoredAndMissingKeypads();
    void stopFollowsAMovementInTheSameTick();
};

void TestCameraController::selectingACameraPostsAndRemembersIt()
{
    Fixture f;
    f.camera->selectCamera(3);
    QCOMPARE(f.sent(), (QList<quint32>{0xE60355}));
    QCOMPARE(f.file.readString("Vidset", "SetVid"), QStringLiteral("2"));
    QCOMPARE(f.link.sequencer().mode(), LinkMode::CameraCommand);
    // A selection that names no camera sends nothing and keeps the camera.
    f.camera->selectCamera(0);
    f.camera->selectCamera(9);
    QVERIFY(f.sent().isEmpty());
    QCOMPARE(f.file.readString("Vidset", "SetVid"), QStringLiteral("2"));
    // The next time the page is shown, the third camera is chosen.
    CameraController next(f.link, f.notifier, TextCatalogue(), f.path);
    next.open();
    QCOMPARE(next.cameraIndex(), 2);
}

void TestCameraController::cameraIndexIsHeldToTheEightCameras_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("index");
    QTest::newRow("no file") << QByteArray() << 0;
    QTest::newRow("no SetVid") << QByteArray("[Vidset]\n") << 0;
    QTest::newRow("empty") << QByteArray("[Vidset]\nSetVid=\n") << 0;
    QTest::newRow("not a number") << QByteArray("[Vidset]\nSetVid=abc\n") << 0;
    QTest::newRow("beyond the eighth") << QByteArray("[Vidset]\nSetVid=9\n") << 7;
    QTest::newRow("negative") << QByteArray("[Vidset]\nSetVid=-3\n") << 0;
}

// A damaged index must never put presets under a section of no camera ("VID", "VID9").
void TestCameraController::cameraIndexIsHeldToTheEightCameras()
{
    QFETCH(QByteArray, file);
    QFETCH(int, index);
    Fixture f(file);
    QCOMPARE(f.camera->cameraIndex(), index);
    f.camera->setPresetMode(true);
    QVERIFY(f.camera->openUnit("4"));
    f.notifier.queueAnswer(true);
    f.camera->storePreset();
    const QString section = QStringLiteral("VID%1").arg(index);
    QCOMPARE(f.file.readString(section, "cell4"), QStringLiteral("4"));
    QVERIFY(!f.file.read().hasSection(u"VID"));
}

void TestCameraController::presetIsStoredForTheOpenedKeypad()
{
    Fixture f;
    QVERIFY(!f.camera->canStore());
    f.camera->setPresetMode(true);
    QVERIFY(f.camera->openUnit("12"));
    QVERIFY(f.camera->canStore());
    f.notifier.queueAnswer(true);
    f.camera->storePreset();
    QCOMPARE(f.sent(), (QList<quint32>{0xFC000C, 0xE6F055}));
    QCOMPARE(f.file.readString("VID0", "cell12"), QStringLiteral("12"));
    QCOMPARE(f.camera->unitText(), QStringLiteral("13"));
    QVERIFY(!f.camera->canStore());
    // Clearing removes the camera's whole record.
    f.notifier.queueAnswer(true);
    f.camera->clearPresets();
    QCOMPARE(f.sent(), (QList<quint32>{0xE6F255}));
    QVERIFY(!f.file.read().hasSection(u"VID0"));
    // Preset mode off: the store is off too.
    QVERIFY(f.camera->openUnit("2"));
    f.camera->setPresetMode(false);
    QVERIFY(!f.camera->canStore());
}

void TestCameraController::noToTheQuestionsChangesNothing()
{
    Fixture f("[VID0]\ncell3=3\n");
    f.camera->setPresetMode(true);
    f.camera->openUnit("5");
    f.sent();
    f.camera->storePreset();  // the notifier answers No
    f.camera->clearPresets(); // No again
    QVERIFY(f.sent().isEmpty());
    QCOMPARE(f.file.readString("VID0", "cell3"), QStringLiteral("3"));
    QCOMPARE(f.file.readString("VID0", "cell5"), QString());
    QVERIFY(f.camera->canStore());
}

void TestCameraController::unitOutsideTheHallIsRefused_data()
{
    QTest::addColumn<QString>("unit");
    QTest::newRow("0") << "0";
    QTest::newRow("21 of 20") << "21";
    QTest::newRow("empty") << "";
}

void TestCameraController::unitOutsideTheHallIsRefused()
{
    QFETCH(QString, unit);
    Fixture f;
    f.camera->setPresetMode(true);
    QVERIFY(!f.camera->openUnit(unit));
    QCOMPARE(f.notifier.count(), 1);
    QCOMPARE(f.notifier.entries().first().text.key, QStringLiteral("MsgClew9"));
    QCOMPARE(f.notifier.entries().first().caption.key, QStringLiteral("MsgClew0"));
    QVERIFY(!f.camera->canStore());
    QVERIFY(f.sent().isEmpty());
}

void TestCameraController::overviewListsStoredAndMissingKeypads()
{
    Fixture f("[VID0]\ncell1=1\ncell2=2\ncell3=3\ncell4=4\ncell5=5\n[VID1]\ncell6=6\n");
    f.camera->showOverview();
    QCOMPARE(f.notifier.count(), 1);
    const RecordingNotifier::Entry &box = f.notifier.entries().first();
    QCOMPARE(box.caption.key, QStringLiteral("MsgClew13"));
    QCOMPARE(box.text.literal,
             QStringLiteral("With\r\n1:2:3:4:5:\r\nWithout\r\n"
                            "6 :7 :8 :9 :10 :11 :12 :13 :14 :15 :16 :17 :18 :19 :\r\n20 :"));
}

// Press and release within one tick: before, the stop replaced the movement and the camera never moved,
// or the movement replaced the stop and it never stopped.
void TestCameraController::stopFollowsAMovementInTheSameTick()
{
    Fixture f;
    f.camera->press(CameraController::Movement::Up);
    f.camera->release();
    QCOMPARE(f.sent(), (QList<quint32>{0xE6CC55, 0xE6CF55}));
    f.camera->release(); // released twice (outside, then up): one stop is enough
    QVERIFY(f.sent().isEmpty());
    f.camera->press(CameraController::Movement::ZoomFar);
    f.camera->stopMovement(); // the window hid while the button was held
    QCOMPARE(f.sent(), (QList<quint32>{0xE6C055, 0xE6CF55}));
    QVERIFY(!f.camera->isMoving());
}

QTEST_GUILESS_MAIN(TestCameraController)
#include "testcameracontroller.moc"
