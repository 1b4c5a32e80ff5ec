// The selection list on Windows: which file attributes keep a matching
// file off the list (hidden, system, folder) and which do not (read-only,
// archive).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::TestModule;

TEST(SelectionAttributes, HiddenSystemAndFoldersAreLeftOut) {
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

}  // namespace
