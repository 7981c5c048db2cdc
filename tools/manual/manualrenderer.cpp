#include "manualrenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace {
// The widest a picture may be, in screen pixels (1/96 inch): the print layout's text width on A4 with the
// page margins below and the 2 cm the document keeps inside them is about 134 mm. Wider screenshots are
// scaled down; smaller ones keep their size so that small pictures stay crisp.
constexpr qreal PictureWidth = 480;

struct Picture
{
    int position;
    int length;
    QTextImageFormat format;
};

QList<Picture> picturesOf(const QTextDocument &document)
{
    QList<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat())
                pictures.append({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
        }
    }
    return pictures;
}
} // namespace

bool ManualRenderer::render(const QString &markdownPath, const QString &pdfPath)
{
    m_errors.clear();
    QFile source(markdownPath);
    if (!source.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: %2").arg(markdownPath, source.errorString());
        return false;
    }
    const QString markdown = QString::fromUtf8(source.readAll());
    if (markdown.trimmed().isEmpty()) {
        m_errors << QStringLiteral("%1: the manual is empty").arg(markdownPath);
        return false;
    }

    QTextDocument document;
    const QFileInfo sourceInfo(markdownPath);
    document.setBaseUrl(QUrl::fromLocalFile(sourceInfo.absolutePath() + QLatin1Char('/')));
    QFont font;
    // Latin text in Liberation Sans, Chinese in WenQuanYi: both come with the installer's font packages.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

    // Every picture must be there: a manual that silently lost its screenshots is a broken manual.
    QTextCursor cursor(&document);
    for (const Picture &picture : picturesOf(document)) {
        const QString name = picture.format.name();
        const QUrl url = document.baseUrl().resolved(QUrl(name));
        const QImage image(url.toLocalFile());
        if (image.isNull()) {
            m_errors << QStringLiteral("%1: picture %2 cannot be read").arg(markdownPath, url.toLocalFile());
            continue;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format = picture.format;
        const qreal width = qMin<qreal>(PictureWidth, image.width());
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    if (!m_errors.isEmpty())
        return false;

    const QString partial = pdfPath + QStringLiteral(".part");
    QFile::remove(partial);
    {
        QPdfWriter writer(partial);
        writer.setTitle(document.toPlainText().section(QLatin1Char('\n'), 0, 0).left(120));
        writer.setCreator(QStringLiteral("Quorix"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter));
        document.print(&writer);
    }
    if (QFileInfo(partial).size() == 0) {
        m_errors << QStringLiteral("%1: nothing was written").arg(partial);
        QFile::remove(partial);
        return false;
    }
    QFile::remove(pdfPath);
    if (!QFile::rename(partial, pdfPath)) {
        m_errors << QStringLiteral("%1: cannot be replaced").arg(pdfPath);
        QFile::remove(partial);
        return false;
    }
    return true;
}
