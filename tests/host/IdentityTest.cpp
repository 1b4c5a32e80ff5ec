// The identity and registration exports, called as the host calls them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"

namespace {

using testing_support::RecordingHost;
using testing_support::ReleaseModule;
using testing_support::TestModule;

// A buffer the module writes into, pre-filled so that every byte it leaves
// alone shows.
struct Buffer {
  char bytes[EDIHAL_BUFFER_SIZE];
  Buffer() { std::memset(bytes, 'X', sizeof bytes); }
  std::string Text() const { return std::string(bytes); }
  // True when the buffer holds `text` and NUL up to and including byte 299,
  // as strncpy of 299 bytes then a NUL leave it.
  bool HoldsExactly(const std::string& text) const {
    if (std::memcmp(bytes, text.data(), text.size()) != 0) return false;
    for (std::size_t i = text.size(); i < sizeof bytes; ++i) {
      if (bytes[i] != '\0') return false;
    }
    return true;
  }
};

TEST(Identity, LibraryTypeIsAlwaysFour) {
  for (int call = 0; call < 3; ++call) EXPECT_EQ(4, ReleaseModule().TypBiblioteki());
}

TEST(Identity, PropertyTextsFillTheWholeBuffer) {
  const struct {
    int32_t id;
    const char* text;
  } cases[] = {{1, "Halvo - XML"},
               {2, "EDI_Halvo_XML"},
               {401, "0"},
               {402, "0"},
               {403, "0"},
               {404, "0"},
               {0, ""},
               {3, ""},
               {400, ""},
               {405, ""},
               {-1, ""},
               {-401, ""}};
  for (const auto& c : cases) {
    Buffer buffer;
    ReleaseModule().Wlasciwosci(buffer.bytes, c.id);
    EXPECT_TRUE(buffer.HoldsExactly(c.text)) << "property " << c.id << ": " << buffer.Text();
  }
}

TEST(Identity, NullBuffersAreNeverWrittenThrough) {
  ReleaseModule().Wlasciwosci(nullptr, 1);
  int32_t flag = 7;
  EXPECT_EQ(6, ReleaseModule().Parametr(401, 0, nullptr, nullptr, nullptr, 0, 0, nullptr));
  EXPECT_EQ(1, ReleaseModule().Parametr(401, 8, nullptr, nullptr, nullptr, 0, 0, &flag));
  EXPECT_EQ(0, flag);
  EXPECT_EQ(1, ReleaseModule().TekstListyParametru("ListaImp", 0, nullptr));
  EXPECT_EQ(0, ReleaseModule().TekstListyParametru(nullptr, 0, nullptr));
}

TEST(Registration, EachRegistrationMakesItsOwnObject) {
  RecordingHost first(TestModule());
  RecordingHost second(TestModule());
  ASSERT_NE(nullptr, first.Library());
  ASSERT_NE(first.Library(), second.Library());
}

TEST(Registration, ReleasingNullLeavesOtherObjectsWorking) {
  RecordingHost host(TestModule());
  TestModule().ZwolnijBiblioteke(nullptr);
  TestModule().TestArmFailure(host.Library(), 2, "still here");
  EXPECT_EQ(0, TestModule().EdiEksportujDokument(host.Library(), 1, "", ""));
  EXPECT_EQ(std::vector<std::string>{"still here"}, host.TextsOf(EDIHAL_CB_ERROR));
}

TEST(Registration, ReleasingCallsNoCallback) {
  RecordingHost host(TestModule());
  host.ReleaseLibrary();
  EXPECT_TRUE(host.Events().empty());
}

TEST(Registration, ReleaseModuleHasNoTestHook) {
  EXPECT_EQ(nullptr, ReleaseModule().TestArmFailure);
  EXPECT_NE(nullptr, TestModule().TestArmFailure);
}

}  // namespace
