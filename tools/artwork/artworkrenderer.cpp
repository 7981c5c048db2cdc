#include "artworkrenderer.h"

#include "buttonstatestyle.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QSet>
#include <QSvgRenderer>

ArtworkRenderer::ArtworkRenderer(const QString &sourceDir, const QString &outputDir)
    : m_sourceDir(sourceDir), m_outputDir(outputDir)
{}

bool ArtworkRenderer::renderAll()
{
    m_errors.clear();
    if (!QDir().mkpath(m_outputDir)) {
        m_errors << QStringLiteral("cannot create %1").arg(m_outputDir);
        return false;
    }
    QSet<QString> planned;
    for (const ArtworkPlan::Item &item : ArtworkPlan::items()) {
        planned.insert(item.source);
        renderItem(item);
    }
    // A source nobody loads is a sign of a renamed file the windows will now miss.
    const QStringList present = QDir(m_sourceDir).entryList({QStringLiteral("*.svg")}, QDir::Files);
    for (const QString &name : present) {
        if (!planned.contains(name))
            m_errors << QStringLiteral("%1: not in the artwork plan").arg(name);
    }
    return m_errors.isEmpty();
}

QImage ArtworkRenderer::render(const QByteArray &svg, QSize size, QPoint offset, bool opaque, QString *error)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        *error = QStringLiteral("not a valid SVG");
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(offset), QSizeF(size)));
    painter.end();
    return opaque ? image.convertToFormat(QImage::Format_RGB32) : image;
}

bool ArtworkRenderer::renderItem(const ArtworkPlan::Item &item)
{
    QFile file(QDir(m_sourceDir).filePath(item.source));
    if (!file.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: %2").arg(item.source, file.errorString());
        return false;
    }
    const QByteArray svg = file.readAll();
    const QSvgRenderer parsed(svg);
    if (!parsed.isValid()) {
        m_errors << item.source + QStringLiteral(": not a valid SVG");
        return false;
    }
    // The windows copy these pictures unscaled, so a source drawn at another size is a mistake, not
    // something to stretch.
    const QSize drawn = parsed.defaultSize();
    if (drawn != item.size) {
        m_errors << QStringLiteral("%1: drawn at %2 x %3, the windows need %4 x %5")
                        .arg(item.source)
                        .arg(drawn.width())
                        .arg(drawn.height())
                        .arg(item.size.width())
                        .arg(item.size.height());
        return false;
    }

    QString error;
    const QStringList files = ArtworkPlan::outputFiles(item);
    switch (item.kind) {
    case ArtworkPlan::Kind::Background: {
        const QImage image = render(svg, item.size, {}, true, &error);
        if (image.isNull()) {
            m_errors << item.source + QStringLiteral(": ") + error;
            return false;
        }
        return save(image, files.first(), "BMP");
    }
    case ArtworkPlan::Kind::Button: {
        bool ok = true;
        const QList<ButtonStateStyle::State> states = ButtonStateStyle::states();
        for (qsizetype i = 0; i < states.size(); ++i) {
            const QImage image = render(ButtonStateStyle::restyle(svg, states[i]), item.size,
                                        ButtonStateStyle::offset(states[i]), false, &error);
            if (image.isNull()) {
                m_errors << item.source + QStringLiteral(": ") + error;
                return false;
            }
            ok = save(image, files[i], "PNG") && ok;
        }
        return ok;
    }
    case ArtworkPlan::Kind::Picture: {
        const QImage image = render(svg, item.size, {}, false, &error);
        if (image.isNull()) {
            m_errors << item.source + QStringLiteral(": ") + error;
            return false;
        }
        return save(image, files.first(), "PNG");
    }
    case ArtworkPlan::Kind::Icon: {
        bool ok = true;
        const QList<int> sides = QList<int>{item.size.width()} + ArtworkPlan::smallIconSizes();
        for (qsizetype i = 0; i < sides.size(); ++i) {
            const QImage image = render(svg, QSize(sides[i], sides[i]), {}, false, &error);
            if (image.isNull()) {
                m_errors << item.source + QStringLiteral(": ") + error;
                return false;
            }
            ok = save(image, files[i], "PNG") && ok;
        }
        return ok;
    }
    }
    return false;
}

bool ArtworkRenderer::save(const QImage &image, const QString &fileName, const char *format)
{
    // Written aside and renamed, so a console starting during a build never loads half a bitmap.
    QSaveFile file(QDir(m_outputDir).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format) || !file.commit()) {
        m_errors << QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}
