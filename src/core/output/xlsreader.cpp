#include "core/output/xlsreader.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

#include "core/output/sheetgrid.h"

namespace {

using Failure = SheetReading::Failure;

// One FreeXL handle, closed when it goes; FreeXL wants its close even after a failed open.
class Handle
{
public:
    Handle(const QByteArray &path, bool infoOnly)
    {
        m_result = infoOnly ? freexl_open_info(path.constData(), &m_handle)
                            : freexl_open(path.constData(), &m_handle);
    }
    ~Handle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    int result() const { return m_result; }
    const void *get() const { return m_handle; }

private:
    const void *m_handle = nullptr;
    int m_result = FREEXL_OK;
};

Failure failureOf(int result)
{
    switch (result) {
    case FREEXL_FILE_NOT_FOUND:
        return Failure::Unreadable;
    case FREEXL_INSUFFICIENT_MEMORY:
        return Failure::TooLarge;
    case FREEXL_INVALID_CFBF_HEADER:
        return Failure::NotASheet;
    default:
        return Failure::Damaged;
    }
}

// The index of the sheet to read, -1 when the workbook has none.
int sheetIndex(const void *handle, const QString &sheetName)
{
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        return -1;
    for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, (unsigned short)i, &name) == FREEXL_OK && name &&
            QString::fromUtf8(name).compare(sheetName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return 0;
}

QString cellText(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return SheetReading::numberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
    default:
        return {};
    }
}

} // namespace

SheetReading XlsReader::read(const QString &path, const QString &sheetName, const SheetLimits &limits)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return SheetReading::failed(Failure::Unreadable);
    if (info.size() > limits.fileBytes)
        return SheetReading::failed(Failure::TooLarge);
    const QByteArray name = QFile::encodeName(path);

    // A first pass reads the directory of sheets without loading any cells.
    int index = -1;
    {
        Handle probe(name, true);
        if (probe.result() != FREEXL_OK)
            return SheetReading::failed(failureOf(probe.result()));
        unsigned int password = 0;
        if (freexl_get_info(probe.get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
            password == FREEXL_BIFF_OBFUSCATED)
            return SheetReading::failed(Failure::Protected);
        index = sheetIndex(probe.get(), sheetName);
        if (index < 0)
            return SheetReading::failed(Failure::Damaged);
        // FreeXL loads the first sheet on opening and the chosen one on selecting it.
        for (const int sheet : {0, index}) {
            unsigned int rows = 0;
            unsigned short columns = 0;
            if (freexl_select_active_worksheet(probe.get(), (unsigned short)sheet) == FREEXL_OK &&
                freexl_worksheet_dimensions(probe.get(), &rows, &columns) == FREEXL_OK &&
                qint64(rows) * qint64(columns) > limits.cells)
                return SheetReading::failed(Failure::TooLarge);
        }
    }

    Handle book(name, false);
    if (book.result() != FREEXL_OK)
        return SheetReading::failed(failureOf(book.result()));
    if (freexl_select_active_worksheet(book.get(), (unsigned short)index) != FREEXL_OK)
        return SheetReading::failed(Failure::Damaged);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(book.get(), &rows, &columns) != FREEXL_OK)
        return SheetReading::failed(Failure::Damaged);

    SheetReading reading;
    const char *sheet = nullptr;
    if (freexl_get_worksheet_name(book.get(), (unsigned short)index, &sheet) == FREEXL_OK && sheet)
        reading.sheetName = QString::fromUtf8(sheet);
    SheetGrid grid(limits);
    const unsigned int readColumns = std::min<unsigned int>(columns, unsigned(limits.columns));
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned int c = 0; c < readColumns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(book.get(), r, (unsigned short)c, &cell) != FREEXL_OK)
                continue;
            if (!grid.put(r, c, cellText(cell)))
                return SheetReading::failed(Failure::TooLarge);
        }
    }
    reading.rows = grid.takeRows();
    return reading;
}
