#pragma once

#include <QColor>
#include <QString>

#include "core/output/documentreader.h"

class DataRoot;
class OperatorNotifier;
class QTextDocument;

// What the rich-text editor is opened with.
struct DocumentSetup
{
    enum class Mode
    {
        Banner, // the meeting's banner in MeeFile/Meebanner/
        Motion, // a motion's content document in the meeting's material folder
    };

    Mode mode = Mode::Motion;
    QString title;      // written into a document that has not been saved yet
    QString folder;     // motion mode: the meeting's stamp, which names its material folder
    QString storedName; // the saved document, empty when there is none yet
    QString baseName;   // the stamp the document is saved under, as "<baseName>.rtf"
    int width = 0;      // the hall screen's width in pixels: the text wraps as it will there
    QColor background;  // the hall screen's colours
    QColor text;
};

// The rich-text editor's files (DlgEditVote): which document it loads and where it saves, read and
// written as RTF. The formatting itself is the text pane's business.
class DocumentEditorController final
{
    Q_DISABLE_COPY_MOVE(DocumentEditorController)

public:
    DocumentEditorController(const DataRoot &root, DocumentSetup setup, OperatorNotifier &notifier);

    const DocumentSetup &setup() const { return m_setup; }
    // Empty when there is nothing to load.
    QString loadPath() const;
    QString savePath() const;

    // Empties the pane and starts reading the saved document off the interface thread; true while it is
    // read, and reader() then hands it over (ready, takeDocument). Without a saved document the pane gets
    // three empty lines and the title in the screen's text colour. A saved document that cannot be read,
    // or is too large (which the operator is told), leaves the pane empty.
    bool load(QTextDocument &document);
    DocumentReader &reader() { return m_reader; }
    // Writes the document (the material folder is made when it is missing) and clears its modified mark.
    // Refused while the saved document is still being read: the empty pane would overwrite it.
    bool save(QTextDocument &document);
    // Whether a save happened, for the caller to record the document's name after the editor closed.
    bool saved() const { return m_saved; }

private:
    QString folderPath() const;

    const DataRoot &m_root;
    DocumentSetup m_setup;
    OperatorNotifier &m_notifier;
    bool m_saved = false;
    DocumentReader m_reader;
};
