// The selection list worker against the in-memory platform, where a listed
// invoice can fail to open (everything else is case files:
// cases/selection_list).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "FakePlatform.h"
#include "library/TVEXBibliotekaEDI.h"
#include "base/Exception.h"
#include "selection/ImportSelectionList.h"

namespace {

int32_t EDIHAL_STDCALL OnParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                   char* answer) {
  const std::map<std::string, std::string> answers = {
      {"PrefixImp", "fv"}, {"KatalogImp", "C:\\Imp"}, {"ListaImp", "wg zaw. katalogu"}};
  const auto found = answers.find(name);
  if (found != answers.end()) answer[found->second.copy(answer, EDIHAL_BUFFER_SIZE - 1)] = '\0';
  return 0;
}

TEST(SelectionList, InvoiceThatCannotBeOpenedEndsTheCall) {
  edihal::TVEXBibliotekaEDI library(1);
  library.RegisterCallback(reinterpret_cast<void*>(OnParameter), EDIHAL_CB_PARAMETER_VALUE);
  testing_support::FakePlatform platform;
  platform.files["C:\\Imp\\fv1.xml"] = "<szInvoiceIDPDF>1</szInvoiceIDPDF>";
  platform.files["C:\\Imp\\fv2.xml"] = "<szInvoiceIDPDF>2</szInvoiceIDPDF>";
  platform.unreadable.insert("C:\\Imp\\fv2.xml");
  const std::string list = "C:\\Vex\\lista.txt";
  EXPECT_THROW(edihal::BuildImportSelectionList(library, platform, list), edihal::EInOutError);
  // What was listed before stays in the file for the host to see.
  EXPECT_EQ(
      "WskazPlik:Pliki EDI HalX (fv*.xml)|FV*.xml|Wszystkie pliki XML (*.xml)|*.xml|"
      "Wszystkie pliki (*.*)|*.*\r\nKatalog:C:\\Imp\r\n"
      "Dokument:Sciezka{C:\\Imp\\fv1.xml}NazwaZb{fv1.xml}NrDok{1}\r\n",
      platform.files[list]);
}

}  // namespace
