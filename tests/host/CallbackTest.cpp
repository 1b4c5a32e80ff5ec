// The library object's callbacks and operations, seen from the host: the
// test hook's "echo" replaces a worker by one call of each operation
// (progress title, text and percent with the armed text, then the message
// "[" + ParameterValue(text) + "]").
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

TEST(Callbacks, OperationsPassTheirValuesUnchanged) {
  RecordingHost host(TestModule());
  const std::string text = " \xB9 Tytu\xB3 ";  // blanks stay: no trimming
  Echo(host, text);
  const std::vector<int> order = {EDIHAL_CB_PROGRESS_TITLE, EDIHAL_CB_PROGRESS_TEXT,
                                  EDIHAL_CB_PROGRESS_PERCENT, EDIHAL_CB_PARAMETER_VALUE,
                                  EDIHAL_CB_MESSAGE};
  ASSERT_EQ(order.size(), host.Events().size());
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], host.Events()[i].id);
  EXPECT_EQ(text, host.Events()[0].text);
  EXPECT_EQ(text, host.Events()[1].text);
  EXPECT_EQ(static_cast<int32_t>(text.size()), host.Events()[2].number);
}

TEST(Callbacks, ParameterValueTrimsNameAndAnswer) {
  const struct {
    const char* asked;     // name the worker asks for
    const char* received;  // name the host receives
    std::string answer;    // host's raw answer bytes
    const char* result;    // what the worker gets
  } cases[] = {
      {" KatalogImp ", "KatalogImp", "  23  ", "23"},
      {"KatalogImp\r\n", "KatalogImp", "\tC:\\Imp\\ \r\n", "C:\\Imp\\"},
      {"StawkaA", "StawkaA",
       "\xA0"
       "23\xA0",
       "\xA0"
       "23\xA0"},
      {"StawkaA", "StawkaA", std::string("ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) {
    RecordingHost host(TestModule());
    host.AnswerRaw(c.received, c.answer);
    EXPECT_EQ(std::vector<std::string>{std::string("[") + c.result + "]"}, Echo(host, c.asked))
        << c.asked;
    EXPECT_EQ(std::vector<std::string>{c.received}, host.ParameterQueries());
  }
}

TEST(Callbacks, AnswerFillingAllBytesIsCutTo299) {
  RecordingHost host(TestModule());
  std::string full(EDIHAL_BUFFER_SIZE, 'a');
  full[0] = ' ';
  host.AnswerRaw("P", full);
  EXPECT_EQ(std::vector<std::string>{"[" + std::string(298, 'a') + "]"}, Echo(host, "P"));
}

TEST(Callbacks, UntouchedAnswerBufferIsEmpty) {
  RecordingHost host(TestModule());
  EXPECT_EQ(std::vector<std::string>{"[]"}, Echo(host, "Unknown"));
  EXPECT_EQ(std::vector<std::string>{"Unknown"}, host.ParameterQueries());
}

TEST(Callbacks, UnregisteredCallbacksAreSkipped) {
  RecordingHost host(TestModule(), false);
  host.Register(EDIHAL_CB_MESSAGE);
  host.Answer("P", "value");
  EXPECT_EQ(std::vector<std::string>{"[]"}, Echo(host, "P"));
  EXPECT_EQ(1u, host.Events().size());
}

TEST(Callbacks, IdsOutsideTheContractChangeNothing) {
  RecordingHost host(TestModule());
  host.Answer("P", "v");
  for (int32_t id : {-1, 0, 1, 9, 10, 27, 28, 30, 31, 1000}) {
    TestModule().RejestrujCallback(host.Library(), nullptr, id);
  }
  Echo(host, "P");
  EXPECT_EQ(5u, host.Events().size());
  EXPECT_EQ(std::vector<std::string>{"[v]"}, host.TextsOf(EDIHAL_CB_MESSAGE));
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

TEST(Callbacks, CallContextIsReplacedByEachCall) {
  RecordingHost host(TestModule());
  Echo(host, "P", 100);
  host.ClearEvents();
  Echo(host, "P", 200);
  for (const CallbackEvent& event : host.Events()) EXPECT_EQ(200, event.context);
}

}  // namespace
