#include "gui/output/screentexteditor.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/output/documentlayoutpacer.h"
#include "core/output/hallscreen.h"
#include "gui/ui/richtextmenu.h"
#include "gui/ui/windowtexts.h"

ScreenTextEditor::ScreenTextEditor(HallScreen &hall, const DataRoot &root, OperatorNotifier &notifier,
                                   const TextCatalogue &catalogue, QWidget *parent)
    : QDialog(parent), m_controller(hall, root, notifier), m_editor(new QTextEdit(this)),
      m_send(new QPushButton(this))
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
    // The text last sent arrives whole, off the interface thread; until then there is nothing to edit.
    connect(&m_controller.reader(), &DocumentReader::ready, this, [this](bool read) {
        if (read) {
            // The editor owns it from here; its own empty document goes with the swap.
            QTextDocument *document = m_controller.reader().takeDocument().release();
            document->setParent(m_editor);
            document->setModified(false);
            DocumentLayoutPacer::attach(*document);
            m_editor->setDocument(document);
        }
        m_editor->setReadOnly(false);
        m_send->setEnabled(true);
    });
    const bool loading = m_controller.load();
    m_editor->setReadOnly(loading);

    QPushButton *sendButton = m_send;
    sendButton->setObjectName(QStringLiteral("IDC_SEND_INSBNT"));
    sendButton->setEnabled(!loading);
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

void ScreenTextEditor::open(QWidget *parent, HallScreen &hall, const DataRoot &root, OperatorNotifier &notifier,
                            const TextCatalogue &catalogue)
{
    ScreenTextEditor editor(hall, root, notifier, catalogue, parent);
    const QRect area = parent ? parent->window()->frameGeometry()
                              : (editor.screen() ? editor.screen()->availableGeometry() : QRect());
    if (area.isValid())
        editor.move(area.center() - editor.rect().center());
    editor.exec();
}

void ScreenTextEditor::send()
{
    if (m_controller.send(*m_editor->document()))
        setWindowTitle(QStringLiteral("MyRtf - %1").arg(QDir::toNativeSeparators(m_controller.filePath())));
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
