#pragma once

class QTextEdit;
class TextCatalogue;

// The context menu of the console's rich-text panes: undo, cut, copy, paste, delete, select all and font,
// with the texts of section Public. The font entry formats the selection, or what is typed next.
void installRichTextMenu(QTextEdit *edit, const TextCatalogue &catalogue);
