// The import selection list through the loaded module when a file vanishes
// during the call.  The rest is case files: cases/selection_list, and a
// list path that is a folder in cases/faults.
#include <gtest/gtest.h>

#include <string>

#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::kSeparator;
using testing_support::TestModule;

// Removes the file named by g_vanishing when the first file's progress is
// reported, that is after the folder was listed and before any is read.
std::string g_vanishing;
int32_t EDIHAL_STDCALL RemoveOnFirstPercent(EdiHalHostValue, EdiHalHostValue, int32_t percent) {
  if (percent == 0) testing_support::RemoveFile(g_vanishing);
  return 0;
}

// An entry as the module writes it for `name` in `folder` (joined with a
// backslash on every platform).
std::string Entry(const std::string& folder, const std::string& name, const std::string& number) {
  return "Dokument:Sciezka{" + folder + "\\" + name + "}NazwaZb{" + name + "}NrDok{" + number +
         "}\r\n";
}

TEST(SelectionListHost, FileRemovedAfterTheScanGetsNoEntry) {
  testing_support::TempFolder root;
  const std::string folder = root.File("imp");
  const std::string list = root.File("lista.txt");
  testing_support::MakeFolder(folder);
  for (const char* number : {"1", "2", "3"}) {
    testing_support::WriteFile(folder + kSeparator + "fv" + number + ".xml",
                               std::string("<szInvoiceIDPDF>") + number + "</szInvoiceIDPDF>\r\n");
  }
  testing_support::RecordingHost host(TestModule());
  host.Answer("PrefixImp", "fv");
  host.Answer("KatalogImp", folder);
  host.Answer("ListaImp", "wg zaw. katalogu");
  g_vanishing = folder + kSeparator + "fv2.xml";
  TestModule().RejestrujCallback(host.Library(), reinterpret_cast<void*>(RemoveOnFirstPercent),
                                 EDIHAL_CB_PROGRESS_PERCENT);
  ASSERT_EQ(1, TestModule().EdiUtworzListeWyboruImportu(host.Library(), 21, list.c_str()));
  EXPECT_FALSE(testing_support::FileExists(g_vanishing));
  EXPECT_EQ(
      "WskazPlik:Pliki EDI HalX (fv*.xml)|FV*.xml|Wszystkie pliki XML (*.xml)|*.xml|"
      "Wszystkie pliki (*.*)|*.*\r\nKatalog:" +
          folder + "\r\n" + Entry(folder, "fv1.xml", "1") + Entry(folder, "fv3.xml", "3"),
      testing_support::ReadFile(list));
}

}  // namespace
