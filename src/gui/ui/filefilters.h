#pragma once

#include <QString>

class TextCatalogue;

// The file-type choices of the open dialogs, named in the operator's language. Every picture the
// console accepts is offered first, so a PNG or JPEG photo shows without changing the choice.
class FileFilters final
{
public:
    FileFilters() = delete;

    static QString pictures(const TextCatalogue &catalogue);
    static QString textFiles(const TextCatalogue &catalogue);
};
