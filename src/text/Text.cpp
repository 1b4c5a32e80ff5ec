#include "text/Text.h"

namespace edihal {

std::string Trim(const std::string& text) {
  return std::string(TrimmedView(text));
}

std::string InvoiceDateText(const std::string& text) {
  const auto part = [&text](std::size_t at, std::size_t count) {
    return at < text.size() ? text.substr(at, count) : std::string();
  };
  return part(6, 2) + "." + part(4, 2) + "." + part(0, 4);
}

}  // namespace edihal
