// The Polish Windows the tests run under: ANSI code page 1250 and a
// decimal comma.  (The text services behind the primitives, upper case,
// comparison and UTF-8, run the tables of tests/tables under it.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"

namespace {

TEST(WindowsTextServices, RunsUnderCodePage1250) {
  EXPECT_EQ(1250u, GetACP());
}

TEST(WindowsTextServices, DecimalSeparatorOfThePolishLocale) {
  EXPECT_EQ(',', edihal::SystemPlatform().DecimalSeparator());
}

}  // namespace
