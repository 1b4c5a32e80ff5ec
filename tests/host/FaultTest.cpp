// Faults and bad input through the shipped module: every call ends either
// in the right result or in one Polish error that names the file, returns
// 0 after an error, leaves every input byte for byte as it was, writes no
// file the host did not name, and the next call on the same library object
// works normally.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
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

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

std::string Block(const std::string& description) {
  return "<ART_SALE>\r\n<szDescription>" + description +
         "</szDescription>\r\n<dQuantityEntry>2</dQuantityEntry>\r\n"
         "<dTaAveragePiecePriceDiscounted>1.50</dTaAveragePiecePriceDiscounted>\r\n"
         "<szVatPrintCode>A</szVatPrintCode>\r\n</ART_SALE>\r\n";
}

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
  int32_t List(const std::string& list) {
    return host.Api().EdiUtworzListeWyboruImportu(host.Library(), 4, list.c_str());
  }

  // The call failed with one Polish error naming `path`, nothing else said.
  void ExpectFailureNaming(int32_t result, const std::string& path) {
    EXPECT_EQ(0, result);
    const std::vector<std::string> errors = host.TextsOf(EDIHAL_CB_ERROR);
    ASSERT_EQ(1u, errors.size());
    EXPECT_NE(std::string::npos, errors[0].find(path)) << errors[0];
    EXPECT_NE(kUnknownError, errors[0]);
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

  // Nothing changed in the folder but `written`, which may have appeared.
  void ExpectOnlyWritten(const std::map<std::string, std::string>& before,
                         const std::vector<std::string>& written) {
    std::map<std::string, std::string> after = Contents(folder.Path());
    for (const std::string& name : written) after.erase(name);
    std::map<std::string, std::string> expected = before;
    for (const std::string& name : written) expected.erase(name);
    EXPECT_EQ(expected, after);
  }

  TempFolder folder;
  RecordingHost host;
};

// A folder where the host names a file: an error naming it, never a crash.
TEST_F(Faults, FolderWhereAFileBelongs) {
  const std::string invoice = folder.File("fv.xml");
  const std::string output = folder.File("dok.txt");
  const std::string a_folder = folder.File("katalog");
  WriteFile(invoice, Block("Chleb"));
  testing_support::MakeFolder(a_folder);
  const struct {
    const char* what;
    std::function<int32_t()> call;
  } kCases[] = {
      {"folder as invoice", [&] { return Import(output, a_folder); }},
      {"folder as output", [&] { return Import(a_folder, invoice); }},
      {"folder as list file", [&] { return List(a_folder); }},
  };
  host.Answer("KatalogImp", folder.Path());
  host.Answer("PrefixImp", "fv");
  host.Answer("ListaImp", "wg zaw. katalogu");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const auto before = Contents(folder.Path());
    host.ClearEvents();
    ExpectFailureNaming(c.call(), a_folder);
    ExpectOnlyWritten(before, {"dok.txt"});
    EXPECT_TRUE(testing_support::FolderExists(a_folder));
    ExpectNextImportWorks();
  }
}

TEST_F(Faults, OutputInAMissingFolder) {
  const std::string invoice = folder.File("fv.xml");
  WriteFile(invoice, Block("Chleb"));
  const std::string output = folder.File("brak") + testing_support::kSeparator + "dok.txt";
  const auto before = Contents(folder.Path());
  ExpectFailureNaming(Import(output, invoice), output);
  ExpectOnlyWritten(before, {});
  ExpectNextImportWorks();
}

TEST_F(Faults, ListInAMissingFolder) {
  host.Answer("KatalogImp", folder.Path());
  host.Answer("ListaImp", "brak");
  const std::string list = folder.File("brak") + testing_support::kSeparator + "lista.txt";
  ExpectFailureNaming(List(list), list);
  ExpectNextImportWorks();
}

// Invoices no wholesaler should send: the import ends normally or with an
// error naming the invoice, and the invoice stays as it was.
TEST_F(Faults, BadSideFiles) {
  testing_support::CurrentFolder here(folder.Path());
  host.Answer("CzyKategoryzacja", "Tak");
  const std::string invoice = folder.File("fv.xml");
  // No line blocks: the side files are read, but no dialog is needed.
  WriteFile(invoice, "<szInvoiceIDPDF>FV/1</szInvoiceIDPDF>\r\n");
  const struct {
    const char* what;
    std::string assignments;  // empty name: a folder instead of the file
    std::string assortments;
    const char* failing;  // the side file the error must name, or null
  } kCases[] = {
      {"random bytes", RandomBytes(100000, 2), RandomBytes(100000, 3), nullptr},
      {"NUL bytes and lone CRs", std::string(5000, '\0') + "\r\r\t\t\t\r", "\r\r\r\t\n\0", nullptr},
      {"assignments missing", "-", "A01\tNapoje\r\n", "Przypisanie.txt"},
      {"assignments a folder", "/", "A01\tNapoje\r\n", "Przypisanie.txt"},
      {"assortments a folder", "1\t2\t3\tA01\r\n", "/", "Kategoryzacja.txt"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    host.ClearEvents();
    for (const char* name : {"Przypisanie.txt", "Kategoryzacja.txt"}) {
      testing_support::RemoveFile(folder.File(name));
      testing_support::RemoveTree(folder.File(name));
    }
    const auto place = [&](const char* name, const std::string& bytes) {
      if (bytes == "/") testing_support::MakeFolder(folder.File(name));
      if (bytes != "/" && bytes != "-") WriteFile(folder.File(name), bytes);
    };
    place("Przypisanie.txt", c.assignments);
    place("Kategoryzacja.txt", c.assortments);
    const auto before = Contents(folder.Path());
    const int32_t result = Import(folder.File("dok.txt"), invoice);
    if (c.failing != nullptr) {
      ExpectFailureNaming(result, c.failing);
    } else {
      EXPECT_EQ(1, result);
      EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    }
    ExpectOnlyWritten(before, {"dok.txt"});
    host.Answer("CzyKategoryzacja", "Nie");
    ExpectNextImportWorks();
    host.Answer("CzyKategoryzacja", "Tak");
  }
}

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
