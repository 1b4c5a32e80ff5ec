// UTF-8 to Windows-1250 over the whole Basic Multilingual Plane, where the
// module's own tables convert (POSIX; on Windows the system does), against
// the system's converter, iconv's CP1250.  The rest of the conversions are
// tables (tables/charsets.txt) and a fuzz target (fuzz/ConversionFuzzer.cpp).
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <iconv.h>

#include <map>
#include <string>

#include "charsets/AnsiCodePage.h"

namespace {

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

// Each byte's character in UTF-8 as iconv's CP1250 has it; the bytes the
// code page leaves unassigned are left out.
std::map<std::string, std::string> ByteOfCharacter() {
  std::map<std::string, std::string> byte_of;
  const iconv_t converter = iconv_open("UTF-8", "CP1250");
  for (int b = 1; b < 256; ++b) {
    char in[1] = {static_cast<char>(b)}, out[8];
    char* in_at = in;
    char* out_at = out;
    std::size_t in_left = 1, out_left = sizeof out;
    if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) {
      continue;
    }
    byte_of[std::string(out, out_at)] = std::string(in, 1);
  }
  iconv_close(converter);
  return byte_of;
}

// Every character of the plane, between ASCII runs of every length around
// the steps ASCII is taken in, so that the text is converted in its own
// buffer from every offset: each gives its Windows-1250 byte (the one
// iconv reads as it) or "?", and the ASCII around it comes out unchanged.
// The five characters that stand for CP1250's unassigned bytes are left out.
TEST(Utf8, EveryCharacterBetweenAsciiRuns) {
  const std::map<std::string, std::string> byte_of = ByteOfCharacter();
  ASSERT_EQ(250u, byte_of.size());
  const std::string ascii = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (unsigned code = 1; code < 0x10000; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;  // surrogates are no characters
    if (code == 0x81 || code == 0x83 || code == 0x88 || code == 0x90 || code == 0x98) continue;
    const auto known = byte_of.find(Utf8Of(code));
    const std::string expected = known == byte_of.end() ? "?" : known->second;
    const std::size_t before = code % 35, after = (code / 35) % 35;
    const std::string text =
        ascii.substr(0, before) + Utf8Of(code) + ascii.substr(0, after) + Utf8Of(code) + ascii;
    ASSERT_EQ(ascii.substr(0, before) + expected + ascii.substr(0, after) + expected + ascii,
              edihal::Utf8ToAnsi(text))
        << "U+" << std::hex << code;
  }
}

}  // namespace

#endif
