#pragma once

#include "core/store/journalentry.h"
#include "core/store/signinmark.h"

#include <optional>

// What a sign-in's journal entries hold. The start carries the marks the sign-in writes and the keypads it
// counts, so a sign-in cut off by a crash can be stored at the next start exactly as its end would have.
struct SignInStartRecord
{
    bool fill = false;
    int keypadCount = 0;
    QList<int> counted;      // keypads that count towards the present count, ascending
    QList<int> signedBefore; // a late sign-in adds to these
    QString presentMark;
    QString absentMark;
};

namespace SignInJournal {

JournalNote start(const SignInStartRecord &record);
// Keypads that signed in since the last live entry.
JournalNote live(const QList<int> &signedIn);
// kind: JournalKind::SignInEnd, SignInRecovered or SignInKeypad.
JournalNote marks(const QString &kind, const QList<SignInMark> &marks, int signedCount);
JournalNote discarded();

std::optional<SignInStartRecord> readStart(const QString &content);
QList<int> readLive(const QString &content);

bool isEnd(const QString &kind);

} // namespace SignInJournal
