// The pieces of the export frame: host buffers and the guard when the
// host's own callback fails (the pre-step's number: tables/export.txt).
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "plugin/TVEXBibliotekaEDI.h"
#include "plugin/TextBuffer.h"
#include "plugin/WorkerGuard.h"

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
  EXPECT_EQ(-1, NumberArgument(nullptr));  // the texts: tables/export.txt
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
