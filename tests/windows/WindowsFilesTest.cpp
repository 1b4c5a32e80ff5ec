// Windows' own file system through the shipped DLL: which file attributes
// keep a matching file off the selection list (hidden, system, folder) and
// which do not (read-only, archive); and an invoice that another program
// holds open without sharing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Footprint.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::TestModule;

TEST(WindowsFiles, HiddenSystemAndFoldersAreLeftOut) {
  TempFolder folder;
  const struct {
    const char* name;
    DWORD attributes;
    bool listed;
  } files[] = {
      {"fv1.xml", FILE_ATTRIBUTE_NORMAL, true},
      {"fv2.xml", FILE_ATTRIBUTE_READONLY, true},
      {"fv3.xml", FILE_ATTRIBUTE_ARCHIVE, true},
      {"fv4.xml", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, true},
      {"fv5.xml", FILE_ATTRIBUTE_HIDDEN, false},
      {"fv6.xml", FILE_ATTRIBUTE_SYSTEM, false},
      {"fv7.xml", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, false},
  };
  std::string expected =
      "WskazPlik:Pliki EDI HalX (fv*.xml)|FV*.xml|Wszystkie pliki XML "
      "(*.xml)|*.xml|Wszystkie pliki (*.*)|*.*\r\nKatalog:" +
      folder.Path() + "\r\n";
  for (const auto& file : files) {
    const std::string path = folder.File(file.name);
    testing_support::WriteFile(
        path, "<szInvoiceIDPDF>" + std::string(file.name) + "</szInvoiceIDPDF>\r\n");
    ASSERT_TRUE(SetFileAttributesW(testing_support::PathOf(path).c_str(), file.attributes));
    if (file.listed) {
      expected +=
          "Dokument:Sciezka{" + path + "}NazwaZb{" + file.name + "}NrDok{" + file.name + "}\r\n";
    }
  }
  ASSERT_TRUE(CreateDirectoryW(testing_support::PathOf(folder.File("fv8.xml")).c_str(), nullptr));

  RecordingHost host(TestModule());
  host.Answer("PrefixImp", "fv");
  host.Answer("KatalogImp", folder.Path());
  host.Answer("ListaImp", "wg zaw. katalogu");
  TempFolder out;
  const std::string list = out.File("lista.txt");
  ASSERT_EQ(1, TestModule().EdiUtworzListeWyboruImportu(host.Library(), 5, list.c_str()));
  EXPECT_EQ(expected, ReadFile(list));
  // One progress step per listed name: the hidden, system and folder
  // entries never reach the list of names.
  EXPECT_EQ(4u, host.TextsOf(EDIHAL_CB_PROGRESS_PERCENT).size());
}

// The import names the invoice and says that another program uses it;
// once the file is free the import works.
TEST(WindowsFiles, AnInvoiceHeldWithoutSharing) {
  TempFolder folder;
  const std::string invoice = folder.File("fv.xml"), output = folder.File("dok.txt");
  testing_support::WriteFile(
      invoice, ReadFile(testing_support::SourcePath("examples/FV_2024_03_0142_cp1250.xml")));
  RecordingHost host(testing_support::ReleaseModule());
  AnswerLikeAShop(host);
  const auto import = [&] {
    return host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str());
  };
  const long handles = testing_support::OpenHandles();
  HANDLE held = CreateFileA(invoice.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  // The count the other tests compare does see an open file.
  EXPECT_EQ(handles + 1, testing_support::OpenHandles());
  EXPECT_EQ(0, import());
  // Nie można otworzyć pliku PATH: plik jest używany przez inny program
  const std::vector<std::string> reported = {"Nie mo\xBFna otworzy\xE6 pliku " + invoice +
                                             ": plik jest u\xBFywany przez inny program"};
  EXPECT_EQ(reported, host.TextsOf(EDIHAL_CB_ERROR));
  CloseHandle(held);
  host.ClearEvents();
  EXPECT_EQ(1, import());
  EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
}

}  // namespace
