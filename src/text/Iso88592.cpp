#include "text/Iso88592.h"

namespace edihal {

namespace {

// ISO-8859-2 byte -> Windows-1250 byte, for the letters that differ.
unsigned char ToWindows1250(unsigned char byte) {
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

}  // namespace

std::string Iso88592ToWin1250(const std::string& text, int mode) {
  if (mode != 0) return text;
  std::string result = text.substr(0, text.find('\0'));
  for (char& c : result) c = static_cast<char>(ToWindows1250(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace edihal
