// The selection list worker against the in-memory platform: the lines it
// writes, what it asks the host and reports to it, and where it looks.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "plugin/TVEXBibliotekaEDI.h"
#include "rtl/Exception.h"
#include "selection/ImportSelectionList.h"

namespace {

using edihal::TVEXBibliotekaEDI;
using testing_support::FakePlatform;

const std::string kList = "C:\\Vex\\lista.txt";
const std::string kTail = "|Wszystkie pliki XML (*.xml)|*.xml|Wszystkie pliki (*.*)|*.*";
const std::string kFromFolder = "wg zaw. katalogu";
// "tworzenie listy plików na podstawie zawartości katalogu"
const std::string kTitle =
    "tworzenie listy plik\xF3w na podstawie zawarto\x9C"
    "ci katalogu";

// What the host saw, in order: "P name" for a parameter question, "T text",
// "S text" (status) and "% n" for progress.
std::vector<std::string> g_calls;
std::map<std::string, std::string> g_answers;

int32_t EDIHAL_STDCALL OnParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                   char* answer) {
  g_calls.push_back(std::string("P ") + name);
  const auto found = g_answers.find(name);
  if (found != g_answers.end()) {
    found->second.copy(answer, EDIHAL_BUFFER_SIZE - 1);
    answer[found->second.size()] = '\0';
  }
  return 0;
}
int32_t EDIHAL_STDCALL OnTitle(EdiHalHostValue, EdiHalHostValue, const char* text) {
  g_calls.push_back(std::string("T ") + text);
  return 0;
}
int32_t EDIHAL_STDCALL OnText(EdiHalHostValue, EdiHalHostValue, const char* text) {
  g_calls.push_back(std::string("S ") + text);
  return 0;
}
int32_t EDIHAL_STDCALL OnPercent(EdiHalHostValue, EdiHalHostValue, int32_t percent) {
  g_calls.push_back("% " + std::to_string(percent));
  return 0;
}

// Records the masks asked for, and can list names that have no file.
class ScanPlatform : public FakePlatform {
 public:
  mutable std::vector<std::string> masks;
  std::vector<std::string> phantoms;  // listed after the real matches

  std::vector<std::string> FindFiles(const std::string& mask) const override {
    masks.push_back(mask);
    std::vector<std::string> names = FakePlatform::FindFiles(mask);
    names.insert(names.end(), phantoms.begin(), phantoms.end());
    return names;
  }
};

class SelectionList : public ::testing::Test {
 protected:
  SelectionList() : library_(1) {
    library_.RegisterCallback(reinterpret_cast<void*>(OnParameter), EDIHAL_CB_PARAMETER_VALUE);
    library_.RegisterCallback(reinterpret_cast<void*>(OnTitle), EDIHAL_CB_PROGRESS_TITLE);
    library_.RegisterCallback(reinterpret_cast<void*>(OnText), EDIHAL_CB_PROGRESS_TEXT);
    library_.RegisterCallback(reinterpret_cast<void*>(OnPercent), EDIHAL_CB_PROGRESS_PERCENT);
    g_calls.clear();
    g_answers = {{"PrefixImp", "fv"}, {"KatalogImp", "C:\\Imp"}, {"ListaImp", kFromFolder}};
  }
  ~SelectionList() override {
    g_calls.clear();
    g_answers.clear();
  }

  std::string Run() {
    edihal::BuildImportSelectionList(library_, platform_, kList);
    return platform_.files[kList];
  }
  std::vector<std::string> Progress() const {
    std::vector<std::string> progress;
    for (const std::string& call : g_calls) {
      if (call[0] != 'P') progress.push_back(call);
    }
    return progress;
  }

  TVEXBibliotekaEDI library_;
  ScanPlatform platform_;
};

std::string Head(const std::string& prefix_lower, const std::string& prefix_upper,
                 const std::string& folder) {
  return "WskazPlik:Pliki EDI HalX (" + prefix_lower + "*.xml)|" + prefix_upper + "*.xml" + kTail +
         "\r\nKatalog:" + folder + "\r\n";
}

TEST_F(SelectionList, MaskHasOneBackslashThePathWhatTheFolderGives) {
  const struct {
    std::string folder;  // as the host answers, already trimmed
    std::string mask;
    std::string path;
  } cases[] = {
      {"C:\\Imp", "C:\\Imp\\fv*.xml", "C:\\Imp\\fv1.xml"},
      {"C:\\Imp\\", "C:\\Imp\\fv*.xml", "C:\\Imp\\\\fv1.xml"},
      {"Imp", "Imp\\fv*.xml", "Imp\\fv1.xml"},
      {"\\", "\\fv*.xml", "\\\\fv1.xml"},
  };
  for (const auto& c : cases) {
    platform_.files.clear();
    platform_.masks.clear();
    platform_.exists_checks.clear();
    const std::string base = c.mask.substr(0, c.mask.size() - 7);
    platform_.files[base + "fv1.xml"] = "x";
    platform_.files[c.path] = "<szInvoiceIDPDF>1</szInvoiceIDPDF>";
    g_answers["KatalogImp"] = c.folder;
    const std::string list = Run();
    EXPECT_EQ(std::vector<std::string>{c.mask}, platform_.masks) << c.folder;
    EXPECT_EQ(std::vector<std::string>{c.path}, platform_.exists_checks) << c.folder;
    EXPECT_NE(std::string::npos,
              list.find("Katalog:" + c.folder + "\r\nDokument:Sciezka{" + c.path + "}"))
        << list;
    EXPECT_EQ(1u, platform_.folders.count(c.folder)) << "folder not made: " << c.folder;
  }
}

TEST_F(SelectionList, NamesWithoutAFileGetNoEntryButTheirProgress) {
  platform_.files["C:\\Imp\\fv1.xml"] = "<szInvoiceIDPDF>1</szInvoiceIDPDF>";
  platform_.files["C:\\Imp\\ fv2.xml"] = "<szInvoiceIDPDF>2</szInvoiceIDPDF>";
  platform_.phantoms = {"fv3.xml"};
  g_answers["PrefixImp"] = "";
  EXPECT_EQ(
      Head("", "", "C:\\Imp") + "Dokument:Sciezka{C:\\Imp\\fv1.xml}NazwaZb{fv1.xml}NrDok{1}\r\n",
      Run());
  // " fv2.xml" is trimmed to a name that names no file.
  EXPECT_EQ((std::vector<std::string>{"C:\\Imp\\fv2.xml", "C:\\Imp\\fv1.xml", "C:\\Imp\\fv3.xml"}),
            platform_.exists_checks);
  EXPECT_EQ((std::vector<std::string>{"T " + kTitle, "S analiza katalogu...", "S ", "% 0", "% 33",
                                      "% 66"}),
            Progress());
}

TEST_F(SelectionList, InvoiceThatCannotBeOpenedEndsTheCall) {
  platform_.files["C:\\Imp\\fv1.xml"] = "<szInvoiceIDPDF>1</szInvoiceIDPDF>";
  platform_.files["C:\\Imp\\fv2.xml"] = "<szInvoiceIDPDF>2</szInvoiceIDPDF>";
  platform_.unreadable.insert("C:\\Imp\\fv2.xml");
  EXPECT_THROW(Run(), edihal::EInOutError);
  // What was listed before stays in the file for the host to see.
  EXPECT_EQ(Head("fv", "FV", "C:\\Imp") +
                "Dokument:Sciezka{C:\\Imp\\fv1.xml}NazwaZb{fv1.xml}NrDok{1}\r\n",
            platform_.files[kList]);
}

}  // namespace
