#ifndef EDIHAL_IMPORT_DECIMALSEPARATOR_H
#define EDIHAL_IMPORT_DECIMALSEPARATOR_H

#include <string>

namespace edihal {

// Prepares a number text of the invoice for reading with the locale's
// decimal `separator`: with a comma separator the first "." becomes ",";
// otherwise the first "," becomes the separator.  Only the first
// occurrence changes; thousands separators are not handled.
void LocaliseDecimalSeparator(std::string& text, char separator);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_DECIMALSEPARATOR_H
