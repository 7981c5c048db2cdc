// The camera windows' wiring on the offscreen platform: the video page and the camera adjustment window
// send what their buttons say, a movement always ends in a stop, and the preview says when there is no
// camera to show.

#include "linkup.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/shell/cameracontroller.h"
#include "core/base/profilefile.h"
#include "gui/shell/cameraadjustwindow.h"
#include "gui/shell/camerapreview.h"
#include "gui/shell/videopage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Fixture
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), notifier};
    TextCatalogue catalogue;
    std::unique_ptr<CameraController> camera;

    Fixture()
    {
        link.applySettings({20, 1, 1, 1});
        bringUp(link, *port);
        QFile language(dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write("[FrmVid]\nMsgNoCamera=No camera here\n");
        language.close();
        catalogue = TextCatalogue(language.fileName());
        camera = std::make_unique<CameraController>(link, notifier, catalogue, dir.filePath("Vidaddr.ini"));
    }
    QList<quint32> sent()
    {
        port->sent.clear();
        for (int i = 0; i < 8; ++i)
            link.sequencer().tick();
        QList<quint32> commands;
        for (const LinkFrame &frame : std::as_const(port->sent))
            commands.append(frame.commandValue());
        return commands;
    }
};
} // namespace

class TestVideoPage : public QObject
{
    Q_OBJECT

private slots:
    void buttonsSendTheirCameraCommands();
    void movementStopsWhenReleasedOutsideOrHidden();
    void presetButtonsFollowThePresetBox();
    void previewSaysWhenThereIsNoCamera();
};

void TestVideoPage::buttonsSendTheirCameraCommands()
{
    Fixture f;
    VideoPage page(*f.camera, f.catalogue);
    page.show();
    page.cameraList()->setCurrentIndex(2);
    page.button("IDC_ELEVID_OK")->click();
    page.findChild<QRadioButton *>("IDC_RADIO_RS232")->click();
    page.findChild<QRadioButton *>("IDC_RADIO_VISCA")->click();
    page.button("IDC_PACE_ADD")->click();
    page.button("IDC_AFF_PAN")->click();
    QCOMPARE(f.sent(), (QList<quint32>{0xE60355, 0xE6F555, 0xE68B55, 0xE6E655, 0xE6F655}));
    QCOMPARE(ProfileFile(f.dir.filePath("Vidaddr.ini")).readString("Vidset", "SetVid"), QStringLiteral("2"));
    // Shown again, the page comes back on the camera chosen last.
    page.hide();
    page.cameraList()->setCurrentIndex(0);
    page.show();
    QCOMPARE(page.cameraList()->currentIndex(), 2);
}

void TestVideoPage::movementStopsWhenReleasedOutsideOrHidden()
{
    Fixture f;
    VideoPage page(*f.camera, f.catalogue);
    page.show();
    QPushButton *up = page.button("IDC_VIDICON_UP");
    QTest::mousePress(up, Qt::LeftButton);
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(f.sent(), (QList<quint32>{0xE6CC55, 0xE6CF55}));
    // Held, slid off the button and let go elsewhere.
    QPushButton *left = page.button("IDC_VIDICON_LEFT");
    QTest::mousePress(left, Qt::LeftButton);
    QTest::mouseMove(left, QPoint(-40, -40));
    QTest::mouseRelease(left, Qt::LeftButton, {}, QPoint(-40, -40));
    QCOMPARE(f.sent(), (QList<quint32>{0xE69E55, 0xE6CF55}));

    CameraAdjustWindow window(*f.camera, f.catalogue);
    window.show();
    QTest::mousePress(window.button("IDC_FARNESS_BNT"), Qt::LeftButton);
    window.hide(); // the speech page left while the button was held
    QCOMPARE(f.sent(), (QList<quint32>{0xE6C055, 0xE6CF55}));
    QVERIFY(!f.camera->isMoving());
}

void TestVideoPage::presetButtonsFollowThePresetBox()
{
    Fixture f;
    VideoPage page(*f.camera, f.catalogue);
    page.show();
    QVERIFY(!page.button("IDC_OPEN_PREP")->isEnabled());
    QVERIFY(!page.button("IDC_SAVE_ADDRE")->isEnabled());
    page.presetBox()->click();
    QVERIFY(page.button("IDC_OPEN_PREP")->isEnabled());
    QVERIFY(page.button("IDC_ADDRE_VIEW")->isEnabled());
    QVERIFY(!page.button("IDC_SAVE_ADDRE")->isEnabled());
    QTest::keyClicks(page.unitField(), "7a");
    QCOMPARE(page.unitField()->text(), QStringLiteral("7"));
    page.button("IDC_OPEN_PREP")->click();
    QVERIFY(page.button("IDC_SAVE_ADDRE")->isEnabled());
    f.notifier.queueAnswer(true);
    page.button("IDC_SAVE_ADDRE")->click();
    QCOMPARE(page.unitField()->text(), QStringLiteral("8"));
    QVERIFY(!page.button("IDC_SAVE_ADDRE")->isEnabled());
    QCOMPARE(f.sent(), (QList<quint32>{0xFC0007, 0xE6F055}));
}

// The test machine has no capture device: the preview area says so, and the commands still go out.
void TestVideoPage::previewSaysWhenThereIsNoCamera()
{
    Fixture f;
    VideoPage page(*f.camera, f.catalogue);
    page.show();
    if (page.preview()->hasDevice())
        QSKIP("a capture device is attached to this machine");
    QCOMPARE(page.preview()->notice(), QStringLiteral("No camera here"));
    QVERIFY(!page.preview()->deviceList()->isEnabled());
    QVERIFY(!page.findChild<QPushButton *>("IDC_OPENVID_BUTTON")->isEnabled());
    page.preview()->start(); // nothing to start
    QVERIFY(!page.preview()->isRunning());
    page.button("IDC_AFF_PAN")->click();
    QCOMPARE(f.sent(), (QList<quint32>{0xE6F655}));
}

QTEST_MAIN(TestVideoPage)
#include "testvideopage.moc"
