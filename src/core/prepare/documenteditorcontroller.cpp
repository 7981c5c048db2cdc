#include "core/prepare/documenteditorcontroller.h"

#include <QDir>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "core/output/rtfwriter.h"
#include "core/prepare/meetingmaterial.h"
#include "core/base/operatornotifier.h"

namespace {
OperatorText editorText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("DlgEditVote"), QLatin1String(key));
}
} // namespace

DocumentEditorController::DocumentEditorController(const DataRoot &root, DocumentSetup setup,
                                                   OperatorNotifier &notifier)
    : m_root(root), m_setup(std::move(setup)), m_notifier(notifier)
{}

QString DocumentEditorController::folderPath() const
{
    return m_setup.mode == DocumentSetup::Mode::Banner ? MeetingMaterial::bannerFolderPath(m_root)
                                                       : MeetingMaterial::folderPath(m_root, m_setup.folder);
}

QString DocumentEditorController::loadPath() const
{
    if (m_setup.storedName.isEmpty())
        return {};
    return m_setup.mode == DocumentSetup::Mode::Banner
               ? MeetingMaterial::bannerPath(m_root, m_setup.storedName)
               : MeetingMaterial::contentPath(m_root, m_setup.folder, m_setup.storedName);
}

QString DocumentEditorController::savePath() const
{
    const QString name = MeetingMaterial::documentName(m_setup.baseName);
    if (!MeetingMaterial::isPlainName(m_setup.baseName))
        return {};
    return m_setup.mode == DocumentSetup::Mode::Banner
               ? MeetingMaterial::bannerPath(m_root, name)
               : MeetingMaterial::contentPath(m_root, m_setup.folder, name);
}

bool DocumentEditorController::load(QTextDocument &document)
{
    document.clear();
    document.setModified(false);
    if (!m_setup.storedName.isEmpty()) {
        const QString path = loadPath();
        const DocumentReader::Start start =
            path.isEmpty() ? DocumentReader::Start::Missing : m_reader.start(path);
        if (start == DocumentReader::Start::TooLarge)
            DocumentReader::reportTooLarge(m_notifier, path);
        return start == DocumentReader::Start::Reading;
    } else {
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("\n\n\n"));
        QTextCharFormat title;
        if (m_setup.text.isValid())
            title.setForeground(m_setup.text);
        cursor.insertText(m_setup.title, title);
    }
    document.setModified(false);
    return false;
}

bool DocumentEditorController::save(QTextDocument &document)
{
    const QString path = savePath();
    if (m_reader.isReading())
        return false;
    if (path.isEmpty() || !QDir().mkpath(folderPath()) || !RtfWriter::writeFile(document, path)) {
        m_notifier.information(editorText("MsgClew"), editorText("MsgSaveErr"));
        return false;
    }
    document.setModified(false);
    m_saved = true;
    return true;
}
