// The text tools every worker shares.  Text is single-byte Windows-1250.
#ifndef EDIHAL_TEXT_TEXT_H
#define EDIHAL_TEXT_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace edihal {

// Removes every byte of value 0x20 or less from both ends.  Bytes of 0x80
// and above (Polish letters, the no-break space) always stay.
std::string Trim(const std::string& text);
// The same, viewing the text.
inline std::string_view TrimmedView(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) --last;
  return text.substr(first, last - first);
}

// An invoice's date, eight digits year-month-day, as DD.MM.YYYY.  Nothing
// is validated: the bytes at 1-based positions 7-8, 5-6 and 1-4 are joined
// by points as they stand, parts beyond the end being empty ("2023" gives
// "..2023").
std::string InvoiceDateText(const std::string& text);

}  // namespace edihal

#endif  // EDIHAL_TEXT_TEXT_H
