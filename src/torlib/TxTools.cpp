#include "torlib/TxTools.h"

namespace edihal {

std::ptrdiff_t TxTools::FindChar(char c, std::ptrdiff_t start) const {
  if (start < 0) start = 0;
  if (static_cast<std::size_t>(start) >= text_.size()) return -1;
  const std::size_t found = text_.find(c, static_cast<std::size_t>(start));
  return found == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(found);
}

std::string TxTools::DelCharsFrom(std::ptrdiff_t position, std::ptrdiff_t count) const {
  if (position < 0 || static_cast<std::size_t>(position) >= text_.size() || count <= 0) {
    return text_;
  }
  std::string copy(text_);
  copy.erase(static_cast<std::size_t>(position), static_cast<std::size_t>(count));
  return copy;
}

std::string TxTools::PadLeft(char fill, std::size_t width, std::size_t /*max_width*/) const {
  if (text_.size() >= width) return text_;
  return std::string(width - text_.size(), fill) + text_;
}

}  // namespace edihal
