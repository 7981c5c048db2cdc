// libFuzzer entry for the .xlsx and .csv readers, built only with clang (see CMakeLists.txt):
//   fuzz_sheetreaders -max_total_time=60 CORPUS
// The first byte chooses the reader, the rest is the file.
#include "core/output/csvreader.h"
#include "core/output/xlsxreader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView file(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    SheetLimits limits;
    limits.rows = 2000;
    limits.columns = 10;
    if (data[0] & 1)
        XlsxReader::read(file, QStringLiteral("Sheet1"), limits);
    else
        CsvReader::read(file, limits);
    return 0;
}
