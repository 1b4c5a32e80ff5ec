#include "charsets/Utf8.h"

namespace edihal::utf8 {

long Decode(std::string_view text, std::size_t at, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  length = 1;
  int needed;
  std::uint32_t code;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead < 0x80) return lead;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2, code = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3, code = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return -1;
  }
  for (int i = 1; i <= needed; ++i) {
    if (at + i >= text.size()) return -1;
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    const bool fits = i == 1 ? (next >= low && next <= high) : (next & 0xC0) == 0x80;
    if (!fits) return -1;
    code = (code << 6) | (next & 0x3F);
    length = i + 1;
  }
  return static_cast<long>(code);
}

bool IsValid(std::string_view text) {
  std::size_t length = 1;
  for (std::size_t at = 0; at < text.size(); at += length) {
    if (Decode(text, at, length) < 0) return false;
  }
  return true;
}

void Append(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace edihal::utf8
