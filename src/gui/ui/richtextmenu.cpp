#include "gui/ui/richtextmenu.h"

#include <QFontDialog>
#include <QMenu>
#include <QTextEdit>

#include "core/base/textcatalogue.h"

void installRichTextMenu(QTextEdit *edit, const TextCatalogue &catalogue)
{
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit, [edit, catalogue](const QPoint &at) {
        const bool editable = !edit->isReadOnly();
        const bool selected = edit->textCursor().hasSelection();
        QMenu menu(edit);
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RiceUndo")), edit,
                       &QTextEdit::undo)
            ->setEnabled(editable && edit->document()->isUndoAvailable());
        menu.addSeparator();
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RiceCut")), edit,
                       &QTextEdit::cut)
            ->setEnabled(editable && selected);
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RiceCopy")), edit,
                       &QTextEdit::copy)
            ->setEnabled(selected);
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RicePaste")), edit,
                       &QTextEdit::paste)
            ->setEnabled(editable && edit->canPaste());
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RiceClear")), edit,
                       [edit] { edit->textCursor().removeSelectedText(); })
            ->setEnabled(editable && selected);
        menu.addSeparator();
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RiceSele")), edit,
                       &QTextEdit::selectAll);
        menu.addSeparator();
        menu.addAction(catalogue.text(QStringLiteral("Public"), QStringLiteral("RiceSetFont")), edit,
                       [edit] {
                           bool ok = false;
                           const QFont font =
                               QFontDialog::getFont(&ok, edit->currentCharFormat().font(), edit);
                           if (!ok)
                               return;
                           QTextCharFormat format;
                           format.setFont(font);
                           edit->mergeCurrentCharFormat(format);
                       })
            ->setEnabled(editable);
        menu.exec(edit->viewport()->mapToGlobal(at));
    });
}
