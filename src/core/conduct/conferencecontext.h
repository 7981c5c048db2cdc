#pragma once

#include "core/base/textcatalogue.h"
#include "core/conduct/conferencestate.h"
#include "core/store/meetingrecord.h"

#include <QString>
#include <QtGlobal>

#include <utility>

class DataRoot;
class HallScreen;
class Link;
class OperatorNotifier;
class SystemDatabase;

// One conference as its controllers see it: what the console lends it for as long as it runs (the link,
// the databases, the hall screen outlive it), and the meeting held with what belongs to that meeting
// alone. The console makes one when the operator opens the conference; the meeting and the screen width
// are filled in when the operator has chosen the meeting, before any page's controller is made. Every
// controller of the conference's pages takes it whole, so a new page needs no new list of references.
struct ConferenceContext
{
    ConferenceContext(Link &link, SystemDatabase &systemDatabase, const DataRoot &root,
                      OperatorNotifier &notifier, HallScreen &hall, TextCatalogue catalogue,
                      QString photoFolder = {}, QString systemType = {})
        : link(link), systemDatabase(systemDatabase), root(root), notifier(notifier), hall(hall),
          catalogue(std::move(catalogue)), photoFolder(std::move(photoFolder)),
          systemType(std::move(systemType))
    {}
    Q_DISABLE_COPY_MOVE(ConferenceContext)

    Link &link;
    SystemDatabase &systemDatabase;
    const DataRoot &root;
    OperatorNotifier &notifier;
    HallScreen &hall;
    TextCatalogue catalogue;
    QString photoFolder;
    QString systemType; // `Manage`.`function`

    MeetingRecord meeting;
    QString screenWidthText; // the hall screen's width as the settings store it
    ConferenceState state;   // whether this meeting has a sign-in that ballots may count on
};
