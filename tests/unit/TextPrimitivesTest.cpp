// The text primitives every worker shares: exact byte rules.
#include <gtest/gtest.h>

#include <string>

#include "selection/TextPrimitives.h"

namespace {

using namespace edihal;

TEST(Trim, RemovesControlBytesAndSpacesOnlyAtTheEnds) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"", ""},
      {"   ", ""},
      {"\t\r\n \x01\x1F", ""},
      {" a b ", "a b"},
      {"\tC:\\Imp\\ \r\n", "C:\\Imp\\"},  // a trailing backslash stays
      {"\xA0"
       "a\xA0",
       "\xA0"
       "a\xA0"},                       // no-break space is not trimmed
      {"\xB9\xB3 ", "\xB9\xB3"},       // Polish letters stay
      {std::string("\0a\0", 3), "a"},  // NUL is a control byte
      {"\x7F"
       "a",
       "\x7F"
       "a"},  // DEL is above 0x20
  };
  for (const auto& c : cases) EXPECT_EQ(c.trimmed, Trim(c.text)) << c.text;
}

TEST(Pos, OneBasedAndCaseSensitive) {
  EXPECT_EQ(1, Pos("<a>", "<a>x</a>"));
  EXPECT_EQ(5, Pos("</a>", "<a>x</a>"));
  EXPECT_EQ(0, Pos("<A>", "<a>x</a>"));
  EXPECT_EQ(0, Pos("", "abc"));
  EXPECT_EQ(0, Pos("abc", ""));
  EXPECT_EQ(0, Pos("abcd", "abc"));
  EXPECT_EQ(3, Pos("\xB9", "ab\xB9"));
}

TEST(Delete, RemovesOnlyInsideTheText) {
  const struct {
    std::string text;
    TextPos index, count;
    std::string result;
  } cases[] = {
      {"abcdef", 1, 2, "cdef"},
      {"abcdef", 3, 100, "ab"},
      {"abcdef", 6, 1, "abcde"},
      {"abcdef", 0, 3, "abcdef"},  // index 0: a Pos that found nothing removes nothing
      {"abcdef", -2, 3, "abcdef"},
      {"abcdef", 7, 1, "abcdef"},
      {"abcdef", 2, 0, "abcdef"},
      {"abcdef", 2, -1, "abcdef"},
      {"", 1, 1, ""},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    Delete(text, c.index, c.count);
    EXPECT_EQ(c.result, text) << c.index << "," << c.count;
  }
}

TEST(SubString, ClampsIndexAndCount) {
  const struct {
    TextPos index, count;
    std::string result;
  } cases[] = {
      {1, 3, "abc"}, {0, 4, "abcd"}, {-5, 2, "ab"}, {5, 10, "ef"},
      {6, 1, "f"},   {7, 1, ""},     {2, 0, ""},    {2, -1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, SubString("abcdef", c.index, c.count));
  EXPECT_EQ(SubString("abcdef", 1, 4), SubString("abcdef", 0, 4));
}

TEST(AnsiCase, FoldsLatinAndPolishLetters) {
  // Zażółć gęślą jaźń, then ZAŻÓŁĆ GĘŚLĄ JAŹŃ, in Windows-1250.
  const std::string lower = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
  const std::string upper = "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL\xA5 JA\x8F\xD1";
  EXPECT_EQ(upper, AnsiUpperCase(lower));
  EXPECT_EQ(upper, AnsiUpperCase(upper));
  EXPECT_EQ("FV*.XML", AnsiUpperCase("fv*.xml"));
  EXPECT_EQ("123 ./\\", AnsiUpperCase("123 ./\\"));
  EXPECT_EQ(0, AnsiCompareText(lower, upper));
  EXPECT_EQ(0, AnsiCompareText("\xB9", "\xA5"));  // ą and Ą are one letter
}

TEST(AnsiCase, CompareTextTellsDifferentWordsApart) {
  const struct {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"wg zaw. katalogu", "wg zaw. katalogu", true},
      {"WG ZAW. KATALOGU", "wg zaw. katalogu", true},
      {"Wg Zaw. Katalogu", "wg zaw. katalogu", true},
      {"brak", "wg zaw. katalogu", false},
      {"wg zaw. katalogu ", "wg zaw. katalogu", false},
      {"wg zaw katalogu", "wg zaw. katalogu", false},
      {"dokument", "Dokument", true},
      {"Dokumenty", "Dokument", false},
      {"", "", true},
      {"", "a", false},
      {"\xB3", "l", false},  // ł is not l
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.equal, AnsiCompareText(c.a, c.b) == 0) << c.a << " / " << c.b;
  }
}

TEST(HeaderTagValue, TakesTheRemainderAfterTheOpeningTag) {
  const std::string open = "<szInvoiceIDPDF>", close = "</szInvoiceIDPDF>";
  const struct {
    std::string line;
    bool hit;
    std::string value;
    std::string rest;  // the line as the routine leaves it
  } cases[] = {
      {"    <szInvoiceIDPDF> FV/1/2024 </szInvoiceIDPDF>", true, "FV/1/2024", " FV/1/2024 "},
      {"<szInvoiceIDPDF>123</szInvoiceIDPDF><b/>", true, "123<b/>", "123<b/>"},
      {"<szInvoiceIDPDF>  no closing tag  ", true, "no closing tag", "  no closing tag  "},
      {"<szInvoiceIDPDF></szInvoiceIDPDF>", true, "", ""},
      {"<szinvoiceidpdf>1</szinvoiceidpdf>", false, "unchanged",
       "<szinvoiceidpdf>1</szinvoiceidpdf>"},
      {"x<szInvoiceIDPDF>a</szInvoiceIDPDF>b</szInvoiceIDPDF>", true, "ab</szInvoiceIDPDF>",
       "ab</szInvoiceIDPDF>"},
  };
  for (const auto& c : cases) {
    std::string line = c.line;
    std::string value = "unchanged";
    EXPECT_EQ(c.hit, HeaderTagValue(line, open, close, value)) << c.line;
    EXPECT_EQ(c.value, value) << c.line;
    EXPECT_EQ(c.rest, line) << c.line;
  }
}

TEST(InvoiceDateText, ReordersBytesAsTheyStand) {
  const struct {
    const char* text;
    const char* date;
  } cases[] = {
      {"20240131", "31.01.2024"},
      {"2024-01-31", "1-.-0.2024"},
      {"2023", "..2023"},
      {"", ".."},
      {"202401", ".01.2024"},
      {"2024013", "3.01.2024"},
      {"20240131xyz", "31.01.2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.date, InvoiceDateText(c.text)) << c.text;
}

}  // namespace
