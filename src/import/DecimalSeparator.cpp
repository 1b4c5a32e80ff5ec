#include "import/DecimalSeparator.h"

namespace edihal {

std::string_view LocaliseDecimalSeparator(std::string_view text, char separator,
                                          std::string& scratch) {
  const char from = OtherDecimalSeparator(separator);
  // Number texts are short: a loop beats a search call.
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != from) continue;
    scratch.assign(text.data(), text.size());
    scratch[at] = separator;
    return scratch;
  }
  return text;
}

}  // namespace edihal
