// TxTools: small text tools over one text, with 0-based positions (unlike
// the 1-based primitives of the workers).
#ifndef EDIHAL_TORLIB_TXTOOLS_H
#define EDIHAL_TORLIB_TXTOOLS_H

#include <cstddef>
#include <string>

namespace edihal {

class TxTools {
 public:
  explicit TxTools(std::string text) : text_(std::move(text)) {}

  const std::string& Text() const { return text_; }
  // Position of the first `c` at or after `start`; -1 when there is none.
  std::ptrdiff_t FindChar(char c, std::ptrdiff_t start = 0) const;
  // A copy without the `count` characters that begin at `position`.
  std::string DelCharsFrom(std::ptrdiff_t position, std::ptrdiff_t count) const;
  bool ContainsChar(char c) const { return text_.find(c) != std::string::npos; }
  // The text widened on the left with `fill` to `width` characters; a text
  // already `width` long or longer (up to `max_width` and beyond) is
  // returned as it is.
  std::string PadLeft(char fill, std::size_t width, std::size_t max_width) const;

 private:
  std::string text_;
};

}  // namespace edihal

#endif  // EDIHAL_TORLIB_TXTOOLS_H
