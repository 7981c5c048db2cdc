#include "gui/ui/filefilters.h"

#include "core/base/textcatalogue.h"

namespace {

QString allFiles(const TextCatalogue &catalogue)
{
    return catalogue.text(QStringLiteral("Public"), QStringLiteral("FilterAllFiles")) +
           QStringLiteral(" (*)");
}

} // namespace

QString FileFilters::pictures(const TextCatalogue &catalogue)
{
    return catalogue.text(QStringLiteral("Public"), QStringLiteral("FilterPictures")) +
           QStringLiteral(" (*.png *.jpg *.jpeg *.bmp);;") + allFiles(catalogue);
}

QString FileFilters::textFiles(const TextCatalogue &catalogue)
{
    return catalogue.text(QStringLiteral("Public"), QStringLiteral("FilterTextFiles")) +
           QStringLiteral(" (*.txt);;") + allFiles(catalogue);
}
