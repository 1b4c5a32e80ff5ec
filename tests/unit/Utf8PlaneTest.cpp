// UTF-8 to Windows-1250 over the whole Basic Multilingual Plane, where the
// module's own tables convert (POSIX; on Windows the system does).  The
// rest of the conversions are tables (tables/charsets.txt) and a fuzz
// target (fuzz/ConversionFuzzer.cpp).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "charsets/AnsiCodePage.h"

namespace {

using namespace edihal;

#if !defined(_WIN32)
// UTF-8 of a code point below U+10000.
std::string Utf8Of(unsigned code) {
  std::string utf8;
  if (code < 0x80) {
    utf8 += static_cast<char>(code);
  } else if (code < 0x800) {
    utf8 += static_cast<char>(0xC0 | (code >> 6));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    utf8 += static_cast<char>(0xE0 | (code >> 12));
    utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
  }
  return utf8;
}

// Every character of the Basic Multilingual Plane, between ASCII runs of
// every length around the steps ASCII is taken in, so that the text is
// converted in its own buffer from every offset: each gives its
// Windows-1250 byte (the one whose UTF-8 it is) or "?", and the ASCII
// around it comes out unchanged.
TEST(Utf8, EveryCharacterBetweenAsciiRuns) {
  // The way back, from each byte: which UTF-8 stands for it.
  std::map<std::string, std::string> byte_of;
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    byte_of[AnsiToUtf8(byte)] = byte;
  }
  const std::string ascii = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (unsigned code = 1; code < 0x10000; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;  // surrogates are no characters
    const auto known = byte_of.find(Utf8Of(code));
    const std::string expected = known == byte_of.end() ? "?" : known->second;
    const std::size_t before = code % 35, after = (code / 35) % 35;
    const std::string text =
        ascii.substr(0, before) + Utf8Of(code) + ascii.substr(0, after) + Utf8Of(code) + ascii;
    ASSERT_EQ(ascii.substr(0, before) + expected + ascii.substr(0, after) + expected + ascii,
              Utf8ToAnsi(text))
        << "U+" << std::hex << code;
  }
}
#endif

}  // namespace
