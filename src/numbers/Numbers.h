// Decimal numbers as the import reads and writes them: reading is exact and
// strict, writing always uses the point, whatever the C locale says.
#ifndef EDIHAL_NUMBERS_NUMBERS_H
#define EDIHAL_NUMBERS_NUMBERS_H

#include <string>
#include <string_view>

namespace edihal {

// Reads `text` as a decimal number written with `separator` as its decimal
// separator: an optional sign, digits with at most one separator (at least
// one digit in all), and an optional exponent (E or e, an optional sign,
// digits).  Bytes of 0x20 and below may stand around it; anything else
// makes the text no number.  The value is correctly rounded to a long
// double.  False, leaving `value` alone, when the text is not a number or
// its value is beyond the range of a long double.
bool TextToFloat(std::string_view text, char separator, long double& value);

// Prepares a number text of the invoice for reading with the locale's
// decimal `separator`: with a comma separator the first "." becomes ",";
// otherwise the first "," becomes the separator.  Only the first
// occurrence changes; thousands separators are not handled.  The text
// itself when nothing changes, else the changed copy, kept in `scratch`.
std::string_view LocaliseDecimalSeparator(std::string_view text, char separator,
                                          std::string& scratch);

// The value as printf's "%.2Lf" writes it (two decimals, rounded as printf
// rounds), with a point as the decimal separator in every locale.
std::string FormatTwoDecimals(long double value);

}  // namespace edihal

#endif  // EDIHAL_NUMBERS_NUMBERS_H
