// The import selection list through the loaded module, on a real folder:
// the whole list file byte for byte, progress as the host sees it, and the
// file system's part (matching, hidden files, folders, vanished files).
// Runs alike on Linux and, as a Windows program, under Wine.
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

TEST_F(SelectionListHost, WholeListFileByteForByte) {
  // Hurtownia {Północ} in Windows-1250, and Łódź Sp. z o.o. in UTF-8.
  const std::string cp1250_issuer = "Hurtownia {P\xF3\xB3noc}";
  const std::string utf8_issuer = "\xC5\x81\xC3\xB3\x64\xC5\xBA Sp. z o.o. & syn";
  Put("fv001.xml", Invoice("FV/1/2024", "20240131", cp1250_issuer, "526-000-12-34"));
  Put("FV002.XML",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<Invoice>\r\n"
      "  <szHeadOfficePartyAddressDescription>" +
          utf8_issuer +
          "</szHeadOfficePartyAddressDescription>\r\n"
          "  <szInvoiceIDPDF>FV/2/2024</szInvoiceIDPDF>\r\n</Invoice>\r\n");
  Put("fv003.xml", "<Invoice>\n<Lines/>\n</Invoice>\n");  // LF line ends, no header
  Put("fv\xB3\xF3\x64\x9F.xml", Invoice("\xA3/4"));       // fvłódź.xml, number Ł/4
  Put("Fv005.xml", Invoice("FV/5/2024", "2024-02-29"));
  // Left out: a dot file (hidden), a folder, other prefixes and extensions.
  Put(".fv006.xml", Invoice("hidden"));
  testing_support::MakeFolder(folder_ + kSeparator + "fv_folder.xml");
  Put("inne.xml", Invoice("other"));
  Put("fv007.txt", Invoice("text"));
  Put("fv008.xml.bak", Invoice("backup"));

  ASSERT_EQ(1, Run());
  EXPECT_EQ(Head(folder_) +
                Entry(folder_, "fv001.xml",
                      "NrDok{FV/1/2024}Data{31.01.2024}Wystawca{" + cp1250_issuer +
                          "}Nip{526-000-12-34}") +
                Entry(folder_, "FV002.XML", "NrDok{FV/2/2024}Wystawca{" + utf8_issuer + "}") +
                Entry(folder_, "fv003.xml") +
                Entry(folder_, "Fv005.xml", "NrDok{FV/5/2024}Data{2-.-0.2024}") +
                Entry(folder_, "fv\xB3\xF3\x64\x9F.xml", "NrDok{\xA3/4}"),
            ReadFile(list_));
  EXPECT_TRUE(host_.TextsOf(EDIHAL_CB_ERROR).empty());
}

TEST_F(SelectionListHost, ModesAndProgress) {
  const struct {
    std::string mode;
    int files;
    bool lists;
    std::vector<int32_t> percents;
  } cases[] = {
      {"brak", 2, false, {}},
      {"WG ZAW. KATALOGU", 0, true, {}},
      {"Wg Zaw. Katalogu", 4, true, {0, 25, 50, 75}},
  };
  for (const auto& c : cases) {
    TempFolder root;
    const std::string folder = root.File("imp");
    testing_support::MakeFolder(folder);
    std::string entries;
    for (int i = 1; i <= c.files; ++i) {
      const std::string name = "fv" + std::to_string(i) + ".xml";
      WriteFile(folder + kSeparator + name, Invoice(std::to_string(i)));
      entries += Entry(folder, name, "NrDok{" + std::to_string(i) + "}");
    }
    host_.Answer("KatalogImp", folder);
    host_.Answer("ListaImp", c.mode);
    host_.ClearEvents();
    ASSERT_EQ(1, Run(77)) << c.mode;
    EXPECT_EQ(Head(folder) + (c.lists ? entries : ""), ReadFile(list_)) << c.mode;
    EXPECT_EQ(c.lists ? 1u : 0u, host_.EventsOf(EDIHAL_CB_PROGRESS_TITLE).size()) << c.mode;
    const std::vector<std::string> texts =
        c.lists ? std::vector<std::string>{"analiza katalogu...", ""} : std::vector<std::string>{};
    EXPECT_EQ(texts, host_.TextsOf(EDIHAL_CB_PROGRESS_TEXT)) << c.mode;
    EXPECT_EQ(c.percents, Percents()) << c.mode;
    for (const auto& event : host_.Events()) EXPECT_EQ(77, event.context);
  }
}

TEST_F(SelectionListHost, PrefixMatchesIgnoringCase) {
  Put("fv1.xml", Invoice("1"));
  Put("FV2.xml", Invoice("2"));
  Put("\xA3"
      "3.xml",
      Invoice("3"));  // Ł3.xml
  Put("\xB3"
      "4.XML",
      Invoice("4"));              // ł4.XML
  Put(" fv5.xml", Invoice("5"));  // its trimmed name names no file
  host_.Answer("ListaImp", kFromFolder);
  const struct {
    std::string prefix;
    std::string pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"FV", "FV", {"fv1.xml", "FV2.xml"}},
      {"\xB3",
       "\xA3",
       {"\xA3"
        "3.xml",
        "\xB3"
        "4.XML"}},
      {"",
       "",
       {"fv1.xml", "FV2.xml",
        "\xA3"
        "3.xml",
        "\xB3"
        "4.XML"}},
      {"x", "X", {}},
  };
  for (const auto& c : cases) {
    host_.Answer("PrefixImp", c.prefix);
    ASSERT_EQ(1, Run()) << c.prefix;
    std::string expected = "WskazPlik:Pliki EDI HalX (" + c.prefix + "*.xml)|" + c.pattern +
                           "*.xml" + kTail + "\r\nKatalog:" + folder_ + "\r\n";
    int number = 0;
    for (const std::string& name : c.names) {
      const std::string digit(1, name[name.size() - 5]);
      expected += Entry(folder_, name, "NrDok{" + digit + "}");
      ++number;
    }
    EXPECT_EQ(expected, ReadFile(list_)) << c.prefix;
    EXPECT_EQ(static_cast<std::size_t>(number) + (c.prefix.empty() ? 1 : 0), Percents().size())
        << c.prefix;
    host_.ClearEvents();
  }
}

TEST_F(SelectionListHost, FolderEndingInABackslashDoublesItAtTheJoin) {
  Put("fv1.xml", Invoice("1", "20240131"));
  const std::string folder = folder_ + "\\";
  host_.Answer("KatalogImp", folder);
  ASSERT_EQ(1, Run());
  // The doubled separator still names the file: its header is read.
  EXPECT_EQ(Head(folder) + Entry(folder, "fv1.xml", "NrDok{1}Data{31.01.2024}"), ReadFile(list_));
}

TEST_F(SelectionListHost, MissingFolderIsMadeWithItsParents) {
  const std::string folder = folder_ + kSeparator + "a" + kSeparator + "b" + kSeparator + "c";
  host_.Answer("KatalogImp", folder);
  ASSERT_EQ(1, Run());
  EXPECT_TRUE(testing_support::FolderExists(folder));
  EXPECT_EQ(Head(folder), ReadFile(list_));
  EXPECT_EQ(1u, host_.EventsOf(EDIHAL_CB_PROGRESS_TITLE).size());
}

TEST_F(SelectionListHost, EarlierListIsReplaced) {
  WriteFile(list_, std::string(100000, 'x') + "\r\nDokument:Sciezka{stary}\r\n");
  host_.Answer("ListaImp", "brak");
  ASSERT_EQ(1, Run());
  EXPECT_EQ(Head(folder_), ReadFile(list_));
}

TEST_F(SelectionListHost, EmptyFolderNameFailsWithAPolishMessage) {
  host_.Answer("KatalogImp", "   ");
  EXPECT_EQ(0, Run());
  // "Nie można utworzyć katalogu o pustej nazwie"
  EXPECT_EQ(std::vector<std::string>{"Nie mo\xBFna utworzy\xE6 katalogu o pustej nazwie"},
            host_.TextsOf(EDIHAL_CB_ERROR));
  EXPECT_EQ("WskazPlik:Pliki EDI HalX (fv*.xml)|FV*.xml" + kTail + "\r\n", ReadFile(list_));
  EXPECT_TRUE(host_.EventsOf(EDIHAL_CB_PROGRESS_TITLE).empty());
}

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
