// Reading one invoice line: the value of its element, and the line trimmed.  The import never
// parses XML; it relies on one element per line.
#ifndef EDIHAL_IMPORT_ELEMENTVALUE_H
#define EDIHAL_IMPORT_ELEMENTVALUE_H

#include <string>
#include <string_view>

namespace edihal {

// The bytes between the first ">" of the line and the next "<" after it;
// empty when either is missing.  Nothing is trimmed or decoded.
std::string ElementValue(std::string_view line);
// The same, viewing the line.
std::string_view ElementValueView(std::string_view line);

// The line without the bytes of 0x20 and below at either end, as Trim
// makes it, but without a copy.
inline std::string_view TrimmedView(std::string_view line) {
  std::size_t begin = 0, end = line.size();
  while (begin < end && static_cast<unsigned char>(line[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(line[end - 1]) <= 0x20) --end;
  return line.substr(begin, end - begin);
}

}  // namespace edihal

#endif  // EDIHAL_IMPORT_ELEMENTVALUE_H
