#include "charsets/Iso88592.h"

#include <algorithm>

namespace edihal::iso88592 {

namespace {

// ISO-8859-2 byte -> Windows-1250 byte, for the letters that differ.
constexpr unsigned char ToWindows1250Byte(unsigned char byte) {
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

// The same for every byte, as a table the compiler builds.
struct ByteTable {
  unsigned char to[256];
  constexpr ByteTable() : to() {
    for (int byte = 0; byte < 256; ++byte) {
      to[byte] = ToWindows1250Byte(static_cast<unsigned char>(byte));
    }
  }
};
constexpr ByteTable kToWindows1250;

}  // namespace

void ToWindows1250(std::string& text) {
  text.resize(std::min(text.find('\0'), text.size()));
  for (char& c : text) c = static_cast<char>(kToWindows1250.to[static_cast<unsigned char>(c)]);
}

bool IsCharacter(unsigned char byte) {
  return byte < 0x80 || byte > 0x9F;
}

}  // namespace edihal::iso88592
