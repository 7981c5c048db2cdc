#pragma once

#include "artworkplan.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Turns the SVG sources into the bitmaps the windows load. Backgrounds are flattened onto white and
// written as 24-bit BMP, since the windows copy them unscaled as the whole window face; buttons and icons
// keep their transparency as PNG.
class ArtworkRenderer final
{
public:
    ArtworkRenderer(const QString &sourceDir, const QString &outputDir);

    // Renders every planned item; false when any source is missing, broken, of the wrong size, or not
    // in the plan, with one line per problem in errors().
    bool renderAll();
    const QStringList &errors() const { return m_errors; }

    // The picture of one source at the given size (empty image and *error set when the SVG is broken).
    static QImage render(const QByteArray &svg, QSize size, QPoint offset, bool opaque, QString *error);

private:
    bool renderItem(const ArtworkPlan::Item &item);
    bool save(const QImage &image, const QString &fileName, const char *format);

    QString m_sourceDir;
    QString m_outputDir;
    QStringList m_errors;
};
