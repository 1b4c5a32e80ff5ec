#ifndef EDIHAL_IMPORT_DECIMALSEPARATOR_H
#define EDIHAL_IMPORT_DECIMALSEPARATOR_H

#include <string>
#include <string_view>

namespace edihal {

// The separator an invoice may write in place of the locale's: "." with a
// comma separator, "," with any other.
inline char OtherDecimalSeparator(char separator) {
  return separator == ',' ? '.' : ',';
}

// Prepares a number text of the invoice for reading with the locale's
// decimal `separator`: with a comma separator the first "." becomes ",";
// otherwise the first "," becomes the separator.  Only the first
// occurrence changes; thousands separators are not handled.  The text
// itself when nothing changes, else the changed copy, kept in `scratch`.
std::string_view LocaliseDecimalSeparator(std::string_view text, char separator,
                                          std::string& scratch);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_DECIMALSEPARATOR_H
