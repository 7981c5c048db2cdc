#pragma once

#include "scenario.h"

#include "core/link/frameassembler.h"

#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>

#include <array>

class PacedWriter;
class QIODevice;

// A base station with its keypads, as the console sees it over the line: it answers the probe and the
// polls, carries out every command the console sends on the keypads' side (sign-in, ballots, microphones,
// locks), and lets the scenario and the operator's commands play the delegates.
class BaseStation final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BaseStation)

public:
    struct Keypad
    {
        bool online = true;
        bool excluded = false;
        bool signedIn = false;
        bool micOpen = false;
        bool waiting = false;
        int keyCode = 0;
    };

    BaseStation(Scenario scenario, PacedWriter &writer, QIODevice *log, QObject *parent = nullptr);

    void receive(const QByteArray &bytes);
    // One command line of the operator or a test; returns the reply line.
    QString command(const QString &line);

    const Keypad &keypad(int n) const { return m_keypads[size_t(n)]; }
    // A muted base station hears the console but never answers, like a powered-off unit or another device.
    void setMuted(bool muted) { m_muted = muted; }

signals:
    void unplugRequested();
    void replugRequested();
    void quitRequested();

private:
    void handle(const LinkFrame &frame);
    void answerPoll(int n);
    void send(const LinkFrame &frame);
    void sendStatus(quint8 code, int n);
    void logFrame(const char *direction, const LinkFrame &frame, const QString &meaning);

    void openSignIn(bool clear);
    void startBallot(int keys, bool several);
    void applyScriptedVotes(int ballot);
    void pressKey(int n, int key);
    void request(int n);
    void withdraw(int n);
    void openMic(int n);
    void closeMic(int n, quint8 code = 0x00);
    int openUnreservedMics() const;
    void grantWaiting();
    QString camera(int op);
    QString cameraState() const;
    bool isKeypad(int n) const { return n >= 1 && n <= m_scenario.keypads; }

    Scenario m_scenario;
    PacedWriter &m_writer;
    QIODevice *m_log;
    FrameAssembler m_assembler;
    QElapsedTimer m_clock;
    QRandomGenerator m_random;
    std::array<Keypad, 256> m_keypads{};

    bool m_muted = false;
    bool m_signInOpen = false;
    int m_signInGeneration = 0;
    bool m_ballotOpen = false;
    int m_ballotKeys = 3;
    bool m_ballotSeveral = false;
    int m_ballotCount = 0;
    int m_speechMode = 0x81;
    int m_speakerCount = 1;
    QList<int> m_speakingOrder; // unreserved open microphones, oldest first
    QList<int> m_waitingOrder;  // requests waiting for a free microphone, first come first served

    // The camera line behind the base station, as far as the console can drive it.
    struct Camera
    {
        int selected = 1;
        QString line = QStringLiteral("rs422");
        QString protocol = QStringLiteral("pelcod");
        QString motion = QStringLiteral("stopped");
        int pointsAt = 0;   // the keypad whose preset the camera turned to last
        int lastOpened = 0; // the keypad opened last: a stored preset is for it
        std::array<QList<int>, 9> presets;
    };
    Camera m_camera;
};
