// Polish character conversion between the numbered character sets, from
// UTF-8 and from ISO-8859-2.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "charsets/Iso88592.h"
#include "charsets/Plkonwer.h"

namespace {

using namespace edihal;

// The 18 letters Ą Ć Ę Ł Ń Ó Ś Ż Ź ą ć ę ł ń ó ś ż ź in Windows-1250.
const std::string kLetters1250 =
    "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\xAF\x8F\xB9\xE6\xEA\xB3\xF1\xF3\x9C\xBF\x9F";

std::string Converted(std::string text, int source, int target) {
  ConvertCharSet(text, source, target);
  return text;
}

TEST(ConvertCharSet, SameSetAndEmptyTextChangeNothing) {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  for (int set = 0; set <= 7; ++set) EXPECT_EQ(every_byte, Converted(every_byte, set, set));
  for (int source = 0; source <= 7; ++source) {
    for (int target = 0; target <= 7; ++target) {
      EXPECT_EQ("", Converted("", source, target)) << source << "->" << target;
    }
  }
}

TEST(ConvertCharSet, LettersRoundTripBetweenEveryReversibleSet) {
  // Sets 0, 1, 2, 4, 5 and 6 hold 18 distinct bytes: every pair converts
  // the letters there and back exactly.
  const int reversible[] = {0, 1, 2, 4, 5, 6};
  for (int source : reversible) {
    const std::string letters = Converted(kLetters1250, 0, source);
    for (int target : reversible) {
      const std::string there = Converted(letters, source, target);
      EXPECT_EQ(letters, Converted(there, target, source)) << source << "<->" << target;
      EXPECT_EQ(Converted(kLetters1250, 0, target), there) << source << "->" << target;
    }
  }
  EXPECT_EQ(kLetters1250, Converted(Converted(kLetters1250, 0, 7), 7, 0));
}

TEST(ConvertCharSet, KeepsLengthAndAscii) {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  std::string ascii;
  for (int b = 1; b < 128; ++b) ascii += static_cast<char>(b);
  for (int source = 0; source <= 6; ++source) {
    for (int target = 0; target <= 6; ++target) {
      const std::string converted = Converted(every_byte, source, target);
      ASSERT_EQ(every_byte.size(), converted.size()) << source << "->" << target;
      EXPECT_EQ(every_byte.substr(0, 128), converted.substr(0, 128)) << source << "->" << target;
    }
  }
  for (int source = 0; source <= 7; ++source) {
    for (int target = 0; target <= 7; ++target) {
      EXPECT_EQ(ascii, Converted(ascii, source, target)) << source << "->" << target;
    }
  }
}

TEST(Utf8, BrokenSequencesBecomeQuestionMarksOnly) {
  // How many "?" stand for a broken sequence is the system's business;
  // that nothing else comes out is not.
  for (const std::string broken : {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\x80\x80"}) {
    const std::string ansi = AnsiFromUtf8(broken);
    EXPECT_FALSE(ansi.empty()) << broken;
    EXPECT_EQ(std::string::npos, ansi.find_first_not_of('?')) << broken << " -> " << ansi;
  }
}

#if !defined(_WIN32)
// Windows maps a letter it lacks to a similar one (a for a-grave); here
// every such letter becomes "?".
TEST(Utf8, LettersWindows1250LacksBecomeQuestionMarks) {
  EXPECT_EQ("?", AnsiFromUtf8("\xC3\xA0"));
  EXPECT_EQ("??", AnsiFromUtf8("\xC0\xAF"));
  EXPECT_EQ("???", AnsiFromUtf8("\xED\xA0\x80"));
}

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
    byte_of[Utf8FromAnsi(byte)] = byte;
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
              AnsiFromUtf8(text))
        << "U+" << std::hex << code;
  }
}
#endif

}  // namespace

// Long texts go through eight ASCII bytes at a time: the result must be the
// one a piece at a time gives, the pieces cut right after each ASCII byte
// (never inside a character, and mostly too short for the words).
TEST(Utf8, LongTextsConvertAsTheirPiecesDo) {
  static const char* const kPieces[] = {"a",
                                        "Zaz\xC3\xB3\xC5\x82\xC4\x87 ",
                                        "\xC5",
                                        "\xE2\x82\xAC",
                                        "\xF0\x9F\x98\x80",
                                        "\xA1\xB1\xA6",
                                        "0123456789"};
  unsigned seed = 11;
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int i = 0; i < 12; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += kPieces[(seed >> 16) % (sizeof kPieces / sizeof kPieces[0])];
    }
    std::string utf8_pieces, iso_pieces, piece;
    for (const char c : text) {
      piece += c;
      if (static_cast<unsigned char>(c) < 0x80) {
        utf8_pieces += edihal::AnsiFromUtf8(piece);
        iso_pieces += edihal::Iso88592ToWin1250(piece, 0);
        piece.clear();
      }
    }
    utf8_pieces += edihal::AnsiFromUtf8(piece);
    iso_pieces += edihal::Iso88592ToWin1250(piece, 0);
    EXPECT_EQ(utf8_pieces, edihal::AnsiFromUtf8(text)) << text;
    EXPECT_EQ(iso_pieces, edihal::Iso88592ToWin1250(text, 0)) << text;
  }
}
