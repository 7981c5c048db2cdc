#pragma once

#include <QString>
#include <QStringView>

// The filters the preparation windows apply to a field each time its text changes. A window writes the
// filtered text back into the field at once, so what the operator sees is what will be stored.
namespace InputFilter {

// Titles and places lose every ' and ": they are shown inside quotes in messages and reports.
QString withoutQuotes(QStringView text);

// A meeting name also names its database file, so it loses the path separators as well.
QString meetingName(QStringView text);

// Numbers keep the digits 0..9 only.
QString digitsOnly(QStringView text);

// A digits-only text as the stored decimal number: leading zeros go, an empty text is "0". Keeps "007"
// and "7" from naming two different keypads.
QString canonicalNumber(QStringView digits);

} // namespace InputFilter
