// libFuzzer entry for the rich-text reader, built only with clang (see CMakeLists.txt):
//   fuzz_rtfreader -max_total_time=60 samples/
#include "core/output/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument document;
    RtfReader::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), document);
    return 0;
}
