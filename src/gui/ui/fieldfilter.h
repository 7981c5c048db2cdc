#pragma once

#include <QString>

#include <functional>

class QLineEdit;

// Runs a controller's input filter on every change the operator makes to a field, and writes the filtered
// text back at once with the cursor where it was, less what was removed before it. Texts set by the
// program are not filtered again.
void filterField(QLineEdit *field, std::function<QString(const QString &)> filter);
