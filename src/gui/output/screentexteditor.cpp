#include "gui/output/screentexteditor.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/output/hallscreen.h"
#include "core/output/rtfreader.h"
#include "core/output/rtfwriter.h"
#include "core/shell/dataroot.h"
#include "gui/ui/richtextmenu.h"
#include "gui/ui/windowtexts.h"

ScreenTextEditor::ScreenTextEditor(HallScreen &hall, const DataRoot &root, const TextCatalogue &catalogue,
                                   QWidget *parent)
    : QDialog(parent), m_hall(hall), m_path(root.filePath(ScreenTextFile.toString())),
      m_editor(new QTextEdit(this))
{
    setObjectName(QStringLiteral("FrmInser"));
    // No close box: the close button is the only way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(800, 400);

    m_editor->setAcceptRichText(true);
    // Written on the hall's colours, so the operator sees what the hall will see.
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, hall.background());
    palette.setColor(QPalette::Text, hall.textColour());
    m_editor->setPalette(palette);
    m_editor->setTabChangesFocus(false);
    installRichTextMenu(m_editor, catalogue);
    if (QFileInfo::exists(m_path))
        RtfReader::readFile(m_path, *m_editor->document());
    m_editor->document()->setModified(false);

    auto *sendButton = new QPushButton(this);
    sendButton->setObjectName(QStringLiteral("IDC_SEND_INSBNT"));
    auto *closeButton = new QPushButton(this);
    closeButton->setObjectName(QStringLiteral("IDOK"));
    for (QPushButton *b : {sendButton, closeButton}) {
        // Enter belongs to the text: no button takes it.
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(sendButton, &QPushButton::clicked, this, &ScreenTextEditor::send);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sendButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_editor, 1);
    layout->addLayout(buttons);

    WindowTexts(catalogue, QStringLiteral("FrmInser")).apply(this);
}

void ScreenTextEditor::open(QWidget *parent, HallScreen &hall, const DataRoot &root,
                            const TextCatalogue &catalogue)
{
    ScreenTextEditor editor(hall, root, catalogue, parent);
    const QRect area = parent ? parent->window()->frameGeometry()
                              : (editor.screen() ? editor.screen()->availableGeometry() : QRect());
    if (area.isValid())
        editor.move(area.center() - editor.rect().center());
    editor.exec();
}

void ScreenTextEditor::send()
{
    m_hall.show(HallScreen::Pane::Text);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (RtfWriter::writeFile(*m_editor->document(), m_path)) {
        m_editor->document()->setModified(false);
        m_hall.showDocument(m_path);
        setWindowTitle(QStringLiteral("MyRtf - %1").arg(QDir::toNativeSeparators(m_path)));
    } else {
        // The hall gets the text even when the folder cannot be written; the file stays as it was.
        RtfReader::read(RtfWriter::write(*m_editor->document()), m_hall.clearText());
    }
    m_hall.textDocument().setModified(false);
}

void ScreenTextEditor::reject()
{
    // Escape and the window system's close request leave the editor open.
}

void ScreenTextEditor::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
