#pragma once

#include <QString>
#include <QStringList>

// Turns the operator's manual from its Markdown source into a PDF: A4 pages with numbers, the screenshots
// the source names scaled to the text width. Qt's text document does the layout, so a build needs no
// typesetting system. The file is written under a temporary name and renamed, so a failed build never
// leaves a half-written manual where the console looks for one.
class ManualRenderer
{
public:
    bool render(const QString &markdownPath, const QString &pdfPath);
    // Why the last render failed: the file or picture at fault, one line each.
    const QStringList &errors() const { return m_errors; }

private:
    QStringList m_errors;
};
