// The library object's callbacks and operations, seen from the host: the
// test hook's "echo" replaces a worker by one call of each operation
// (progress title, text and percent with the armed text, then the message
// "[" + ParameterValue(text) + "]").  What one host sees of them is case
// files (cases/callbacks); here, two hosts at once and callbacks that are
// not the recording host's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"

namespace {

using testing_support::CallbackEvent;
using testing_support::RecordingHost;
using testing_support::TestModule;

constexpr int32_t kEcho = 5;

// Runs the echo with `text` through the export refusal's frame and returns
// what the message callback received.
std::vector<std::string> Echo(RecordingHost& host, const std::string& text,
                              EdiHalHostValue context = 9) {
  TestModule().TestArmFailure(host.Library(), kEcho, text.c_str());
  EXPECT_EQ(1, TestModule().EdiEksportujDokument(host.Library(), context, "", ""));
  return host.TextsOf(EDIHAL_CB_MESSAGE);
}

TEST(Callbacks, EveryCallbackGetsHostHandleAndCallContext) {
  RecordingHost first(TestModule());
  RecordingHost second(TestModule());
  first.Answer("Name", "v");
  Echo(first, "Name", 1234);
  Echo(second, "Name", -5);
  ASSERT_EQ(5u, first.Events().size());
  for (const CallbackEvent& event : first.Events()) {
    EXPECT_EQ(first.Handle(), event.host);
    EXPECT_EQ(1234, event.context);
  }
  for (const CallbackEvent& event : second.Events()) {
    EXPECT_EQ(second.Handle(), event.host);
    EXPECT_EQ(-5, event.context);
  }
}

TEST(Callbacks, ReservedIdsAreAcceptedButNeverCalled) {
  RecordingHost host(TestModule());
  // Functions of another shape: calling either would break the test.
  TestModule().RejestrujCallback(host.Library(), reinterpret_cast<void*>(&Echo), 5);
  TestModule().RejestrujCallback(host.Library(), reinterpret_cast<void*>(&Echo), 29);
  Echo(host, "P");
  EXPECT_EQ(5u, host.Events().size());
}

int g_second_calls = 0;
int32_t EDIHAL_STDCALL SecondParameterCallback(EdiHalHostValue, EdiHalHostValue, const char*,
                                               char* answer) {
  ++g_second_calls;
  std::strcpy(answer, "second");
  return 0;
}

TEST(Callbacks, LaterRegistrationReplacesAndNullSwitchesOff) {
  RecordingHost host(TestModule());
  host.Answer("P", "first");
  g_second_calls = 0;
  TestModule().RejestrujCallback(host.Library(), reinterpret_cast<void*>(SecondParameterCallback),
                                 EDIHAL_CB_PARAMETER_VALUE);
  EXPECT_EQ(std::vector<std::string>{"[second]"}, Echo(host, "P"));
  EXPECT_EQ(1, g_second_calls);
  EXPECT_TRUE(host.ParameterQueries().empty());

  host.ClearEvents();
  TestModule().RejestrujCallback(host.Library(), nullptr, EDIHAL_CB_PARAMETER_VALUE);
  EXPECT_EQ(std::vector<std::string>{"[]"}, Echo(host, "P"));
  EXPECT_EQ(1, g_second_calls);
}

}  // namespace
