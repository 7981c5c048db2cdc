// The floor of a meeting run through the speech and camera controllers against the simulated base
// station as a separate process, in real time: delegates ask for the floor from the simulator's keypads.

#include "meetingfixture.h"
#include "simprocess.h"

#include "core/conduct/speechcontroller.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/output/hallscreen.h"
#include "core/shell/cameracontroller.h"
#include "core/base/profilefile.h"

#include <QFile>
#include <QTest>

namespace {
constexpr int Keypads = 10;
constexpr int FlowTimeoutMs = 20000;
using MicState = SpeechController::MicState;

// The frames the base station heard from the console, apart from the search, the polls and the phases.
QStringList commandsHeard(const QString &logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList heard;
    for (const QByteArray &raw : log.readAll().split('\n')) {
        const QStringList words = QString::fromUtf8(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 7 || words[1] != QLatin1String("rx"))
            continue;
        const QString meaning = words.mid(6).join(QLatin1Char(' '));
        if (!meaning.startsWith(QLatin1String("poll")) && !meaning.startsWith(QLatin1String("probe")) &&
            !meaning.startsWith(QLatin1String("phase")))
            heard << meaning;
    }
    return heard;
}
} // namespace

class TestFloorFlow : public QObject
{
    Q_OBJECT

private slots:
    void delegatesTakeTheFloorAndTheCameraFollows();
};

void TestFloorFlow::delegatesTakeTheFloorAndTheCameraFollows()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(Keypads, Keypads));
    QFile language(meeting.dir.filePath("menu.ini"));
    QVERIFY(language.open(QIODevice::WriteOnly));
    language.write("[FrmMootset]\nMsgSpeaking=\" is speaking\"\n");
    language.close();
    QFile scenario(meeting.dir.filePath("hall.scenario"));
    QVERIFY(scenario.open(QIODevice::WriteOnly));
    scenario.write("keypads 10\nreserved 1\n");
    scenario.close();
    const QString logPath = meeting.dir.filePath("line.log");
    SimProcess sim;
    QVERIFY2(sim.start({"--data-dir", meeting.dir.path(), "--port", "1", "--scenario", scenario.fileName(),
                        "--pace", "--log", logPath}),
             qPrintable(sim.errorText()));
    Link link(std::make_unique<SerialLinkPort>(PortResolver(meeting.dir.path(), false)), meeting.notifier);
    link.applySettings({Keypads, 1, 1, 1});
    link.start();
    QVERIFY(QTest::qWaitFor([&] { return link.sequencer().isRaised(LinkEvent::LinkReady); }, FlowTimeoutMs));

    HallScreen hall;
    const TextCatalogue catalogue(language.fileName());
    const auto conference = meeting.conference(link, hall, catalogue);
    SpeechController speech(*conference);
    speech.open();
    speech.setNameDisplay(true);

    // Limited speech, two at once: the third delegate waits.
    speech.setMode(SpeechController::Mode::Replace);
    speech.setSpeakerCount(2);
    QTRY_COMPARE_WITH_TIMEOUT(link.sequencer().queuedPosts(), 0, FlowTimeoutMs);
    QTest::qWait(300); // the second command reaches the base station before the first request
    QCOMPARE(sim.command("request 3,5,7"), "ok");
    QTRY_COMPARE_WITH_TIMEOUT(speech.micState(7), MicState::Waiting, FlowTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(speech.micState(5), MicState::Open, FlowTimeoutMs);
    QCOMPARE(speech.micState(3), MicState::Open);
    QTRY_COMPARE_WITH_TIMEOUT(hall.chart().messageLines().value(0), QStringLiteral("Delegate 5 is speaking"),
                              FlowTimeoutMs);
    QCOMPARE(speech.speakingTime().waiting().size(), 1);

    // Closing one microphone gives the floor to the one who waited.
    speech.setKeypadText("3");
    QVERIFY(speech.closeMicrophone());
    QTRY_COMPARE_WITH_TIMEOUT(speech.micState(7), MicState::Open, FlowTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(speech.micState(3), MicState::Closed, FlowTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(hall.chart().messageLines().value(0), QStringLiteral("Delegate 7 is speaking"),
                              FlowTimeoutMs);

    // A locked keypad asks in vain.
    speech.setKeypadText("9");
    QVERIFY(speech.lock());
    QTRY_COMPARE_WITH_TIMEOUT(speech.micState(9), MicState::Locked, FlowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(sim.command("state 9").contains("excl"), FlowTimeoutMs);
    QCOMPARE(sim.command("request 9"), "ok");
    QTest::qWait(500);
    QCOMPARE(sim.command("state 9"), "9:excl,k0");
    QCOMPARE(speech.micState(9), MicState::Locked);

    // A preset for keypad 4 on the second camera, and one for 6; opening 4's microphone turns the camera.
    CameraController camera(link, meeting.notifier, catalogue, meeting.dir.filePath("System/Vidaddr.ini"));
    camera.open();
    camera.selectCamera(2);
    camera.setPresetMode(true);
    for (const char *unit : {"4", "6"}) {
        QVERIFY(camera.openUnit(unit));
        meeting.notifier.queueAnswer(true);
        camera.storePreset();
    }
    QTRY_COMPARE_WITH_TIMEOUT(link.sequencer().queuedPosts(), 0, FlowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(sim.command("camera").contains("at 6 presets 4,6"), FlowTimeoutMs);
    const ProfileFile presets(meeting.dir.filePath("System/Vidaddr.ini"));
    QCOMPARE(presets.readString("VID1", "cell4"), "4");
    QCOMPARE(presets.readString("VID1", "cell6"), "6");
    QCOMPARE(presets.readString("Vidset", "SetVid"), "1");
    speech.setKeypadText("4");
    QVERIFY(speech.openMicrophone());
    QTRY_VERIFY_WITH_TIMEOUT(sim.command("camera").contains("at 4 presets"), FlowTimeoutMs);

    QCOMPARE(commandsHeard(logPath),
             (QStringList{"speech mode 04 count 1", "speech mode 04 count 2", "close mic 3", "lock 9",
                          "camera select 2", "open mic 4", "camera store preset 4", "open mic 6",
                          "camera store preset 6", "open mic 4"}));
    // The two store questions, and nothing else.
    QCOMPARE(meeting.notifier.count(), 2);
    for (const RecordingNotifier::Entry &entry : meeting.notifier.entries())
        QCOMPARE(entry.text.key, QStringLiteral("MsgClew11"));
    link.stop();
}

QTEST_GUILESS_MAIN(TestFloorFlow)
#include "testfloorflow.moc"
