// The simulated base station seen from the console's side of its pseudo terminal: the frames that come
// back for each question, and the scenario files operators write.

#include "basestation.h"
#include "pacedwriter.h"
#include "pseudoterminal.h"
#include "scenario.h"

#include "core/link/frameassembler.h"
#include "core/link/linkmode.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
// The console's end of the line, without the link: raw writes of command values, frames read back.
class ConsoleEnd
{
public:
    explicit ConsoleEnd(const QString &path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0) {
            termios tio{};
            tcgetattr(m_fd, &tio);
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~ConsoleEnd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }

    void send(quint32 command)
    {
        const LinkFrame f = LinkFrame::fromCommand(command);
        QVERIFY(::write(m_fd, f.bytes.data(), 4) == 4);
    }
    // Frames received within `ms`, as "F9 80 05" style texts without the checksum.
    QStringList receive(int ms = 150)
    {
        QStringList frames;
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            QTest::qWait(5);
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            for (const LinkFrame &f : m_assembler.feed(QByteArrayView(buffer, n), 0))
                frames << QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(f.bytes.data()), 3)
                                                  .toHex(' ')
                                                  .toUpper());
        }
        return frames;
    }

private:
    int m_fd = -1;
    FrameAssembler m_assembler;
};

struct Hall
{
    QTemporaryDir dir;
    PseudoTerminal terminal{dir.filePath(QStringLiteral("System/dev/COM1"))};
    std::unique_ptr<PacedWriter> writer;
    std::unique_ptr<BaseStation> station;
    std::unique_ptr<ConsoleEnd> console;

    explicit Hall(const QString &scenarioText)
    {
        QString error;
        const auto scenario = Scenario::parse(scenarioText, &error);
        QVERIFY2(scenario, qPrintable(error));
        QVERIFY2(terminal.open(), qPrintable(terminal.errorString()));
        writer = std::make_unique<PacedWriter>(terminal, false, false, 1);
        station = std::make_unique<BaseStation>(*scenario, *writer, nullptr);
        QObject::connect(&terminal, &PseudoTerminal::received, station.get(), &BaseStation::receive);
        console = std::make_unique<ConsoleEnd>(terminal.linkPath());
        QVERIFY(console->isOpen());
    }
};
} // namespace

class TestBaseStationSim : public QObject
{
    Q_OBJECT

private slots:
    void scenarioStatements_data();
    void scenarioStatements();
    void pollsAnswerWithTheKeypadsState();
    void probeIsAnsweredEvenWithKeypadOneOffLine();
    void ballotKindsLimitTheKeysAndEndFreezesThem();
    void signInOpensClearsAndCloses();
    void microphonesFollowSpeechModeAndChair();
    void freedMicrophoneGoesToTheLongestWaiting();
    void camerasKeepWhatTheyWereTold();
    void linkIsRemovedWhenUnplugged();
};

void TestBaseStationSim::scenarioStatements_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("comments and blanks") << "# hall\n\nkeypads 20  # twenty\n" << "";
    QTest::newRow("lists and ranges") << "offline 1,3 5-7\nexcluded all\n" << "";
    QTest::newRow("timed") << "signin 1-10 after 2.5\nspeak 4\n" << "";
    QTest::newRow("votes") << "vote 1 1-5 keys 1+3\nvote * all random 1:5 0:1\n" << "";
    QTest::newRow("unknown word") << "keypad 20\n" << "line 1: unknown word 'keypad'";
    QTest::newRow("too many keypads") << "keypads 250\n" << "line 1: keypads takes one number";
    QTest::newRow("reversed range") << "offline 7-5\n" << "line 1: bad keypad list";
    QTest::newRow("key 6") << "vote 1 1 keys 6\n" << "line 1: keys takes K or K+K with keys 1..5";
    QTest::newRow("ballot 0") << "keypads 5\nvote 0 1 keys 1\n" << "line 2: ballot number must be 1 or more, or *";
    QTest::newRow("after without seconds") << "signin 1 after\n"
                                           << "line 1: signin takes a keypad list and optionally: after SECONDS";
}

void TestBaseStationSim::scenarioStatements()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    QString why;
    const auto scenario = Scenario::parse(text, &why);
    QCOMPARE(bool(scenario), error.isEmpty());
    QCOMPARE(why, error);
}

void TestBaseStationSim::pollsAnswerWithTheKeypadsState()
{
    Hall hall(QStringLiteral("keypads 6\noffline 3\nexcluded 4\n"));
    QCOMPARE(hall.station->command(QStringLiteral("signin 2")), QStringLiteral("ok"));
    for (int n = 2; n <= 7; ++n)
        hall.console->send(Command::Poll | quint32(n));
    // Keypad 3 is off line and 7 does not exist: no answers for them.
    QCOMPARE(hall.console->receive(), (QStringList{"F9 C0 02", "F9 00 04", "F9 80 05", "F9 80 06"}));
}

void TestBaseStationSim::probeIsAnsweredEvenWithKeypadOneOffLine()
{
    Hall hall(QStringLiteral("keypads 3\noffline 1\n"));
    hall.console->send(Command::Probe);
    QCOMPARE(hall.console->receive(), QStringList{"F9 80 01"});
    QCOMPARE(hall.station->command(QStringLiteral("mute")), QStringLiteral("ok"));
    hall.console->send(Command::Probe);
    QCOMPARE(hall.console->receive(), QStringList{});
}

void TestBaseStationSim::ballotKindsLimitTheKeysAndEndFreezesThem()
{
    Hall hall(QStringLiteral("keypads 3\nvote-delay 0\n"));
    hall.console->send(Command::BallotStartThreeSeveral);
    hall.console->receive(50);
    hall.station->command(QStringLiteral("press 1 1"));
    hall.station->command(QStringLiteral("press 1 3"));
    hall.station->command(QStringLiteral("press 2 4")); // no key 4 in a three-key ballot
    hall.console->send(Command::BallotEnd);
    hall.console->receive(50);
    hall.station->command(QStringLiteral("press 2 1")); // too late
    hall.console->send(Command::Poll | 1);
    hall.console->send(Command::Poll | 2);
    QCOMPARE(hall.console->receive(), (QStringList{"F9 85 01", "F9 80 02"}));

    hall.console->send(Command::BallotStartFive);
    hall.console->receive(50);
    hall.station->command(QStringLiteral("press 1 5"));
    hall.station->command(QStringLiteral("press 2 2"));
    hall.station->command(QStringLiteral("press 2 4")); // one key only: the last counts
    hall.console->send(Command::Poll | 1);
    hall.console->send(Command::Poll | 2);
    QCOMPARE(hall.console->receive(), (QStringList{"F9 90 01", "F9 88 02"}));
}

void TestBaseStationSim::signInOpensClearsAndCloses()
{
    Hall hall(QStringLiteral("keypads 3\nsignin 1 after 0\n"));
    hall.station->command(QStringLiteral("signin 3"));
    hall.console->send(Command::SignInStart); // forgets keypad 3's earlier sign-in
    hall.console->receive(100);
    hall.console->send(Command::SignInKeypad | 2);
    hall.console->send(Command::Poll | 1);
    hall.console->send(Command::Poll | 2);
    hall.console->send(Command::Poll | 3);
    QCOMPARE(hall.console->receive(), (QStringList{"F9 C0 01", "F9 C0 02", "F9 80 03"}));
}

void TestBaseStationSim::microphonesFollowSpeechModeAndChair()
{
    Hall hall(QStringLiteral("keypads 8\nreserved 1\n"));
    hall.console->send(Command::SpeechMode | 0x8101); // first in, first out, one speaker
    hall.console->receive(50);
    hall.station->command(QStringLiteral("request 5"));
    hall.station->command(QStringLiteral("request 6"));
    QCOMPARE(hall.console->receive(), (QStringList{"E0 01 05", "E0 00 05", "E0 01 06"}));

    hall.console->send(Command::SpeechMode | 0x0401); // one speaker, the others wait
    hall.console->receive(50);
    hall.station->command(QStringLiteral("request 7"));
    hall.station->command(QStringLiteral("cancel 7"));
    QCOMPARE(hall.console->receive(), (QStringList{"E0 02 07", "E0 04 07"}));

    hall.station->command(QStringLiteral("request 1")); // the chair cuts everyone off
    QCOMPARE(hall.console->receive(), (QStringList{"E0 30 06", "E0 08 01"}));

    hall.console->send(Command::Exclude | 4);
    hall.console->receive(50);
    hall.station->command(QStringLiteral("request 4")); // locked: nothing happens
    hall.console->send(Command::MicOpen | 3);
    hall.console->send(Command::MicCloseAll);
    QCOMPARE(hall.console->receive(), (QStringList{"E0 01 03", "E0 00 03"}));
}

void TestBaseStationSim::freedMicrophoneGoesToTheLongestWaiting()
{
    Hall hall(QStringLiteral("keypads 8\nreserved 1\n"));
    hall.console->send(Command::SpeechMode | 0x0202); // requests wait their turn, two at once
    hall.console->receive(50);
    hall.station->command(QStringLiteral("request 3,4,5,6"));
    QCOMPARE(hall.console->receive(), (QStringList{"E0 01 03", "E0 01 04", "E0 02 05", "E0 02 06"}));
    QCOMPARE(hall.station->command(QStringLiteral("state 5")), QStringLiteral("5:wait,k0"));
    hall.console->send(Command::MicClose | 3);
    QCOMPARE(hall.console->receive(), (QStringList{"E0 00 03", "E0 01 05"}));
    // A lock takes the keypad out of the queue; close all empties the queue before the microphones.
    hall.console->send(Command::Exclude | 6);
    QCOMPARE(hall.console->receive(), (QStringList{"E0 30 06"}));
    hall.station->command(QStringLiteral("request 7"));
    hall.console->send(Command::MicCloseAll);
    QCOMPARE(hall.console->receive(), (QStringList{"E0 02 07", "E0 00 07", "E0 00 04", "E0 00 05"}));
}

void TestBaseStationSim::camerasKeepWhatTheyWereTold()
{
    Hall hall(QStringLiteral("keypads 8\n"));
    QCOMPARE(hall.station->command(QStringLiteral("camera")),
             QStringLiteral("camera 1 line rs422 protocol pelcod motion stopped at 0 presets -"));
    for (quint32 command : {Command::CameraSelect | (2u << 8), Command::CameraRs232, Command::CameraVisca,
                            Command::MicOpen | 7, Command::CameraStorePreset, Command::MicOpen | 4,
                            Command::CameraStorePreset, Command::CameraZoomFar})
        hall.console->send(command);
    hall.console->receive();
    QCOMPARE(hall.station->command(QStringLiteral("camera")),
             QStringLiteral("camera 2 line rs232 protocol visca motion zoom-far at 4 presets 7,4"));
    // Stopped; the camera turns to keypad 7 when its microphone opens again.
    hall.console->send(Command::CameraStop);
    hall.console->send(Command::MicClose | 7);
    hall.console->send(Command::MicOpen | 7);
    hall.console->receive();
    QCOMPARE(hall.station->command(QStringLiteral("camera")),
             QStringLiteral("camera 2 line rs232 protocol visca motion stopped at 7 presets 7,4"));
    hall.console->send(Command::CameraClearPresets);
    hall.console->receive(50);
    QVERIFY(hall.station->command(QStringLiteral("camera")).endsWith(QLatin1String("presets -")));
}

void TestBaseStationSim::linkIsRemovedWhenUnplugged()
{
    Hall hall(QStringLiteral("keypads 1\n"));
    const QString link = hall.terminal.linkPath();
    QVERIFY(QFileInfo(link).isSymLink());
    hall.terminal.close();
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
    QVERIFY(hall.terminal.open());
    QVERIFY(QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TestBaseStationSim)
#include "testbasestationsim.moc"
