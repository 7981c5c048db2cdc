#include "core/output/sheetreading.h"

#include <cmath>

SheetReading SheetReading::failed(Failure failure)
{
    SheetReading reading;
    reading.failure = failure;
    return reading;
}

QString SheetReading::numberText(double value)
{
    if (!std::isfinite(value))
        return {};
    // Spreadsheet programs keep 15 significant digits; a whole number within them is shown whole, which
    // keeps phone numbers and keypad numbers typed as numbers from turning into exponents or "12.0".
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}
