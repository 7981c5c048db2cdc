#include "core/output/screentextcontroller.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

#include "core/output/hallscreen.h"
#include "core/output/rtfreader.h"
#include "core/output/rtfwriter.h"
#include "core/base/dataroot.h"

ScreenTextController::ScreenTextController(HallScreen &hall, const DataRoot &root, OperatorNotifier &notifier)
    : m_hall(hall), m_notifier(notifier), m_path(root.filePath(ScreenTextFile.toString()))
{}

bool ScreenTextController::load()
{
    switch (m_reader.start(m_path)) {
    case DocumentReader::Start::Reading:
        return true;
    case DocumentReader::Start::TooLarge:
        DocumentReader::reportTooLarge(m_notifier, m_path);
        return false;
    case DocumentReader::Start::Missing:
        break;
    }
    return false;
}

bool ScreenTextController::send(QTextDocument &document)
{
    if (m_reader.isReading())
        return false;
    m_hall.show(HallScreen::Pane::Text);
    const QByteArray rtf = RtfWriter::write(document);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(rtf) == rtf.size() && file.commit();
    if (written)
        document.setModified(false);
    // The hall takes the text the file now holds, in one step and at once: what the operator typed is on
    // the hall when the click returns. A document as large as the hall's reader exists for goes the way
    // every large document goes when the file has it.
    if (written && rtf.size() > SendInPlaceBytes) {
        m_hall.showDocument(m_path);
    } else {
        auto shown = std::make_unique<QTextDocument>();
        RtfReader::read(rtf, *shown);
        m_hall.showDocument(std::move(shown));
    }
    m_hall.textDocument().setModified(false);
    return written;
}
