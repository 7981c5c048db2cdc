#pragma once

#include "core/base/textcatalogue.h"

#include <QString>

class DataRoot;
class OperatorNotifier;
class SystemDatabase;

// The demo meeting from its readable sources (meeting.ini, delegates.csv, motions.ini and the documents
// beside them), entered through the preparation windows' own controllers, so the demo holds what an
// operator preparing it by hand would have stored.
class DemoMeeting final
{
public:
    DemoMeeting(const DataRoot &root, SystemDatabase &system, OperatorNotifier &notifier,
                TextCatalogue catalogue, QString sourceFolder);

    // Registers the meeting with its roster, agenda, documents and banner. A meeting of that name already
    // in the register is left as it is, so the operator's changes survive a second set-up. False when
    // something could not be stored (the notifier has said what).
    bool create();

private:
    bool addDelegates(const QString &meetingName);
    bool addMotions(const QString &meetingName, const QString &meetingStamp);
    bool copyDocument(const QString &source, const QString &target) const;

    const DataRoot &m_root;
    SystemDatabase &m_system;
    OperatorNotifier &m_notifier;
    TextCatalogue m_catalogue;
    QString m_source;
};
