// A host written in C++ whose callback throws (on Linux one C++ run-time
// serves the host and the module; a Windows host's failures arrive as
// structured exceptions, see tests/windows): the worker ends through its
// guard with the unknown-error report, the invoice is left as it was, and
// the next call on the same library object works normally; an error
// callback that throws while the guard reports does not escape either.  (Folders where
// files belong, missing folders and bad side files are cases:
// cases/faults.)
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <cstring>
#include <string>
#include <vector>

#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::SourcePath;

struct HostFailure {};

int32_t EDIHAL_STDCALL ThrowingText(EdiHalHostValue, EdiHalHostValue, const char*) {
  throw HostFailure{};
}

int32_t EDIHAL_STDCALL ThrowingParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                         char* answer) {
  if (std::string(name) == "StawkaB") throw HostFailure{};
  std::strcpy(answer, "Nie");
  return 1;
}

TEST(Faults, ACallbackThatThrowsEndsTheWorkerThroughTheGuard) {
  testing_support::TempFolder folder;
  testing_support::RecordingHost host(testing_support::ReleaseModule());
  AnswerLikeAShop(host);
  const auto import = [&](const std::string& output, const std::string& invoice) {
    return host.Api().EdiImportujDokument(host.Library(), 3, output.c_str(), invoice.c_str());
  };
  const std::string invoice = folder.File("fv.xml");
  const std::string block =
      "<ART_SALE>\r\n<szDescription>Chleb</szDescription>\r\n<dQuantityEntry>2</dQuantityEntry>"
      "\r\n<szVatPrintCode>A</szVatPrintCode>\r\n</ART_SALE>\r\n";
  testing_support::WriteFile(invoice, block);
  host.Api().RejestrujCallback(host.Library(), reinterpret_cast<void*>(ThrowingParameter),
                               EDIHAL_CB_PARAMETER_VALUE);
  EXPECT_EQ(0, import(folder.File("dok.txt"), invoice));
  EXPECT_EQ(std::vector<std::string>{"Nieznany wyj\xB9tek"}, host.TextsOf(EDIHAL_CB_ERROR));
  EXPECT_EQ(block, ReadFile(invoice));

  host.Register(EDIHAL_CB_PARAMETER_VALUE);
  host.ClearEvents();
  const std::string example = "FV_2024_03_0142_cp1250";
  ASSERT_EQ(1, import(folder.File("next.txt"), SourcePath("examples/" + example + ".xml")));
  EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
  EXPECT_EQ(ReadFile(SourcePath("examples/expected/" + example + ".txt")),
            ReadFile(folder.File("next.txt")));

  // The error callback itself throws while the guard reports.
  host.Api().RejestrujCallback(host.Library(), reinterpret_cast<void*>(ThrowingText),
                               EDIHAL_CB_ERROR);
  EXPECT_EQ(0, import(folder.File("dok.txt"), folder.File("brak.xml")));
}

}  // namespace

#endif
