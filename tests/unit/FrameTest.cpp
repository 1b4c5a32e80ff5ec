// The pieces of the export frame: host buffers, the number argument of the
// export pre-step, and the guard when the host's own callback fails.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "plugin/TVEXBibliotekaEDI.h"
#include "plugin/TextBuffer.h"
#include "plugin/WorkerGuard.h"
#include "rtl/StrToInt.h"

namespace {

using namespace edihal;

TEST(TextBuffer, WritesLikeStrncpyOf299ThenNul) {
  const struct {
    std::string text;
    std::string expected;  // the first bytes; the rest must be NUL
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {std::string(298, 'x'), std::string(298, 'x')},
      {std::string(299, 'y'), std::string(299, 'y')},
      {std::string(300, 'z'), std::string(299, 'z')},
      {std::string(1000, 'w'), std::string(299, 'w')},
      {std::string("ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) {
    char buffer[EDIHAL_BUFFER_SIZE + 1];
    std::memset(buffer, 'X', sizeof buffer);
    WriteTextBuffer(buffer, c.text);
    EXPECT_EQ(0, std::memcmp(buffer, c.expected.data(), c.expected.size())) << c.text.size();
    for (std::size_t i = c.expected.size(); i < EDIHAL_BUFFER_SIZE; ++i) {
      ASSERT_EQ('\0', buffer[i]) << "byte " << i << " of a " << c.text.size() << "-byte text";
    }
    EXPECT_EQ('X', buffer[EDIHAL_BUFFER_SIZE]) << "wrote past the buffer";
  }
  WriteTextBuffer(nullptr, "ignored");
}

TEST(TextBuffer, NumberArgumentReadsTheWholeTrimmedText) {
  const struct {
    const char* text;
    int32_t number;
  } cases[] = {
      {"12", 12},
      {" 12 ", 12},
      {"\t42\r\n", 42},
      {"0", 0},
      {"", -1},
      {"   ", -1},
      {"abc", -1},
      {"12a", -1},
      {"1 2", -1},
      {"-3", -3},
      {"+7", 7},
      {"-", -1},
      {"$1F", 31},
      {"0x10", 16},
      {"2147483647", 2147483647},
      {"2147483648", -1},
      {"-2147483648", INT32_MIN},
      {"-2147483649", -1},
      {"99999999999999999999", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.number, NumberArgument(c.text)) << "'" << c.text << "'";
  EXPECT_EQ(-1, NumberArgument(nullptr));
}

TEST(StrToIntDef, FallbackForAnythingButAWholeInteger) {
  EXPECT_EQ(5, StrToIntDef("5", 9));
  EXPECT_EQ(9, StrToIntDef(" 5", 9));
  EXPECT_EQ(9, StrToIntDef("5 ", 9));
  EXPECT_EQ(9, StrToIntDef("", 9));
  EXPECT_EQ(-1, StrToIntDef("$FFFFFFFF", 9));
  EXPECT_EQ(9, StrToIntDef("$100000000", 9));
  EXPECT_EQ(9, StrToIntDef("0x", 9));
  EXPECT_EQ(9, StrToIntDef("1.5", 9));
}

int32_t EDIHAL_STDCALL ThrowingErrorCallback(EdiHalHostValue, EdiHalHostValue, const char*) {
  throw std::runtime_error("the host failed while reporting");
}

TEST(WorkerGuard, AThrowingErrorCallbackDoesNotEscape) {
  TVEXBibliotekaEDI library(1);
  library.CallbackError = ThrowingErrorCallback;
  EXPECT_FALSE(RunGuarded(library, [] { throw Exception("x"); }));
  EXPECT_FALSE(RunGuarded(library, [] { throw 1; }));
  EXPECT_TRUE(RunGuarded(library, [] {}));
}

}  // namespace
