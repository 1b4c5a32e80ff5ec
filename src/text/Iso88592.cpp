#include "text/Iso88592.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace edihal {

namespace {

// ISO-8859-2 byte -> Windows-1250 byte, for the letters that differ.
constexpr unsigned char ToWindows1250(unsigned char byte) {
  switch (byte) {
    case 0xA1:  // Ą
      return 0xA5;
    case 0xA6:  // Ś
      return 0x8C;
    case 0xAC:  // Ź
      return 0x8F;
    case 0xB1:  // ą
      return 0xB9;
    case 0xB6:  // ś
      return 0x9C;
    case 0xBC:  // ź
      return 0x9F;
    default:
      return byte;
  }
}

// The same for every byte, as a table the compiler builds: a byte that is
// not ASCII is converted with one look-up.  `from` is the way back, for
// each Windows-1250 byte the ISO-8859-2 byte turned into it: the letter
// where the conversion moves one there (0xA1 for Ą, not 0xA5, which is
// Ľ and kept), else the byte itself; `has_from` whether there is one.
struct ByteTable {
  unsigned char to[256];
  unsigned char from[256];
  bool has_from[256];
  constexpr ByteTable() : to(), from(), has_from() {
    for (int pass = 0; pass < 2; ++pass) {
      for (int byte = 0; byte < 256; ++byte) {
        const unsigned char converted = ToWindows1250(static_cast<unsigned char>(byte));
        const bool moved = converted != byte;
        if (moved != (pass == 1)) continue;  // the moved letters last, so that they win
        to[byte] = converted;
        from[converted] = static_cast<unsigned char>(byte);
        has_from[converted] = true;
      }
    }
  }
};
constexpr ByteTable kToWindows1250;

}  // namespace

void Iso88592ToWin1250InPlace(std::string& text) {
  text.resize(std::min(text.find('\0'), text.size()));
  if (text.empty()) return;
  char* const bytes = &text[0];
  const std::size_t size = text.size();
  const auto convert = [bytes](std::size_t at) {
    bytes[at] = static_cast<char>(kToWindows1250.to[static_cast<unsigned char>(bytes[at])]);
  };
  std::size_t at = 0;
  // Eight bytes at a time: ASCII ones need no look at each, and the others
  // are looked up all eight.
  for (; size - at >= 8; at += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, bytes + at, sizeof eight);
    if ((eight & 0x8080808080808080ull) == 0) continue;
    for (std::size_t i = 0; i < 8; ++i) convert(at + i);
  }
  for (; at < size; ++at) convert(at);
}

bool Win1250ToIso88592(const std::string& text, std::string& iso) {
  iso.resize(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (!kToWindows1250.has_from[byte]) return false;
    iso[at] = static_cast<char>(kToWindows1250.from[byte]);
  }
  return true;
}

std::string Iso88592ToWin1250(const std::string& text, int mode) {
  if (mode != 0) return text;
  std::string result = text;
  Iso88592ToWin1250InPlace(result);
  return result;
}

}  // namespace edihal
