#include "core/prepare/preparationstatements.h"

#include <QSqlRecord>

#include "core/store/columntext.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"

namespace PreparationStatements {

QStringList groupings(const MeetingDatabase &database, OperatorNotifier &notifier)
{
    QStringList groups;
    if (database.filePath().isEmpty())
        return groups;
    DatabaseAccess db(database.filePath(), notifier);
    const QList<QSqlRecord> rows = db.query(
        QStringLiteral("select distinct Grouping from Employees where Grouping <> '' order by Grouping"));
    for (const QSqlRecord &row : rows) {
        QString group;
        readColumn(row, QStringLiteral("Grouping"), group);
        groups.append(group);
    }
    return groups;
}

bool storeScoresAndState(const MeetingDatabase &database, OperatorNotifier &notifier,
                         const QString &insertdate, const QString &mark, const QString &VoteState)
{
    if (database.filePath().isEmpty())
        return false;
    DatabaseAccess db(database.filePath(), notifier);
    return db.execute(QStringLiteral("update Overture set mark=?,VoteState=? where insertdate =?"),
                      {mark, VoteState, insertdate});
}

} // namespace PreparationStatements
