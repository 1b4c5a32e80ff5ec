// Faults through the shipped module that a case file cannot hold: an
// export list of 100,000 lines and a host whose callback throws.  The next
// call on the same library object works normally.  (Folders where files
// belong, missing folders and bad side files are cases: cases/faults.)
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::FolderEntries;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::SourcePath;
using testing_support::TempFolder;
using testing_support::WriteFile;

const char kExample[] = "FV_2024_03_0142_cp1250";
const char kUnknownError[] = "Nieznany wyj\xB9tek";

// Every file under a folder with its bytes (folders as "<folder>").
std::map<std::string, std::string> Contents(const std::string& folder) {
  std::map<std::string, std::string> contents;
  for (const std::string& name : FolderEntries(folder)) {
    const std::string path = folder + testing_support::kSeparator + name;
    contents[name] = testing_support::FolderExists(path) ? "<folder>" : ReadFile(path);
  }
  return contents;
}

class Faults : public testing::Test {
 protected:
  Faults() : host(testing_support::ReleaseModule()) { AnswerLikeAShop(host); }

  int32_t Import(const std::string& output, const std::string& invoice) {
    return host.Api().EdiImportujDokument(host.Library(), 3, output.c_str(), invoice.c_str());
  }
  // The same library object imports the shipped example exactly.
  void ExpectNextImportWorks() {
    host.ClearEvents();
    const std::string output = folder.File("next.txt");
    ASSERT_EQ(1, Import(output, SourcePath(std::string("examples/") + kExample + ".xml")));
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    EXPECT_EQ(ReadFile(SourcePath(std::string("examples/expected/") + kExample + ".txt")),
              ReadFile(output));
    testing_support::RemoveFile(output);
  }

  TempFolder folder;
  RecordingHost host;
};

// An export list of 100,000 lines: the pre-step reads it, writes nothing
// and proposes the first number neither listed nor present.
TEST_F(Faults, LongExportList) {
  std::string list;
  for (int number = 1; number <= 100000; ++number) {
    char name[16];
    std::snprintf(name, sizeof name, "FV%04d", number == 9000 ? 1 : number);
    list += std::string("Dokument:Sciezka{x}NazwaZb{") + name + "}\r\n";
  }
  WriteFile(folder.File("HalXSpis.txt"), list);
  host.Answer("KatalogExp", folder.Path());
  host.Answer("PrefixExp", "FV");
  host.Answer("ListaExp", "Tak");
  host.Answer("NumeracjaExp", "Kolejny");
  const auto before = Contents(folder.Path());
  char path[EDIHAL_BUFFER_SIZE] = "";
  char filter[EDIHAL_BUFFER_SIZE] = "";
  char prompt[EDIHAL_BUFFER_SIZE] = "";
  int32_t flag = 0;
  ASSERT_EQ(1, host.Api().EdiPrzedEksportem(host.Library(), 5, path, filter, prompt, &flag));
  EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
  EXPECT_EQ(1, flag);
  // Every number up to 8999 is listed, 9000 is not.
  EXPECT_EQ(folder.Path() + "\\FV9000.xml", std::string(path));
  EXPECT_EQ(before, Contents(folder.Path()));
  ExpectNextImportWorks();
}

}  // namespace

#if !defined(_WIN32)
// A host written in C++ whose callback throws (on Linux one C++ run-time
// serves the host and the module; a Windows host's failures arrive as
// structured exceptions, see tests/windows): the worker ends through its
// guard with the unknown-error report, and the next call works.
namespace {

struct HostFailure {};

std::string Block(const std::string& description) {
  return "<ART_SALE>\r\n<szDescription>" + description +
         "</szDescription>\r\n<dQuantityEntry>2</dQuantityEntry>\r\n"
         "<dTaAveragePiecePriceDiscounted>1.50</dTaAveragePiecePriceDiscounted>\r\n"
         "<szVatPrintCode>A</szVatPrintCode>\r\n</ART_SALE>\r\n";
}

int32_t EDIHAL_STDCALL ThrowingParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                         char* answer) {
  if (std::string(name) == "StawkaB") throw HostFailure{};
  std::strcpy(answer, "Nie");
  return 1;
}

TEST_F(Faults, ACallbackThatThrowsEndsTheWorkerThroughTheGuard) {
  const std::string invoice = folder.File("fv.xml");
  WriteFile(invoice, Block("Chleb"));
  host.Api().RejestrujCallback(host.Library(), reinterpret_cast<void*>(ThrowingParameter),
                               EDIHAL_CB_PARAMETER_VALUE);
  EXPECT_EQ(0, Import(folder.File("dok.txt"), invoice));
  EXPECT_EQ(std::vector<std::string>{kUnknownError}, host.TextsOf(EDIHAL_CB_ERROR));
  EXPECT_EQ(Block("Chleb"), ReadFile(invoice));
  host.Register(EDIHAL_CB_PARAMETER_VALUE);
  ExpectNextImportWorks();
}

}  // namespace
#endif
