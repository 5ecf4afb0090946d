#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Number texts the way the original language writes and reads them: always with a decimal
// point, never with the user's locale.
namespace platform {

// Digits with a minus sign where negative; no leading blank or zeros.
QString decimalText(qint16 value);

// The shortest text of at most seven significant digits that reads back as the same single,
// with no trailing zeros, a 0 before the point below 1 and no point for a whole value.
QString decimalText(float value);

// Reads the number a text begins with. Blanks, tabs and line feeds are passed over wherever
// they stand; the number ends at the first other character that cannot continue it. A text
// that does not begin with a number reads as 0.
double leadingNumber(QStringView text);

// Converts a text that must be a number as a whole (blanks around it allowed); nullopt when
// any part of it is not.
std::optional<double> wholeNumber(QStringView text);

} // namespace platform
