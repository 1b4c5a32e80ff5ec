#ifndef EDIHAL_NUMBERS_STRTOINT_H
#define EDIHAL_NUMBERS_STRTOINT_H

#include <cstdint>
#include <string>

namespace edihal {

// The whole text as a signed 32-bit integer, or `fallback` when it is not
// one.  Accepts an optional sign, then decimal digits, or hexadecimal ones
// after "$" or "0x", and nothing else: no blanks, no trailing characters.
std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback);

}  // namespace edihal

#endif  // EDIHAL_NUMBERS_STRTOINT_H
