// A host fails inside a callback it gave the module.  On Windows a host of
// another language raises a structured exception (its runtime's exception,
// its silent abort, or an application's code) and catches it around the
// export it called: it must catch exactly what it raised, and nothing is
// reported.  On Linux one C++ run-time serves host and module, and the
// host throws: the worker's guard reports an unknown exception and the
// export returns 0.  Either way, in every worker that calls back and from
// the error callback itself: no file stays open and the next call on the
// same library object works.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Footprint.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"
#if defined(_WIN32)
#include "HostCatch.h"
#endif

namespace {

using testing_support::ReadFile;
using testing_support::SourcePath;

#if defined(_WIN32)
// The three ways such a host raises (tests/support/HostCatch).
constexpr int kWaysToFail = 3;
void Fail(int way) {
  testing_support::raising = &testing_support::kHostRaises[way];
  testing_support::RaiseAsHost();
}
#else
constexpr int kWaysToFail = 1;
struct HostThrow {};
void Fail(int) {
  throw HostThrow{};
}
#endif

int g_way = 0;               // how the callbacks below fail
std::string g_failing_name;  // the parameter whose question fails

int32_t EDIHAL_STDCALL FailingParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                        char* answer) {
  if (g_failing_name == name) Fail(g_way);
  std::strcpy(answer, std::strcmp(name, "CzyKategoryzacja") == 0 ? "Nie" : "23");
  return 1;
}
int32_t EDIHAL_STDCALL FailingText(EdiHalHostValue, EdiHalHostValue, const char*) {
  Fail(g_way);
  return 1;
}
int32_t EDIHAL_STDCALL FailingPercent(EdiHalHostValue, EdiHalHostValue, int32_t) {
  Fail(g_way);
  return 1;
}

class HostFailure : public testing::Test {
 protected:
  HostFailure() : host(testing_support::ReleaseModule()) {
    invoice = folder.File("fv.xml");
    output = folder.File("dok.txt");
    testing_support::WriteFile(invoice,
                               ReadFile(SourcePath("examples/FV_2024_03_0142_cp1250.xml")));
    AnswerLikeAShop(host);
    host.Answer("KatalogImp", folder.Path());
    host.Answer("PrefixImp", "fv");
    host.Answer("ListaImp", "wg zaw. katalogu");
  }

  int32_t Import() {
    return host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str());
  }

  // The recording callbacks back, and an import that works.
  void ExpectNextImportWorks() {
    for (int id : {2, 3, 4, 6, 7, 8}) host.Register(id);
    host.ClearEvents();
    ASSERT_EQ(1, Import());
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    EXPECT_EQ(ReadFile(SourcePath("examples/expected/FV_2024_03_0142_cp1250.txt")),
              ReadFile(output));
  }

  // The export `call` ends as the host's failure ends it.
  void ExpectEndedByTheHost(const std::function<int32_t()>& call, bool in_the_error_callback) {
    int32_t result = -1;
#if defined(_WIN32)
    ExpectCaughtAsRaised(testing_support::RunCatching([&] { result = call(); }));
    EXPECT_EQ(-1, result) << "the export returned instead";
    EXPECT_TRUE(testing_support::NobodyHolds(invoice));
    EXPECT_TRUE(!testing_support::FileExists(output) || testing_support::NobodyHolds(output));
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
#else
    result = call();
    EXPECT_EQ(0, result);
    const std::vector<std::string> reported = in_the_error_callback
                                                  ? std::vector<std::string>{}
                                                  : std::vector<std::string>{"Nieznany wyj\xB9tek"};
    EXPECT_EQ(reported, host.TextsOf(EDIHAL_CB_ERROR));
#endif
    (void)in_the_error_callback;
  }

  testing_support::TempFolder folder;
  testing_support::RecordingHost host;
  std::string invoice;
  std::string output;
};

// While the invoice and the document are open, in every worker that asks
// the host something, and in the error callback itself.
TEST_F(HostFailure, EveryCallbackInEveryWorker) {
  // The host hands its proposed number in over the path buffer.
  char path[EDIHAL_BUFFER_SIZE] = "", filter[EDIHAL_BUFFER_SIZE], prompt[EDIHAL_BUFFER_SIZE];
  int32_t flag = 0;
  const std::string list = folder.File("lista.txt"), missing = folder.File("brak.xml");
  const EdiHalLibrary library = host.Library();
  const hostkit::ModuleApi& api = host.Api();
  const std::function<int32_t()> import = [&] { return Import(); };
  const std::function<int32_t()> selection = [&] {
    return api.EdiUtworzListeWyboruImportu(library, 2, list.c_str());
  };
  void* const parameter = reinterpret_cast<void*>(FailingParameter);
  void* const text = reinterpret_cast<void*>(FailingText);
  const struct {
    int callback_id;
    void* callback;
    const char* failing;  // the parameter asked for when it fails
    std::function<int32_t()> call;
  } kRows[] = {
      {EDIHAL_CB_PARAMETER_VALUE, parameter, "StawkaA", import},
      {EDIHAL_CB_PARAMETER_VALUE, parameter, "CzyKategoryzacja", import},
      {EDIHAL_CB_PROGRESS_TEXT, text, "", selection},
      {EDIHAL_CB_PROGRESS_TITLE, text, "", selection},
      {EDIHAL_CB_PROGRESS_PERCENT, reinterpret_cast<void*>(FailingPercent), "", selection},
      {EDIHAL_CB_PARAMETER_VALUE, parameter, "KatalogImp", selection},
      {EDIHAL_CB_MESSAGE, text, "", [&] { return api.EdiEksportujDokument(library, 5, "a", "b"); }},
      {EDIHAL_CB_PARAMETER_VALUE, parameter, "ListaExp",
       [&] { return api.EdiPrzedEksportem(library, 3, path, filter, prompt, &flag); }},
      {EDIHAL_CB_ERROR, text, "",
       [&] { return api.EdiImportujDokument(library, 4, output.c_str(), missing.c_str()); }},
  };
  // The first import opens what the process keeps for good (code pages,
  // locale), so that the handle count compares like with like.
  ExpectNextImportWorks();
  for (g_way = 0; g_way < kWaysToFail; ++g_way) {
    for (const auto& row : kRows) {
      SCOPED_TRACE(testing::Message()
                   << "way " << g_way << ": callback " << row.callback_id << " " << row.failing);
      host.ClearEvents();
      g_failing_name = row.failing;
      api.RejestrujCallback(library, row.callback, row.callback_id);
      const long handles = testing_support::OpenHandles();
      ExpectEndedByTheHost(row.call, row.callback_id == EDIHAL_CB_ERROR);
      EXPECT_EQ(handles, testing_support::OpenHandles()) << "a file left open";
      ExpectNextImportWorks();
    }
  }
}

}  // namespace
