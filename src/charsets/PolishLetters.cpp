#include "charsets/PolishLetters.h"

#include "charsets/AnsiCodePage.h"

namespace edihal {

namespace {

constexpr int kLetters = 18;
constexpr int kTabledSets = 7;

// One row per character set 0 to 6: the byte of each Polish letter, in the
// order Ą Ć Ę Ł Ń Ó Ś Ż Ź ą ć ę ł ń ó ś ż ź.
// clang-format off
constexpr unsigned char kLetterBytes[kTabledSets][kLetters] = {
    // 0: Windows-1250
    {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0xAF, 0x8F,
     0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0xBF, 0x9F},
    // 1: code page 852 (DOS Latin 2)
    {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0xBD, 0x8D,
     0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xBE, 0xAB},
    // 2: Mazovia
    {0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA1, 0xA0,
     0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E, 0xA7, 0xA6},
    // 3: plain letters (Ż and Ź both Z, ż and ź both z)
    {'A', 'C', 'E', 'L', 'N', 'O', 'S', 'Z', 'Z',
     'a', 'c', 'e', 'l', 'n', 'o', 's', 'z', 'z'},
    // 4: capitals in 0x80..0x9F, each small letter 0x20 above its capital
    {0x80, 0x82, 0x84, 0x8B, 0x8D, 0x8E, 0x92, 0x97, 0x99,
     0xA0, 0xA2, 0xA4, 0xAB, 0xAD, 0xAE, 0xB2, 0xB7, 0xB9},
    // 5: alphabetical from 0x80 (Ź before Ż, so Ż 0x88 and Ź 0x87)
    {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x88, 0x87,
     0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0x91, 0x90},
    // 6: capitals from 0x80, small letters from 0xA0
    {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
     0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8},
};
// clang-format on

// What each byte becomes from `source` to `target`: the first letter of
// the source table holding the byte decides, as a search from index 0
// would.
struct ByteMap {
  unsigned char to[256];
};

ByteMap MakeByteMap(int source, int target) {
  ByteMap map{};
  for (int byte = 0; byte < 256; ++byte) map.to[byte] = static_cast<unsigned char>(byte);
  bool taken[256] = {};
  for (int letter = 0; letter < kLetters; ++letter) {
    const unsigned char from = kLetterBytes[source][letter];
    if (from < 0x80 || taken[from]) continue;
    taken[from] = true;
    map.to[from] = kLetterBytes[target][letter];
  }
  return map;
}

bool IsCharSet(int set) {
  return set >= kCharSetWindows1250 && set <= kCharSetUtf8;
}

}  // namespace

void ConvertCharSet(std::string& text, int source, int target) {
  if (source == target || !IsCharSet(source) || !IsCharSet(target)) return;
  if (source == kCharSetUtf8) {
    text = Utf8ToAnsi(text);
    return;
  }
  if (target == kCharSetUtf8) {
    text = AnsiToUtf8(text);
    return;
  }
  const ByteMap map = MakeByteMap(source, target);
  for (char& c : text) c = static_cast<char>(map.to[static_cast<unsigned char>(c)]);
}

}  // namespace edihal
