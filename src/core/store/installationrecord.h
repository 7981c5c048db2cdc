#pragma once

#include <QString>

// The start-up settings: the one `Manage` row, read once when the console starts.
struct InstallationRecord
{
    QString borderism; // language: "0", "1" or "2" chooses the text catalogue
    QString function;  // system type: "1"/"3" voting only, "0"/"2" voting and discussion
    QString mianbmp;   // main window background in System/photo/
    QString logobmp;   // logo picture in System/photo/

    bool operator==(const InstallationRecord &) const = default;
};
