// The text primitives every worker shares.  Text is single-byte
// Windows-1250; positions are 1-based and count bytes, and every routine is
// total: odd positions and counts give an empty or unchanged text, never an
// error.
#ifndef EDIHAL_LIBRARY_TEXTPRIMITIVES_H
#define EDIHAL_LIBRARY_TEXTPRIMITIVES_H

#include <cstddef>
#include <string>
#include <string_view>

namespace edihal {

// A 1-based byte position or a byte count; 0 means "not found".
using TextPos = std::ptrdiff_t;

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

// Position of the first occurrence of `needle` in `text`, case-sensitive;
// 0 when it does not occur or `needle` is empty.
TextPos Pos(const std::string& needle, const std::string& text);

// Removes up to `count` bytes from `index` on.  An index outside 1..length
// or a count below 1 leaves the text unchanged (so Delete(s, Pos(...), n)
// removes nothing when the needle was not found).
void Delete(std::string& text, TextPos index, TextPos count);

// Up to `count` bytes from `index` on; an index below 1 counts as 1.  Empty
// when the index is beyond the end or the count is below 1.
std::string SubString(const std::string& text, TextPos index, TextPos count);

// Upper case by the Windows-1250 letter rules, Polish letters included.
std::string AnsiUpperCase(const std::string& text);

// 0 when the texts are equal ignoring case (Windows-1250 letters); callers
// only ever test for 0.
int AnsiCompareText(const std::string& a, const std::string& b);

// Looks for `open_tag` in `line`.  On a hit, `line` keeps what follows the
// opening tag with the first `close_tag` after it removed (text after the
// closing tag stays), `value` is that remainder trimmed, and the result is
// true.  On a miss nothing changes and the result is false.
bool HeaderTagValue(std::string& line, const std::string& open_tag, const std::string& close_tag,
                    std::string& value);

// Reorders an eight-digit year-month-day text into DD.MM.YYYY.  Nothing is
// validated: the bytes at positions 7-8, 5-6 and 1-4 are joined by points
// as they stand, parts beyond the end being empty ("2023" gives "..2023").
std::string InvoiceDateText(const std::string& text);

}  // namespace edihal

#endif  // EDIHAL_LIBRARY_TEXTPRIMITIVES_H
