// UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing past
// U+10FFFF.  Decoding, validating and encoding one code point at a time.
#ifndef EDIHAL_CHARSETS_UTF8_H
#define EDIHAL_CHARSETS_UTF8_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace edihal::utf8 {

// The code point of the sequence at `at`, or -1 for an ill-formed one;
// `length` receives the bytes it takes, which for an ill-formed sequence is
// its longest valid-looking prefix (at least 1), so that each broken piece
// stands for one replacement character.
long Decode(std::string_view text, std::size_t at, std::size_t& length);
// Whether every sequence of `text` is well formed.
bool IsValid(std::string_view text);
// Appends the UTF-8 of `code`, below U+10000.
void Append(std::string& out, std::uint32_t code);

}  // namespace edihal::utf8

#endif  // EDIHAL_CHARSETS_UTF8_H
