#pragma once

#include "core/shell/textcatalogue.h"

#include <QString>

#include <functional>

class DataRoot;
class HallScreen;
class Link;
class OperatorNotifier;
class QWidget;
class SystemDatabase;
struct StoredResult;
enum class VoteType;

// What the console lends a conference for as long as it runs: the link, the databases and the hall screen
// outlive the conference window. The sign-in-closed flag does not: it belongs to the meeting held.
struct ConferenceContext
{
    Link &link;
    SystemDatabase &systemDatabase;
    const DataRoot &root;
    OperatorNotifier &notifier;
    HallScreen &hall;
    TextCatalogue catalogue;
    QString photoFolder;
    QString systemType; // `Manage`.`function`
};

// The windows a conference opens that other parts of the console provide. Each is optional: while one is
// missing, the control that would open it stays disabled, so the console never offers a dead button.
struct ConferenceHooks
{
    // The discussion page; started when shown, stopped when another page takes the child area.
    std::function<QWidget *(QWidget *parent, const QString &meetingName)> createSpeechPage;
    std::function<void(QWidget *page, bool running)> runSpeechPage;
    // The document page (the text player).
    std::function<QWidget *(QWidget *parent)> createDocumentPage;
    // The screen text editor of the hall screen.
    std::function<void(QWidget *parent)> openScreenTextEditor;
    // The hall screen's size and colour (the screen setup window), run modally from the conference's menu.
    std::function<void(QWidget *parent)> openScreenSetup;
    // The meeting-preparation window, run modally from the conference's menu. It gets the meeting the
    // conference holds open, which it must neither rename nor delete.
    std::function<void(QWidget *parent, const QString &openMeeting)> runMeetingPreparation;
    std::function<void()> openHelp;
    // The result window for a stored result.
    std::function<void(QWidget *parent, const StoredResult &result)> openResult;
    // The candidate window: the list to edit, the vote type and whether the motion was voted; returns the
    // new list, empty when the operator cancelled.
    std::function<QString(QWidget *parent, const QString &candidates, VoteType type, bool voted)>
        editCandidates;
};
