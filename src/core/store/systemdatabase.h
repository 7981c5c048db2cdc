#pragma once

#include "core/link/linksettings.h"
#include "core/store/installationrecord.h"
#include "core/store/meetingrecord.h"
#include "core/store/screensetuprecord.h"
#include "core/store/settingsrecord.h"

#include <QString>
#include <QVariantList>

class DataRoot;
class OperatorNotifier;

// The installation's own database, System/SystemData.db below the data root: the basic settings
// (`sysbasicset`), the start-up settings (`Manage`), the screen setup (`pass`) and the register of
// meetings (`Mottag`). Each call is one table operation on a connection of its own; failures are shown
// through the notifier and the call returns empty records or false.
class SystemDatabase final
{
    Q_DISABLE_COPY_MOVE(SystemDatabase)

public:
    static QString relativePath() { return QStringLiteral("System/SystemData.db"); }
    // The operator password of a new installation; the settings window changes it.
    static QString factoryPassword() { return QStringLiteral("123456"); }
    // The settings a new installation starts with.
    static SettingsRecord factorySettings();
    static InstallationRecord factoryInstallation();

    SystemDatabase(const DataRoot &root, OperatorNotifier &notifier);

    const QString &filePath() const { return m_filePath; }

    // Creates the database with its four tables and the factory rows when the file does not exist yet.
    // The file is built under a temporary name and renamed, so a start cut off half-way never leaves a
    // database without its tables. True when the database is there.
    bool ensureExists();
    // What start-up does instead: a file that is not a sound system database (0 bytes, other bytes, cut
    // short, without its tables) is named to the operator, who may move it aside (it is never deleted)
    // and start with a new factory database; No ends the console. A file or folder that cannot be read
    // or written is named and the console ends. False when the console must end.
    bool openAtStart();
    // Empty when the file is a sound system database; else what is wrong with it, for the message.
    QString damage() const;

    // Basic settings. A missing row leaves every value empty.
    SettingsRecord loadSettings();
    LinkSettings linkSettings() { return linkSettingsFrom(loadSettings()); }
    bool setKeypadCount(const QString &cellnum);
    bool setPortRange(const QString &comlow, const QString &comHigh);
    bool setScreenSize(const QString &ScrSize);
    bool setScreenColor(quint32 ScrColor);
    bool setScreenTextColor(quint32 ScrTextColor);
    bool setUserPass(const QString &UserPass);
    bool setBallotDefaults(const QString &per, const QString &Pass, const QString &mark);
    bool setReservedCount(const QString &cinnum);
    bool setSeatPlanSelection(const QString &SeatYesORNo);
    bool setSeatPlanPicture(const QString &ico);

    // Start-up settings. A missing row leaves every value empty.
    InstallationRecord loadInstallation();

    // Screen setup: every row is read and the last one wins; a write sets every row.
    ScreenSetupRecord loadScreenSetup();
    bool setScreenSetupSize(const QString &ScrSize);
    bool setScreenSetupColor(quint32 ScrColor);

    // Meeting register.
    MeetingList listMeetings();
    // Fills the record from the meeting's row; null columns leave their text as it was. False when there
    // is no such meeting (or the database could not be read).
    bool readMeeting(const QString &MeeName, MeetingRecord &record);
    bool meetingExists(const QString &MeeName);
    bool insertMeeting(const MeetingRecord &record);
    // Finds the row by its `insertdate`, so a renamed meeting keeps its row.
    bool updateMeeting(const MeetingRecord &record);
    bool deleteMeeting(const QString &MeeName);
    bool recordSignInCount(const QString &MeeName, const QString &SignIn);
    bool recordBanner(const QString &insertdate, const QString &bannerPath);

private:
    bool updateSettings(const QString &assignments, QVariantList values);

    QString m_filePath;
    OperatorNotifier &m_notifier;
};
