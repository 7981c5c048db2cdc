#pragma once

#include <QString>

#include <functional>

class QWidget;
struct ConferenceContext;
struct StoredResult;
enum class VoteType;

// The windows a conference opens that other parts of the console provide. Each is optional: while one is
// missing, the control that would open it stays disabled, so the console never offers a dead button.
struct ConferenceHooks
{
    // The discussion page; started when shown, stopped when another page takes the child area.
    std::function<QWidget *(QWidget *parent, ConferenceContext &context)> createSpeechPage;
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
