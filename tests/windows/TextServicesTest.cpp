// The Windows text services behind the primitives, through the system's own
// functions with the Polish ANSI code page (1250) that the tests run under.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "text/Plkonwer.h"

namespace {

TEST(WindowsTextServices, RunsUnderCodePage1250) {
  EXPECT_EQ(1250u, GetACP());
}

TEST(WindowsTextServices, UpperCaseAndCompareFoldPolishLetters) {
  const std::string lower = "za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
  const std::string upper = "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL\xA5 JA\x8F\xD1";
  EXPECT_EQ(upper, edihal::os::UpperCase(lower));
  EXPECT_EQ(0, edihal::os::CompareTextIgnoringCase(lower, upper));
  EXPECT_EQ(0, edihal::os::CompareTextIgnoringCase("WG ZAW. KATALOGU", "wg zaw. katalogu"));
  EXPECT_NE(0, edihal::os::CompareTextIgnoringCase("brak", "wg zaw. katalogu"));
}

TEST(WindowsTextServices, Utf8ConversionsAgreeWithPosix) {
  EXPECT_EQ(
      "\xA3\xF3"
      "d\x9F",
      edihal::AnsiFromUtf8("\xC5\x81\xC3\xB3"
                           "d\xC5\xBA"));
  EXPECT_EQ(
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA",
      edihal::Utf8FromAnsi("\xA3\xF3"
                           "d\x9F"));
  EXPECT_EQ("a?b", edihal::AnsiFromUtf8("a\xFF"
                                        "b"));
  EXPECT_EQ("\x80", edihal::AnsiFromUtf8("\xE2\x82\xAC"));
}

TEST(WindowsTextServices, DecimalSeparatorOfThePolishLocale) {
  EXPECT_EQ(',', edihal::SystemPlatform().DecimalSeparator());
}

}  // namespace
