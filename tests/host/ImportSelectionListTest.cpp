// The import selection list through the loaded module where the system
// has a say: a list path that is a folder (the reason is the system's) and
// a file that vanishes during the call.  The rest is case files:
// cases/selection_list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::kSeparator;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::TestModule;
using testing_support::WriteFile;

const std::string kFromFolder = "wg zaw. katalogu";
const std::string kTail = "|Wszystkie pliki XML (*.xml)|*.xml|Wszystkie pliki (*.*)|*.*";

std::string Invoice(const std::string& number, const std::string& date = "",
                    const std::string& issuer = "", const std::string& tax = "") {
  std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Invoice>\r\n";
  if (!date.empty()) text += "  <szDate>" + date + "</szDate>\r\n";
  if (!issuer.empty()) {
    text += "  <szHeadOfficePartyAddressDescription>" + issuer +
            "</szHeadOfficePartyAddressDescription>\r\n";
  }
  if (!tax.empty()) {
    text += "  <szHeadOfficeCompanyTaxNmbr>" + tax + "</szHeadOfficeCompanyTaxNmbr>\r\n";
  }
  if (!number.empty()) text += "  <szInvoiceIDPDF>" + number + "</szInvoiceIDPDF>\r\n";
  return text + "  <Lines>\r\n  </Lines>\r\n</Invoice>\r\n";
}

// A temporary root holding the import folder "imp" and the list file.
class SelectionListHost : public ::testing::Test {
 protected:
  SelectionListHost() : host_(TestModule()) {
    folder_ = root_.File("imp");
    list_ = root_.File("lista.txt");
    testing_support::MakeFolder(folder_);
    host_.Answer("PrefixImp", "fv");
    host_.Answer("KatalogImp", folder_);
    host_.Answer("ListaImp", kFromFolder);
  }

  int32_t Run(EdiHalHostValue context = 21) {
    return TestModule().EdiUtworzListeWyboruImportu(host_.Library(), context, list_.c_str());
  }
  void Put(const std::string& name, const std::string& bytes) {
    WriteFile(folder_ + kSeparator + name, bytes);
  }
  // The first two lines for the prefix "fv" and `folder`.
  static std::string Head(const std::string& folder) {
    return "WskazPlik:Pliki EDI HalX (fv*.xml)|FV*.xml" + kTail + "\r\nKatalog:" + folder + "\r\n";
  }
  // An entry as the module writes it for `name` in `folder` (joined with a
  // backslash on every platform), followed by `elements`.
  static std::string Entry(const std::string& folder, const std::string& name,
                           const std::string& elements = "") {
    return "Dokument:Sciezka{" + folder + "\\" + name + "}NazwaZb{" + name + "}" + elements +
           "\r\n";
  }
  std::vector<int32_t> Percents() const {
    std::vector<int32_t> percents;
    for (const auto& event : host_.EventsOf(EDIHAL_CB_PROGRESS_PERCENT)) {
      percents.push_back(event.number);
    }
    return percents;
  }

  TempFolder root_;
  std::string folder_;
  std::string list_;
  RecordingHost host_;
};

TEST_F(SelectionListHost, ListPathThatIsAFolderFailsNamingIt) {
  list_ = folder_;
  EXPECT_EQ(0, Run());
  const std::vector<std::string> errors = host_.TextsOf(EDIHAL_CB_ERROR);
  ASSERT_EQ(1u, errors.size());
  // "Nie można otworzyć pliku <path>: ..."
  EXPECT_EQ(0u, errors[0].find("Nie mo\xBFna otworzy\xE6 pliku " + folder_)) << errors[0];
}

// Removes the file named by g_vanishing when the first file's progress is
// reported, that is after the folder was listed and before any is read.
std::string g_vanishing;
int32_t EDIHAL_STDCALL RemoveOnFirstPercent(EdiHalHostValue, EdiHalHostValue, int32_t percent) {
  if (percent == 0) testing_support::RemoveFile(g_vanishing);
  return 0;
}

TEST_F(SelectionListHost, FileRemovedAfterTheScanGetsNoEntry) {
  for (int i = 1; i <= 3; ++i) {
    Put("fv" + std::to_string(i) + ".xml", Invoice(std::to_string(i)));
  }
  g_vanishing = folder_ + kSeparator + "fv2.xml";
  TestModule().RejestrujCallback(host_.Library(), reinterpret_cast<void*>(RemoveOnFirstPercent),
                                 EDIHAL_CB_PROGRESS_PERCENT);
  ASSERT_EQ(1, Run());
  EXPECT_FALSE(testing_support::FileExists(g_vanishing));
  EXPECT_EQ(
      Head(folder_) + Entry(folder_, "fv1.xml", "NrDok{1}") + Entry(folder_, "fv3.xml", "NrDok{3}"),
      ReadFile(list_));
}

}  // namespace
