#pragma once

#include <QList>
#include <QString>

// The speaking-time window's lists: every open microphone with the time its speaker has left, and the
// delegates waiting for the floor. Time is counted in whole seconds and shown as m:ss, so a minute ends
// on m:00 and no second is skipped at the turn of a minute.
class SpeakingTime final
{
public:
    static constexpr int FieldLimit = 60;

    struct Speaker
    {
        int keypad = 0;
        QString name;
        int secondsLeft = 0;
    };
    struct Waiting
    {
        int keypad = 0;
        QString name;
    };

    // "m:ss".
    static QString clockText(int seconds);

    // The three fields as typed (digits only) and as accepted by OK.
    QString minutesText() const { return m_minutes; }
    QString secondsText() const { return m_seconds; }
    QString callAheadText() const { return m_callAhead; }
    void setMinutesText(const QString &text);
    void setSecondsText(const QString &text);
    void setCallAheadText(const QString &text);
    // OK: each field is held to 0..60 and written back as a plain number; later speakers get the new time.
    void accept();
    // What a new speaker is given, in seconds.
    int allowance() const { return m_allowance; }
    int callAheadSeconds() const { return m_callAheadSeconds; }

    // The open microphones, oldest first: new speakers start with the allowance, closed ones leave.
    void followSpeakers(const QList<Speaker> &open);
    void setWaiting(QList<Waiting> waiting) { m_waiting = std::move(waiting); }
    // One second passed; the keypads whose time ran out leave the list and are returned.
    QList<int> tick();
    // The speaker is within the call-ahead seconds of his end.
    bool isEnding(const Speaker &speaker) const;

    const QList<Speaker> &speaking() const { return m_speaking; }
    const QList<Waiting> &waiting() const { return m_waiting; }

private:
    QString m_minutes = QStringLiteral("1");
    QString m_seconds = QStringLiteral("59");
    QString m_callAhead = QStringLiteral("10");
    int m_allowance = 119;
    int m_callAheadSeconds = 10;
    QList<Speaker> m_speaking;
    QList<int> m_expired; // ran out while the microphone stays open: not counted again
    QList<Waiting> m_waiting;
};
