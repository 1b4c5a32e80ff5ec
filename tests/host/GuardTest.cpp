// The frame and exception guard of the four worker exports, driven through
// the test-hook module: a worker is armed to fail, then the export is
// called exactly as the host calls it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"

namespace {

using testing_support::RecordingHost;
using testing_support::TestModule;

constexpr int32_t kAbort = 1, kException = 2, kInteger = 3, kStdException = 4, kEcho = 5;
// "Nieznany wyjątek" in Windows-1250.
const std::string kUnknown = "Nieznany wyj\xB9tek";

// Calls one worker export on `host` with call context `context`.
struct WorkerExport {
  const char* name;
  std::function<int32_t(RecordingHost&, EdiHalHostValue)> call;
};

std::vector<WorkerExport> WorkerExports() {
  return {
      {"EdiPrzedEksportem",
       [](RecordingHost& host, EdiHalHostValue context) {
         char a[EDIHAL_BUFFER_SIZE] = "12", b[EDIHAL_BUFFER_SIZE] = "", c[EDIHAL_BUFFER_SIZE] = "";
         int32_t flag = 0;
         return host.Api().EdiPrzedEksportem(host.Library(), context, a, b, c, &flag);
       }},
      {"EdiEksportujDokument",
       [](RecordingHost& host, EdiHalHostValue context) {
         return host.Api().EdiEksportujDokument(host.Library(), context, "a", "b");
       }},
      {"EdiUtworzListeWyboruImportu",
       [](RecordingHost& host, EdiHalHostValue context) {
         return host.Api().EdiUtworzListeWyboruImportu(host.Library(), context, "");
       }},
      {"EdiImportujDokument",
       [](RecordingHost& host, EdiHalHostValue context) {
         return host.Api().EdiImportujDokument(host.Library(), context, "", "");
       }},
  };
}

void Arm(RecordingHost& host, int32_t kind, const std::string& message) {
  TestModule().TestArmFailure(host.Library(), kind, message.c_str());
}

TEST(Guard, EachFailureKindIsReportedAsTheHostExpects) {
  const struct {
    int32_t kind;
    std::string message;
    std::vector<std::string> reported;
  } cases[] = {
      {kAbort, "ignored", {}},
      {kException,
       "B\xB3\xB9"
       "d odczytu pliku C:\\a.xml",
       {"B\xB3\xB9"
        "d odczytu pliku C:\\a.xml"}},
      {kException, "", {""}},
      {kInteger, "ignored", {kUnknown}},
      {kStdException, "std text", {kUnknown}},
  };
  for (const WorkerExport& worker : WorkerExports()) {
    for (const auto& c : cases) {
      RecordingHost host(TestModule());
      Arm(host, c.kind, c.message);
      EXPECT_EQ(0, worker.call(host, 55)) << worker.name << " kind " << c.kind;
      EXPECT_EQ(c.reported, host.TextsOf(EDIHAL_CB_ERROR)) << worker.name << " kind " << c.kind;
      // Nothing else reaches the host: no parameter, no progress, no message.
      EXPECT_EQ(c.reported.size(), host.Events().size()) << worker.name;
      for (const auto& event : host.Events()) {
        EXPECT_EQ(55, event.context);
        EXPECT_EQ(host.Handle(), event.host);
      }
    }
  }
}

TEST(Guard, FailureWithoutErrorCallbackIsSilentZero) {
  for (const WorkerExport& worker : WorkerExports()) {
    RecordingHost host(TestModule());
    host.Register(EDIHAL_CB_ERROR, false);
    Arm(host, kException, "lost");
    EXPECT_EQ(0, worker.call(host, 1)) << worker.name;
    EXPECT_TRUE(host.Events().empty()) << worker.name;
  }
}

TEST(Guard, NextCallAfterAFailureRunsNormally) {
  for (const WorkerExport& worker : WorkerExports()) {
    RecordingHost host(TestModule());
    Arm(host, kException, "once");
    EXPECT_EQ(0, worker.call(host, 1)) << worker.name;
    Arm(host, kEcho, "x");
    EXPECT_EQ(1, worker.call(host, 2)) << worker.name;
    EXPECT_EQ(std::vector<std::string>{"once"}, host.TextsOf(EDIHAL_CB_ERROR));
  }
}

TEST(Guard, FailedPreStepWritesNoBufferAndNoFlag) {
  RecordingHost host(TestModule());
  char path[EDIHAL_BUFFER_SIZE], filter[EDIHAL_BUFFER_SIZE], prompt[EDIHAL_BUFFER_SIZE];
  std::memset(path, 'P', sizeof path);
  std::memset(filter, 'F', sizeof filter);
  std::memset(prompt, 'Q', sizeof prompt);
  path[0] = '7', path[1] = '\0';
  int32_t flag = 42;
  Arm(host, kException, "no");
  EXPECT_EQ(0, TestModule().EdiPrzedEksportem(host.Library(), 3, path, filter, prompt, &flag));
  EXPECT_EQ(42, flag);
  EXPECT_EQ('7', path[0]);
  EXPECT_EQ('\0', path[1]);
  for (int i = 2; i < EDIHAL_BUFFER_SIZE; ++i) ASSERT_EQ('P', path[i]) << i;
  for (char c : filter) ASSERT_EQ('F', c);
  for (char c : prompt) ASSERT_EQ('Q', c);
}

TEST(Guard, NullLibraryReturnsZero) {
  EXPECT_EQ(0, TestModule().EdiEksportujDokument(nullptr, 1, "", ""));
  EXPECT_EQ(0, TestModule().EdiImportujDokument(nullptr, 1, "", ""));
  EXPECT_EQ(0, TestModule().EdiUtworzListeWyboruImportu(nullptr, 1, ""));
  EXPECT_EQ(0, TestModule().EdiPrzedEksportem(nullptr, 1, nullptr, nullptr, nullptr, nullptr));
}

}  // namespace
