// A host written in another language fails in a callback by raising a
// structured exception (RaiseException) and catches it around the export
// it called.  Through the shipped DLL: the host's own frame catches the
// exception with its code and arguments, nothing is reported through the
// error callback, no file handle stays open, and the next call on the same
// library object works normally.  Also an invoice that another process
// holds open without sharing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "Footprint.h"
#include "HostCatch.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ExpectCaughtAsRaised;
using testing_support::HostRaise;
using testing_support::kHostRaises;
using testing_support::RaiseAsHost;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::RunCatching;
using testing_support::SourcePath;
using testing_support::TempFolder;
using testing_support::WriteFile;

using testing_support::NobodyHolds;

// The parameter callback of a host that fails when asked for `failing_name`.
std::string failing_name;
int32_t EDIHAL_STDCALL RaisingParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                        char* answer) {
  if (failing_name == name) RaiseAsHost();
  std::strcpy(answer, std::strcmp(name, "CzyKategoryzacja") == 0 ? "Nie" : "23");
  return 1;
}

int32_t EDIHAL_STDCALL RaisingText(EdiHalHostValue, EdiHalHostValue, const char*) {
  RaiseAsHost();
  return 1;
}

int32_t EDIHAL_STDCALL RaisingPercent(EdiHalHostValue, EdiHalHostValue, int32_t) {
  RaiseAsHost();
  return 1;
}

class HostException : public testing::Test {
 protected:
  HostException() : host(testing_support::ReleaseModule()) {
    invoice = folder.File("fv.xml");
    output = folder.File("dok.txt");
    WriteFile(invoice, ReadFile(SourcePath("examples/FV_2024_03_0142_cp1250.xml")));
    AnswerLikeAShop(host);
    host.Answer("KatalogImp", folder.Path());
    host.Answer("PrefixImp", "fv");
    host.Answer("ListaImp", "wg zaw. katalogu");
  }

  int32_t Import() {
    return host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str());
  }

  // The registered recording callbacks back, and an import that works.
  void ExpectNextImportWorks() {
    for (int id : {2, 3, 4, 6, 7, 8}) host.Register(id);
    host.ClearEvents();
    ASSERT_EQ(1, Import());
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    EXPECT_EQ(ReadFile(SourcePath("examples/expected/FV_2024_03_0142_cp1250.txt")),
              ReadFile(output));
  }

  TempFolder folder;
  RecordingHost host;
  std::string invoice;
  std::string output;
};

// Raised while the invoice and the document are open, in every worker that
// asks the host something, and from the error callback itself.
TEST_F(HostException, TheHostCatchesItsOwnExceptionAndTheModuleStaysUsable) {
  char path[EDIHAL_BUFFER_SIZE], filter[EDIHAL_BUFFER_SIZE], prompt[EDIHAL_BUFFER_SIZE];
  int32_t flag = 0;
  const std::string list = folder.File("lista.txt"), missing = folder.File("brak.xml");
  const EdiHalLibrary library = host.Library();
  const hostkit::ModuleApi& api = host.Api();
  const std::function<int32_t()> import = [&] { return Import(); };
  const std::function<int32_t()> selection = [&] {
    return api.EdiUtworzListeWyboruImportu(library, 2, list.c_str());
  };
  void* const parameter = reinterpret_cast<void*>(RaisingParameter);
  void* const text = reinterpret_cast<void*>(RaisingText);
  const struct {
    int callback_id;
    void* callback;
    const char* failing;  // the parameter asked for when it raises
    std::function<int32_t()> call;
  } kCases[] = {
      {EDIHAL_CB_PARAMETER_VALUE, parameter, "StawkaA", import},
      {EDIHAL_CB_PARAMETER_VALUE, parameter, "CzyKategoryzacja", import},
      {EDIHAL_CB_PROGRESS_TEXT, text, "", selection},
      {EDIHAL_CB_PROGRESS_TITLE, text, "", selection},
      {EDIHAL_CB_PROGRESS_PERCENT, reinterpret_cast<void*>(RaisingPercent), "", selection},
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
  for (const HostRaise& raise : kHostRaises) {
    testing_support::raising = &raise;
    for (const auto& c : kCases) {
      SCOPED_TRACE(testing::Message()
                   << raise.what << ": callback " << c.callback_id << " " << c.failing);
      host.ClearEvents();
      failing_name = c.failing;
      api.RejestrujCallback(library, c.callback, c.callback_id);
      const long handles = testing_support::OpenHandles();
      int32_t result = -1;
      ExpectCaughtAsRaised(RunCatching([&] { result = c.call(); }));
      EXPECT_EQ(-1, result) << "the export returned instead";
      EXPECT_EQ(handles, testing_support::OpenHandles());
      EXPECT_TRUE(NobodyHolds(invoice));
      EXPECT_TRUE(!testing_support::FileExists(output) || NobodyHolds(output));
      EXPECT_TRUE(c.callback_id == EDIHAL_CB_ERROR || host.TextsOf(EDIHAL_CB_ERROR).empty());
      ExpectNextImportWorks();
    }
  }
}

// An invoice another process holds open without sharing: an error naming
// it, and the import works once it is released.
TEST_F(HostException, AnInvoiceHeldWithoutSharing) {
  const long handles = testing_support::OpenHandles();
  HANDLE held = CreateFileA(invoice.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  // The count the other tests compare does see an open file.
  EXPECT_EQ(handles + 1, testing_support::OpenHandles());
  EXPECT_EQ(0, Import());
  const auto errors = host.TextsOf(EDIHAL_CB_ERROR);
  ASSERT_EQ(1u, errors.size());
  EXPECT_NE(std::string::npos, errors[0].find(invoice)) << errors[0];
  CloseHandle(held);
  ExpectNextImportWorks();
}

}  // namespace
