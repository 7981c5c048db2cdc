#pragma once

#include "core/output/documentreader.h"

#include <QString>
#include <QStringView>

class DataRoot;
class HallScreen;
class OperatorNotifier;
class QTextDocument;

// The screen text editor's work (FrmInser): it opens on the text last sent, read off the interface thread
// like every document, and it sends the edited text to the hall's text pane by way of the file
// System/insretview.rtf, the hand-over every tool that feeds the pane reads.
class ScreenTextController final
{
    Q_DISABLE_COPY_MOVE(ScreenTextController)

public:
    static constexpr QStringView ScreenTextFile = u"System/insretview.rtf";
    // Up to this size the sent text is read into the hall on the interface thread, at once; a few
    // milliseconds at most. A larger one is read off it from the file.
    static constexpr qsizetype SendInPlaceBytes = 256 * 1024;

    ScreenTextController(HallScreen &hall, const DataRoot &root, OperatorNotifier &notifier);

    const QString &filePath() const { return m_path; }

    // Starts reading the text last sent; true while it is read, and reader() then hands it over (ready,
    // takeDocument). Without a file there is nothing to read; a file above the limit is refused with a
    // message naming it. Either way the editor starts empty.
    bool load();
    DocumentReader &reader() { return m_reader; }
    bool isLoading() const { return m_reader.isReading(); }

    // The hall's text pane shows `document` when this returns (a very large one once it is read), and the
    // file is written with it. Refused while the
    // text last sent is still being read: the editor's empty pane would replace it on the hall and in the
    // file. Returns whether the file was written; when the folder cannot be written the hall still gets
    // the text and the file stays as it was.
    bool send(QTextDocument &document);

private:
    HallScreen &m_hall;
    OperatorNotifier &m_notifier;
    QString m_path;
    DocumentReader m_reader;
};
