#pragma once

#include "core/link/commandsequencer.h"
#include "core/link/frameassembler.h"
#include "core/link/frameparser.h"
#include "core/link/keypadtable.h"

#include <QObject>
#include <QStringList>

#include <memory>

class LinkPort;
class OperatorNotifier;
class QTimer;
struct OperatorText;

// The console's link to the base station, for the whole run: the port, the framer, the keypad table, the
// control values and the sequencer with its timers. The application owns one and hands it to every window
// that posts modes or reads the table; no other object sends a frame.
class Link final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Link)

public:
    Link(std::unique_ptr<LinkPort> port, OperatorNotifier &notifier, QObject *parent = nullptr);
    ~Link() override;

    void applySettings(const LinkSettings &settings) { m_sequencer.applySettings(settings); }
    const LinkSettings &settings() const { return m_sequencer.settings(); }

    // Posts the base-station search and starts the tick.
    void start();
    void stop();

    void post(LinkMode mode) { m_sequencer.post(mode); }
    void post(LinkMode mode, quint32 command) { m_sequencer.post(mode, command); }

    // The keypad monitor slows the tick while it checks, and restores it when it closes.
    void setTickPeriod(int ms);
    int tickPeriod() const;

    KeypadTable &table() { return m_table; }
    const KeypadTable &table() const { return m_table; }
    CommandSequencer &sequencer() { return m_sequencer; }
    LinkPort &port() { return *m_port; }

    // The base station answered and has not been lost since.
    bool hasBaseStation() const { return m_sequencer.hasBaseStation(); }
    // The base station went away and is being searched for.
    bool isLost() const { return m_sequencer.isLost(); }
    // What the running window shows while the base station is lost ("searching COM1..COM4"); empty
    // while the link is up.
    OperatorText statusText() const;

    // The ports of the last sweep that another program held ("COM3 (/dev/ttyUSB2)"): when no base
    // station answered, the operator is told that these were never searched rather than silent.
    const QStringList &portsInUse() const { return m_portsInUse; }

    // Frames taken off the line since start, for diagnostics and the benchmark.
    quint64 framesReceived() const { return m_framesReceived; }

    // Feeds received bytes as the port delivers them; public so tests can inject bytes directly.
    void receive(const QByteArray &bytes, qint64 receivedMs);

signals:
    // The base station went away, or answered again.
    void connectionChanged();

private:
    void onOpenPortRequested(int portNumber);
    void onSendRequested(quint32 command);
    void onOneShotRequested(OneShotTimer timer);
    void onPortLost();
    QTimer *oneShot(OneShotTimer timer) const;

    std::unique_ptr<LinkPort> m_port;
    OperatorNotifier &m_notifier;
    KeypadTable m_table;
    CommandSequencer m_sequencer;
    FrameParser m_parser;
    FrameAssembler m_assembler;
    QTimer *m_tick;
    QTimer *m_oneShots[5];
    quint64 m_framesReceived = 0;
    QStringList m_portsInUse;
    int m_lastPortOpened = 0;
};
