#include "charsets/Iso88592.h"

#include <algorithm>

namespace edihal::iso88592 {

namespace {

// The six Polish letters whose codes differ, ISO-8859-2 byte and
// Windows-1250 byte: Ą Ś Ź ą ś ź.
constexpr unsigned char kDiffering[][2] = {{0xA1, 0xA5}, {0xA6, 0x8C}, {0xAC, 0x8F},
                                           {0xB1, 0xB9}, {0xB6, 0x9C}, {0xBC, 0x9F}};

// What each byte becomes, as a table the compiler builds.
struct ByteTable {
  unsigned char to[256];
  constexpr ByteTable() : to() {
    for (int byte = 0; byte < 256; ++byte) to[byte] = static_cast<unsigned char>(byte);
    for (const auto& letter : kDiffering) to[letter[0]] = letter[1];
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
