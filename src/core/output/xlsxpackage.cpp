#include "core/output/xlsxpackage.h"

#include <QUrl>
#include <QXmlStreamReader>

#include <zip.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Chunk = 64 * 1024;

QString relationshipsPart(const QString &partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : partName.first(slash + 1);
    return folder + u"_rels/" + partName.sliced(slash + 1) + u".rels";
}

} // namespace

XlsxPackage::XlsxPackage(QByteArrayView bytes, const SheetLimits &limits) : m_limits(limits)
{
    using Failure = SheetReading::Failure;
    if (bytes.size() > m_limits.fileBytes) {
        m_failure = Failure::TooLarge;
        return;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.data(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!m_zip) {
        if (source)
            zip_source_free(source);
        // A zip cut short has lost its directory and no longer looks like a zip, but it still begins like
        // one.
        const bool zipStart = bytes.startsWith("PK\x03\x04");
        m_failure =
            zip_error_code_zip(&error) == ZIP_ER_NOZIP && !zipStart ? Failure::NotASheet : Failure::Damaged;
        zip_error_fini(&error);
        return;
    }
    zip_error_fini(&error);
    if (zip_get_num_entries(m_zip, 0) > m_limits.parts)
        m_failure = Failure::TooLarge;
}

XlsxPackage::~XlsxPackage()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool XlsxPackage::read(const QString &partName, QByteArray &bytes)
{
    using Failure = SheetReading::Failure;
    bytes.clear();
    if (m_failure != Failure::None)
        return false;
    QString name = partName;
    if (name.startsWith(u'/'))
        name.remove(0, 1);
    const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size > zip_uint64_t(m_limits.partBytes)) {
        m_failure = Failure::TooLarge;
        return false;
    }
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        const int code = zip_error_code_zip(zip_get_error(m_zip));
        m_failure = code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP
                        ? Failure::Protected
                        : Failure::Damaged;
        return false;
    }
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + Chunk);
        const zip_int64_t got = zip_fread(file, bytes.data() + at, zip_uint64_t(Chunk));
        if (got < 0) {
            m_failure = Failure::Damaged;
            break;
        }
        bytes.resize(at + qsizetype(got));
        m_bytesRead += got;
        if (bytes.size() > m_limits.partBytes || m_bytesRead > m_limits.totalBytes) {
            m_failure = Failure::TooLarge;
            break;
        }
        if (got == 0)
            break;
    }
    zip_fclose(file);
    if (m_failure != Failure::None) {
        bytes.clear();
        return false;
    }
    return true;
}

QList<XlsxPackage::Relationship> XlsxPackage::relationships(const QString &partName)
{
    QList<Relationship> found;
    QByteArray bytes;
    if (!read(relationshipsPart(partName), bytes))
        return found;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (a.value("TargetMode"_L1) == u"External")
            continue;
        if (found.size() >= m_limits.parts)
            break;
        found.append({a.value("Id"_L1).toString(), a.value("Type"_L1).toString(),
                      resolve(partName, a.value("Target"_L1).toString())});
    }
    if (xml.hasError())
        m_failure = SheetReading::Failure::Damaged;
    return found;
}

XlsxPackage::Relationship XlsxPackage::find(const QList<Relationship> &relationships, QStringView typeName)
{
    for (const Relationship &r : relationships) {
        const qsizetype slash = r.type.lastIndexOf(u'/');
        if (QStringView(r.type).sliced(slash + 1) == typeName)
            return r;
    }
    return {};
}

QString XlsxPackage::resolve(const QString &sourcePart, const QString &target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    QStringList segments;
    if (!decoded.startsWith(u'/')) {
        segments = sourcePart.split(u'/');
        segments.removeLast(); // the source part's own name
    }
    for (const QString &s : decoded.split(u'/', Qt::SkipEmptyParts)) {
        if (s == u"..") {
            if (!segments.isEmpty())
                segments.removeLast();
        } else if (s != u".") {
            segments.append(s);
        }
    }
    return segments.join(u'/');
}
