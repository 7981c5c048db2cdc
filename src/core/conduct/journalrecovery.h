#pragma once

#include "core/conduct/ballotjournal.h"
#include "core/conduct/signinjournal.h"

#include <QSet>

class DataRoot;
class OperatorNotifier;
class SystemDatabase;

// A sign-in or ballot that the journal shows begun and never ended: the console died while it ran. At the
// next start the operator is told and chooses: store what was collected (marked recovered in the journal),
// discard it (the motion's row goes back to what it held before the ballot), or decide at the next start.
// Nothing is decided without the operator.
class JournalRecovery
{
public:
    struct Unfinished
    {
        QString meeting;
        bool ballot = false;
        QString motion;
        QString stamp; // when it began
        BallotStartRecord ballotStart;
        QMap<int, int> keyCodes;
        SignInStartRecord signInStart;
        QSet<int> signedIn;

        // Counted keypads that answered the ballot or signed in.
        int collected() const;
    };

    JournalRecovery(const DataRoot &root, SystemDatabase &systemDatabase, OperatorNotifier &notifier);

    // What the entries of one meeting leave unfinished: at most a sign-in and a ballot.
    static QList<Unfinished> unfinished(const QList<JournalEntry> &entries);

    // Every meeting's unfinished runs.
    QList<Unfinished> scan();
    bool store(const Unfinished &run);
    bool discard(const Unfinished &run);
    // Asks about every unfinished run: store, else discard, else leave it for the next start.
    void offer();

private:
    const DataRoot &m_root;
    SystemDatabase &m_systemDatabase;
    OperatorNotifier &m_notifier;
};
