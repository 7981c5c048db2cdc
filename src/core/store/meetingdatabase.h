#pragma once

#include "core/store/delegaterecord.h"
#include "core/store/journalentry.h"
#include "core/store/motionrecord.h"
#include "core/store/signinmark.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class DataRoot;
class OperatorNotifier;

// The database of one meeting, Data/<meeting name>.db below the data root: its delegates (`Employees`),
// its motions (`Overture`) and the log of its sign-ins (`SignIn`). Each call is one table operation on a
// connection of its own; failures are shown through the notifier and the call returns empty records or
// false. A meeting database that does not exist is such a failure: one message, nothing read or written.
// MeetingFiles creates, moves and deletes the files.
//
// Every change to delegates and motions, and every stored sign-in and result, is journalled (MeetingJournal)
// in the same transaction as the change itself; the notes a caller hands in go into that transaction too.
class MeetingDatabase final
{
    Q_DISABLE_COPY_MOVE(MeetingDatabase)

public:
    MeetingDatabase(const DataRoot &root, QString meetingName, OperatorNotifier &notifier);

    const QString &meetingName() const { return m_meetingName; }
    // Empty when the meeting name cannot name a file.
    const QString &filePath() const { return m_filePath; }

    // Delegates. Lists are in creation order.
    DelegateList listDelegates();
    DelegateList findDelegatesByKeypad(const QString &CellNo);
    DelegateList findDelegatesByName(const QString &EmpName);
    DelegateList delegatesBySignIn(const QString &sign);
    // Delegates whose `sign` is any of the texts, in creation order: a mark is an interface text, so a
    // report looks for it in every language it may have been written in.
    DelegateList delegatesBySignIns(const QStringList &signs);
    bool delegateExists(const QString &CellNo);
    // Fills the record from the first row of the keypad; false when there is none.
    bool readDelegate(const QString &CellNo, DelegateRecord &record);
    // The name of the first delegate of the keypad, empty when there is none.
    QString delegateName(const QString &CellNo);
    bool insertDelegate(const DelegateRecord &record);
    // Inserts the delegates in order, in one transaction: either all of them are stored or none.
    bool insertDelegates(const QList<DelegateRecord> &records);
    // Rewrites the row found by its previous keypad number and its group; every field but `Grouping`
    // takes the record's value. A delegate with the same keypad number in another group is not touched.
    bool updateDelegate(const QString &previousCellNo, const QString &Grouping, const DelegateRecord &record);
    // Removes the keypad's rows in every group.
    bool deleteDelegate(const QString &CellNo);
    bool deleteAllDelegates();

    // Photos: the whole bytes of the picture file, stored as they are. An empty photo reads back as none.
    // The first form writes the first row of the keypad, as a new delegate's photo follows its insert.
    bool writePhotoByKeypad(const QString &CellNo, const QByteArray &photo);
    bool writePhoto(const QString &Grouping, const QString &CellNo, const QByteArray &photo);
    QByteArray readPhoto(const QString &Grouping, const QString &CellNo);

    // Stores what a sign-in found: each keypad's mark in `Employees`.`sign`, then the `SignIn` table
    // becomes the record of this sign-in, one row per keypad in the order given. One transaction: either
    // the whole sign-in is written or none of it, and the record of the one before stays.
    bool storeSignIn(const QList<SignInMark> &marks, const JournalNotes &notes = {});
    // The record of the last sign-in, empty when the meeting has had none. Tables that grew under
    // earlier versions hold several sign-ins: the latest row of each keypad stands.
    QList<SignInMark> lastSignIn();
    bool clearSignInLog();

    // Motions.
    MotionList listMotions();
    bool motionExists(const QString &OveName);
    // Fills the record from the motion's row; false when there is none.
    bool readMotion(const QString &OveName, MotionRecord &record);
    bool insertMotion(const MotionRecord &record);
    // Finds the row by `insertdate` and sets the title and the ballot options (`OveName` .. `ytText`).
    // `notes` go into the same transaction, after the motion's own entry (a ballot's start).
    bool updateMotion(const MotionRecord &record, const JournalNotes &notes = {});
    bool deleteMotion(const QString &OveName);
    bool storeCandidates(const QString &OveName, const QString &candidate);
    bool storeContentFile(const QString &insertdate, const QString &rtf);
    bool storeResult(const QString &OveName, const QString &result, const QString &VoteState,
                     const QString &PollTimel, const JournalNotes &notes = {});
    QList<MotionRecord> motionsByType(const QString &OveType);
    QList<MotionRecord> motionsByTypeAndState(const QString &OveType, const QString &VoteState);
    QList<MotionRecord> motionsByState(const QString &VoteState);
    // Every motion with all its columns, in creation order.
    QList<MotionRecord> allMotions();

private:
    bool usable();
    DelegateList delegates(const QString &where, const QVariantList &values);
    QList<MotionRecord> motions(const QString &where, const QVariantList &values);
    bool execute(const QString &sql, const QVariantList &values, const JournalNotes &notes = {});
    bool storePhoto(const QString &rowFilter, const QVariantList &keys, const QByteArray &photo);
    JournalNote motionNote(const QString &operation, const QString &OveName, QVariantMap fields);

    QString m_meetingName;
    QString m_filePath;
    OperatorNotifier &m_notifier;
};
