#include "core/output/workbookwriter.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>

namespace {

// libxlsxwriter stops at the first failure of a sheet; the first one is what the caller hears of.
class Book
{
public:
    Book(const QByteArray &file, const QByteArray &tempFolder) : m_tempFolder(tempFolder)
    {
        lxw_workbook_options options{};
        options.tmpdir = m_tempFolder.data();
        m_book = workbook_new_opt(file.constData(), &options);
        if (!m_book)
            m_error = QStringLiteral("The workbook could not be created.");
    }
    ~Book()
    {
        if (m_book)
            workbook_close(m_book);
    }
    Book(const Book &) = delete;
    Book &operator=(const Book &) = delete;

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    void addSheet(const WorkbookWriter::Sheet &sheet)
    {
        if (!ok())
            return;
        const QByteArray name = sheet.name.toUtf8();
        if (workbook_validate_sheet_name(m_book, name.constData()) != LXW_NO_ERROR) {
            m_error = QStringLiteral("\"%1\" cannot name a sheet.").arg(sheet.name);
            return;
        }
        lxw_worksheet *page = workbook_add_worksheet(m_book, name.constData());
        lxw_format *text = workbook_add_format(m_book);
        format_set_num_format(text, "@");
        lxw_format *heading = workbook_add_format(m_book);
        format_set_num_format(heading, "@");
        format_set_bold(heading);

        qsizetype columns = sheet.columnPixels.size();
        for (const QStringList &row : sheet.rows)
            columns = std::max(columns, row.size());
        for (qsizetype c = 0; c < columns && ok(); ++c) {
            const lxw_col_t column = lxw_col_t(c);
            check(c < sheet.columnPixels.size()
                      ? worksheet_set_column_pixels(page, column, column, uint32_t(sheet.columnPixels.at(c)),
                                                    text)
                      : worksheet_set_column(page, column, column, LXW_DEF_COL_WIDTH, text));
        }
        for (qsizetype r = 0; r < sheet.rows.size() && ok(); ++r) {
            lxw_format *format = r < sheet.headingRows ? heading : text;
            const QStringList &row = sheet.rows.at(r);
            for (qsizetype c = 0; c < row.size() && ok(); ++c) {
                if (!row.at(c).isEmpty())
                    check(worksheet_write_string(page, lxw_row_t(r), lxw_col_t(c),
                                                 row.at(c).toUtf8().constData(), format));
            }
        }
    }

    // Writes the file; the workbook is gone afterwards.
    bool close()
    {
        lxw_workbook *book = std::exchange(m_book, nullptr);
        if (book)
            check(workbook_close(book));
        return ok();
    }

private:
    void check(lxw_error result)
    {
        if (result != LXW_NO_ERROR && ok())
            m_error = QString::fromUtf8(lxw_strerror(result));
    }

    QByteArray m_tempFolder;
    lxw_workbook *m_book = nullptr;
    QString m_error;
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool WorkbookWriter::write(const QString &path, const QList<Sheet> &sheets, QString *error)
{
    if (sheets.isEmpty())
        return fail(error, QStringLiteral("A workbook needs a sheet."));
    // libxlsxwriter writes to a file name of its own choosing; it writes into a private folder, and the
    // finished file is then put in place in one step.
    QTemporaryDir work;
    if (!work.isValid())
        return fail(error, work.errorString());
    const QString draft = work.filePath(QStringLiteral("book.xlsx"));
    {
        Book book(QFile::encodeName(draft), QFile::encodeName(QDir::toNativeSeparators(work.path())));
        for (const Sheet &sheet : sheets)
            book.addSheet(sheet);
        if (!book.close())
            return fail(error, book.error());
    }
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly))
        return fail(error, written.errorString());
    const QByteArray bytes = written.readAll();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(error, file.errorString());
    return true;
}
