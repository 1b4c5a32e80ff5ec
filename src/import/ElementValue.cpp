#include "import/ElementValue.h"

namespace edihal {

std::string ElementValue(std::string_view line) {
  return std::string(ElementValueView(line));
}

std::string_view ElementValueView(std::string_view line) {
  const std::size_t open = line.find('>');
  if (open == std::string_view::npos) return std::string_view();
  const std::size_t close = line.find('<', open + 1);
  if (close == std::string_view::npos) return std::string_view();
  return line.substr(open + 1, close - open - 1);
}

std::string_view TrimmedView(std::string_view line) {
  std::size_t begin = 0, end = line.size();
  while (begin < end && static_cast<unsigned char>(line[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(line[end - 1]) <= 0x20) --end;
  return line.substr(begin, end - begin);
}

}  // namespace edihal
