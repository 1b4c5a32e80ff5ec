#include "import/DecimalSeparator.h"

namespace edihal {

void LocaliseDecimalSeparator(std::string& text, char separator) {
  const char from = separator == ',' ? '.' : ',';
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text[at] = separator;
}

}  // namespace edihal
