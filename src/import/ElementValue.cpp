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

}  // namespace edihal
