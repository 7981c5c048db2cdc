#include "gui/prepare/documenteditordialog.h"

#include "core/output/documentlayoutpacer.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/base/operatornotifier.h"
#include "gui/ui/filefilters.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QImageReader>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>

DocumentEditorDialog::DocumentEditorDialog(DocumentEditorController &controller, OperatorNotifier &notifier,
                                           const TextCatalogue &catalogue, QWidget *parent)
    : QDialog(parent), m_controller(controller), m_notifier(notifier),
      m_texts(catalogue, QStringLiteral("DlgEditVote")), m_pane(new QTextEdit(this))
{
    setObjectName(QStringLiteral("DlgEditVote"));
    resize(980, 680);
    setWindowTitle(m_texts.text(QStringLiteral("DlgName")));

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [&](const QString &caption, auto slot) {
        QAction *action = bar->addAction(caption);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(m_texts.text(QStringLiteral("BtnSave")), &DocumentEditorDialog::save)
        ->setShortcut(QKeySequence::Save);
    bar->addSeparator();
    add(m_texts.text(QStringLiteral("RiceUndo")), [this] { m_pane->undo(); });
    add(m_texts.text(QStringLiteral("RiceCut")), [this] { m_pane->cut(); });
    add(m_texts.text(QStringLiteral("RiceCopy")), [this] { m_pane->copy(); });
    add(m_texts.text(QStringLiteral("RicePaste")), [this] { m_pane->paste(); });
    add(m_texts.text(QStringLiteral("RiceClear")), [this] { m_pane->textCursor().removeSelectedText(); });
    add(m_texts.text(QStringLiteral("RiceSele")), [this] { m_pane->selectAll(); });
    bar->addSeparator();
    add(m_texts.text(QStringLiteral("RiceSetFont")), &DocumentEditorDialog::chooseFont);
    add(m_texts.text(QStringLiteral("BtnAlignLeft")), [this] { align(Qt::AlignLeft); });
    add(m_texts.text(QStringLiteral("BtnAlignCenter")), [this] { align(Qt::AlignHCenter); });
    add(m_texts.text(QStringLiteral("BtnAlignRight")), [this] { align(Qt::AlignRight); });
    add(m_texts.text(QStringLiteral("BtnPicture")), &DocumentEditorDialog::choosePicture);

    const DocumentSetup &setup = controller.setup();
    // The pane wraps at the hall screen's width, so the operator sees the lines the delegates will see.
    if (setup.width > 0) {
        m_pane->setLineWrapMode(QTextEdit::FixedPixelWidth);
        m_pane->setLineWrapColumnOrWidth(setup.width);
    }
    QPalette colours = m_pane->palette();
    if (setup.background.isValid())
        colours.setColor(QPalette::Base, setup.background);
    if (setup.text.isValid())
        colours.setColor(QPalette::Text, setup.text);
    m_pane->setPalette(colours);
    m_pane->setAcceptRichText(true);
    // The pane stays read-only until the saved document has been read and takes its place.
    connect(&controller.reader(), &DocumentReader::ready, this, [this](bool read) {
        if (read) {
            // The pane owns it from here; the pane's own empty document goes with the swap.
            QTextDocument *document = m_controller.reader().takeDocument().release();
            document->setParent(m_pane);
            DocumentLayoutPacer::attach(*document);
            m_pane->setDocument(document);
        }
        m_pane->setReadOnly(false);
    });
    m_pane->setReadOnly(controller.load(*m_pane->document()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(bar);
    layout->addWidget(m_pane, 1);
}

bool DocumentEditorDialog::edit(const DataRoot &root, const DocumentSetup &setup, OperatorNotifier &notifier,
                                const TextCatalogue &catalogue, QWidget *parent)
{
    DocumentEditorController controller(root, setup, notifier);
    DocumentEditorDialog dialog(controller, notifier, catalogue, parent);
    dialog.exec();
    return controller.saved();
}

void DocumentEditorDialog::save()
{
    m_controller.save(*m_pane->document());
}

void DocumentEditorDialog::reject()
{
    if (m_pane->document()->isModified() &&
        !m_notifier.question(
            OperatorText::catalogue(QStringLiteral("DlgEditVote"), QStringLiteral("MsgClew")),
            OperatorText::catalogue(QStringLiteral("DlgEditVote"), QStringLiteral("MsgCloseClew"))))
        return;
    QDialog::reject();
}

void DocumentEditorDialog::chooseFont()
{
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_pane->currentFont(), this);
    if (!chosen)
        return;
    // The selection takes the font; without one, the text typed next does.
    QTextCharFormat format;
    format.setFont(font);
    m_pane->mergeCurrentCharFormat(format);
}

void DocumentEditorDialog::align(Qt::Alignment alignment)
{
    m_pane->setAlignment(alignment);
}

void DocumentEditorDialog::choosePicture()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), QString(), FileFilters::pictures(m_texts.catalogue()));
    if (!path.isEmpty())
        insertPicture(path);
}

void DocumentEditorDialog::insertPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return;
    // Each picture is a resource of the document under a name of its own; the RTF writer embeds it.
    const QUrl name(QStringLiteral("picture:") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    m_pane->document()->addResource(QTextDocument::ImageResource, name, picture);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(picture.width());
    format.setHeight(picture.height());
    m_pane->textCursor().insertImage(format);
}
