#include "sheetfixtures.h"

#include <QtEndian>

#include <zip.h>

#include <algorithm>
#include <cstring>

namespace SheetFixtures {

QByteArray zip(const Parts &parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto &[name, bytes] : parts) {
        // libzip reads the bytes only when the archive closes, so it gets a copy of its own to free.
        void *copy = nullptr;
        if (!bytes.isEmpty()) {
            copy = std::malloc(size_t(bytes.size()));
            std::memcpy(copy, bytes.constData(), size_t(bytes.size()));
        }
        zip_source_t *data = zip_source_buffer(archive, copy, zip_uint64_t(bytes.size()), copy ? 1 : 0);
        zip_file_add(archive, name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
    }
    zip_close(archive);
    QByteArray out;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        out.resize(qsizetype(size));
        zip_source_read(buffer, out.data(), zip_uint64_t(size));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

Parts unzip(const QByteArray &bytes)
{
    Parts parts;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        return parts;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        zip_fread(file, data.data(), stat.size);
        zip_fclose(file);
        parts.append({QString::fromUtf8(stat.name), data});
    }
    zip_discard(archive);
    zip_error_fini(&error);
    return parts;
}

QByteArray xlsx(const QList<XlsxSheet> &sheets, const QByteArray &sharedStrings, const QByteArray &styles,
                bool date1904)
{
    const QByteArray declaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                                   "\n";
    const QByteArray main = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray types =
        declaration +
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)";
    QByteArray book = declaration + "<workbook " + main + " xmlns:r=\"" + rel + "\">" +
                      (date1904 ? "<workbookPr date1904=\"1\"/>" : "<workbookPr/>") + "<sheets>";
    QByteArray links =
        declaration +
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    Parts parts;
    for (int i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        book +=
            "<sheet name=\"" + sheets[i].name.toUtf8() + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        links += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel +
                 "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        types +=
            "<Override PartName=\"/xl/worksheets/sheet" + n +
            ".xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
        parts.append({QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1),
                      declaration + "<worksheet " + main + "><sheetData>" + sheets[i].sheetData +
                          "</sheetData></worksheet>"});
    }
    book += "</sheets></workbook>";
    if (!sharedStrings.isEmpty()) {
        links +=
            "<Relationship Id=\"rIdS\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts.append({QStringLiteral("xl/sharedStrings.xml"),
                      declaration + "<sst " + main + ">" + sharedStrings + "</sst>"});
    }
    if (!styles.isEmpty()) {
        links += "<Relationship Id=\"rIdT\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/>";
        parts.append({QStringLiteral("xl/styles.xml"),
                      declaration + "<styleSheet " + main + ">" + styles + "</styleSheet>"});
    }
    links += "</Relationships>";
    types += "</Types>";
    parts.prepend({QStringLiteral("xl/_rels/workbook.xml.rels"), links});
    parts.prepend({QStringLiteral("xl/workbook.xml"), book});
    parts.prepend(
        {QStringLiteral("_rels/.rels"),
         declaration +
             R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             "<Relationship Id=\"rId1\" Type=\"" +
             rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
    parts.prepend({QStringLiteral("[Content_Types].xml"), types});
    return zip(parts);
}

namespace {

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void putDouble(QByteArray &out, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    char b[8];
    qToLittleEndian(bits, b);
    out.append(b, 8);
}

void record(QByteArray &out, quint16 type, const QByteArray &data)
{
    put16(out, type);
    put16(out, quint16(data.size()));
    out += data;
}

QByteArray utf16(const QString &text)
{
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

QByteArray bof(quint16 kind)
{
    QByteArray d;
    put16(d, 0x0600);
    put16(d, kind);
    put16(d, 0x0DBB);
    put16(d, 0x07CC);
    put32(d, 0);
    put32(d, 0x0006);
    return d;
}

QByteArray xf(quint16 format)
{
    QByteArray d;
    put16(d, 0);      // font
    put16(d, format); // number format
    put16(d, 0x0001); // a cell style, locked
    d.append(QByteArray(14, '\0'));
    return d;
}

// The compound file around one stream named "Workbook": a header, one FAT sector, one directory sector,
// then the stream's sectors. The stream is padded to 4096 bytes so it lives in ordinary sectors.
QByteArray compoundFile(QByteArray stream)
{
    const quint32 streamSize = quint32(std::max<qsizetype>(stream.size(), 4096));
    stream.append(QByteArray(qsizetype(streamSize) - stream.size(), '\0'));
    stream.append(QByteArray((512 - stream.size() % 512) % 512, '\0'));
    const quint32 sectors = quint32(stream.size() / 512);

    QByteArray header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(QByteArray(16, '\0'));
    put16(header, 0x003E);
    put16(header, 0x0003);
    put16(header, 0xFFFE);
    put16(header, 9);
    put16(header, 6);
    header.append(QByteArray(6, '\0'));
    put32(header, 0);          // directory sectors (none counted in version 3)
    put32(header, 1);          // FAT sectors
    put32(header, 1);          // first directory sector
    put32(header, 0);          // transaction
    put32(header, 4096);       // mini stream cut-off
    put32(header, 0xFFFFFFFE); // no mini FAT
    put32(header, 0);
    put32(header, 0xFFFFFFFE); // no further DIFAT
    put32(header, 0);
    put32(header, 0); // the FAT is sector 0
    for (int i = 1; i < 109; ++i)
        put32(header, 0xFFFFFFFF);

    QByteArray fat;
    put32(fat, 0xFFFFFFFD); // sector 0: the FAT
    put32(fat, 0xFFFFFFFE); // sector 1: the directory
    for (quint32 s = 0; s < sectors; ++s)
        put32(fat, s + 1 < sectors ? 2 + s + 1 : 0xFFFFFFFE);
    while (fat.size() < 512)
        put32(fat, 0xFFFFFFFF);

    const auto entry = [](const QString &name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e = utf16(name);
        e.append(QByteArray(64 - e.size(), '\0'));
        put16(e, name.isEmpty() ? 0 : quint16((name.size() + 1) * 2));
        e.append(char(type));
        e.append(char(1));
        put32(e, 0xFFFFFFFF);
        put32(e, 0xFFFFFFFF);
        put32(e, child);
        e.append(QByteArray(16 + 4 + 16, '\0'));
        put32(e, start);
        put32(e, size);
        put32(e, 0);
        return e;
    };
    QByteArray directory = entry(QStringLiteral("Root Entry"), 5, 1, 0xFFFFFFFE, 0);
    directory += entry(QStringLiteral("Workbook"), 2, 0xFFFFFFFF, 2, streamSize);
    directory += entry(QString(), 0, 0xFFFFFFFF, 0, 0);
    directory += entry(QString(), 0, 0xFFFFFFFF, 0, 0);
    return header + fat + directory + stream;
}

} // namespace

QByteArray xls(const QList<XlsSheet> &sheets)
{
    QStringList strings;
    for (const XlsSheet &sheet : sheets) {
        for (const XlsCell &cell : sheet.cells) {
            if (const auto *text = std::get_if<QString>(&cell.value); text && !strings.contains(*text))
                strings.append(*text);
        }
    }

    QList<QByteArray> substreams;
    for (const XlsSheet &sheet : sheets) {
        int rows = 0;
        int columns = 0;
        for (const XlsCell &cell : sheet.cells) {
            rows = std::max(rows, cell.row + 1);
            columns = std::max(columns, cell.column + 1);
        }
        QByteArray s;
        record(s, 0x0809, bof(0x0010));
        QByteArray dimensions;
        put32(dimensions, 0);
        put32(dimensions, quint32(sheet.declaredRows >= 0 ? sheet.declaredRows : rows));
        put16(dimensions, 0);
        put16(dimensions, quint16(sheet.declaredColumns >= 0 ? sheet.declaredColumns : columns));
        put16(dimensions, 0);
        record(s, 0x0200, dimensions);
        for (const XlsCell &cell : sheet.cells) {
            QByteArray c;
            put16(c, quint16(cell.row));
            put16(c, quint16(cell.column));
            put16(c, quint16(cell.style));
            if (const auto *text = std::get_if<QString>(&cell.value)) {
                put32(c, quint32(strings.indexOf(*text)));
                record(s, 0x00FD, c); // LABELSST
            } else {
                putDouble(c, std::get<double>(cell.value));
                record(s, 0x0203, c); // NUMBER
            }
        }
        record(s, 0x000A, {});
        substreams.append(s);
    }

    const auto globals = [&](const QList<quint32> &offsets) {
        QByteArray g;
        record(g, 0x0809, bof(0x0005));
        QByteArray v;
        put16(v, 0x04B0); // UTF-16
        record(g, 0x0042, v);
        v.clear();
        put16(v, 0); // the 1900 date system
        record(g, 0x0022, v);
        for (quint16 format : {0, 14, 22})
            record(g, 0x00E0, xf(format));
        for (int i = 0; i < sheets.size(); ++i) {
            QByteArray b;
            put32(b, offsets.value(i));
            b.append(char(0)); // visible
            b.append(char(0)); // a worksheet
            b.append(char(sheets[i].name.size()));
            b.append(char(1)); // UTF-16
            b += utf16(sheets[i].name);
            record(g, 0x0085, b);
        }
        QByteArray sst;
        put32(sst, quint32(strings.size()));
        put32(sst, quint32(strings.size()));
        for (const QString &text : strings) {
            put16(sst, quint16(text.size()));
            sst.append(char(1));
            sst += utf16(text);
        }
        record(g, 0x00FC, sst);
        record(g, 0x000A, {});
        return g;
    };
    // The sheet offsets depend on the globals' size, which does not depend on the offsets' values.
    const qsizetype globalsSize = globals(QList<quint32>(sheets.size(), 0)).size();
    QList<quint32> offsets;
    quint32 at = quint32(globalsSize);
    for (const QByteArray &s : substreams) {
        offsets.append(at);
        at += quint32(s.size());
    }
    QByteArray stream = globals(offsets);
    for (const QByteArray &s : substreams)
        stream += s;
    return compoundFile(stream);
}

} // namespace SheetFixtures
