// Windows-1250 (Central European), the module's own code page: each
// byte's character in Unicode and back, its capital letters, and the five
// bytes it leaves undefined.
#ifndef EDIHAL_CHARSETS_WINDOWS1250_H
#define EDIHAL_CHARSETS_WINDOWS1250_H

#include <cstdint>

namespace edihal::windows1250 {

// The character of `byte`.  Bytes 0x00 to 0x7F are ASCII; the five bytes
// the code page leaves undefined (0x81 0x83 0x88 0x90 0x98) stand for the
// C1 control of the same number, as Windows' own conversion has them, so
// that every byte survives a round trip.
std::uint16_t ToUnicode(unsigned char byte);
// The byte of `code`; 0 when the code page lacks it.
unsigned char FromUnicode(std::uint32_t code);
// The capital of a small letter; any other byte as it is.
unsigned char UpperCase(unsigned char byte);
// Whether `byte` stands for a character: not one of the five left undefined.
bool IsCharacter(unsigned char byte);

}  // namespace edihal::windows1250

#endif  // EDIHAL_CHARSETS_WINDOWS1250_H
