#pragma once

#include <QList>
#include <QString>

// One entry of a meeting's journal as stored: its place in the chain, its local time, what it records,
// the motion it belongs to (empty for sign-ins and the link) and its content, a compact JSON object.
struct JournalEntry
{
    qint64 id = 0;
    QString stamp;
    QString kind;
    QString motion;
    QString content;
    QString hash;
};

// An entry still to be written: the journal gives it its place, time and hash when it is appended.
struct JournalNote
{
    QString kind;
    QString motion;
    QString content;
};

using JournalNotes = QList<JournalNote>;

// What the journal records. The names are stored and read back by the verifier and the recovery, so they
// never change.
namespace JournalKind {
inline const QString SignInStart = QStringLiteral("SignInStart");
inline const QString SignInLive = QStringLiteral("SignInLive");
inline const QString SignInEnd = QStringLiteral("SignInEnd");
inline const QString SignInRecovered = QStringLiteral("SignInRecovered");
inline const QString SignInDiscarded = QStringLiteral("SignInDiscarded");
inline const QString SignInKeypad = QStringLiteral("SignInKeypad");
inline const QString BallotStart = QStringLiteral("BallotStart");
inline const QString BallotLive = QStringLiteral("BallotLive");
inline const QString BallotStop = QStringLiteral("BallotStop");
inline const QString BallotResult = QStringLiteral("BallotResult");
inline const QString BallotInterrupted = QStringLiteral("BallotInterrupted");
inline const QString BallotRecovered = QStringLiteral("BallotRecovered");
inline const QString BallotDiscarded = QStringLiteral("BallotDiscarded");
inline const QString LinkLost = QStringLiteral("LinkLost");
inline const QString LinkFound = QStringLiteral("LinkFound");
inline const QString MeetingChanged = QStringLiteral("MeetingChanged");
inline const QString DelegateChanged = QStringLiteral("DelegateChanged");
inline const QString MotionChanged = QStringLiteral("MotionChanged");
} // namespace JournalKind
