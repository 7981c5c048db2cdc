#pragma once

#include <QString>
#include <QStringList>

class MeetingDatabase;
class OperatorNotifier;

// The few table operations the preparation windows need beyond those of MeetingDatabase. Each is one
// operation on a connection of its own, values bound, failures shown through the notifier.
namespace PreparationStatements {

// The groups (channels) the meeting's delegates are in, without the empty one, sorted.
QStringList groupings(const MeetingDatabase &database, OperatorNotifier &notifier);

// The key scores and ballot state of the motion with this stamp. The motion update leaves both alone,
// yet an edit can turn a motion into a scoring, which needs the scores, or edit an appraisal, which
// takes it back to "not voted".
bool storeScoresAndState(const MeetingDatabase &database, OperatorNotifier &notifier,
                         const QString &insertdate, const QString &mark, const QString &VoteState);

} // namespace PreparationStatements
