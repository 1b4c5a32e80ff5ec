// Whole imports with categorisation on, on the in-memory platform: the
// side files answer where they can, the scripted dialog where they cannot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FakePlatform.h"
#include "import/ImportInvoiceDocument.h"
#include "import/LineConversion.h"
#include "plugin/TVEXBibliotekaEDI.h"

namespace {

using testing_support::FakePlatform;
using Lines = std::vector<std::string>;

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                       char* answer) {
  static const std::map<std::string, std::string> kAnswers = {{"CzyKategoryzacja", "Tak"},
                                                              {"StawkaA", "23"},
                                                              {"StawkaB", "8"},
                                                              {"StawkaC", "5"},
                                                              {"StawkaD", "0"},
                                                              {"StawkaG", "ZW"}};
  const auto found = kAnswers.find(name);
  if (found != kAnswers.end()) std::strncpy(answer, found->second.c_str(), 299);
  return 1;
}

const char kOut[] = "C:\\Vex\\dok.txt";
const char kInvoice[] = "C:\\Faktury\\fv.xml";
const char kAssignments[] = "10\t20\t30\tA01\r\n11\t21\t31\tA03\r\n";
const char kAssortments[] =
    "Klucz\tNazwa\t\r\nA01\tNapoje\t\r\nA02\tS\xB3odycze\t\r\nA03\tPieczywo\t\r\n";

std::string Block(const std::string& name, const std::string& numbers) {
  return "<ART_SALE>\n<szDescription>" + name +
         "</szDescription>\n<dQuantityEntry>1</dQuantityEntry>\n" + numbers + "</ART_SALE>\n";
}

std::string Numbers(const char* structure, const char* group, const char* subgroup) {
  return std::string("<lMerchandiseStructureID>") + structure +
         "</lMerchandiseStructureID>\n<lMerchandiseGroupID>" + group +
         "</lMerchandiseGroupID>\n<lMerchandiseSubGroupID>" + subgroup +
         "</lMerchandiseSubGroupID>\n";
}

// The Asortyment field of every line record.
Lines Assortments(const std::string& document) {
  Lines found;
  for (std::size_t at = document.find("Asortyment{"); at != std::string::npos;
       at = document.find("Asortyment{", at + 1)) {
    const std::size_t from = at + std::strlen("Asortyment{");
    found.push_back(document.substr(from, document.find('}', from) - from));
  }
  return found;
}

class CategorisedImport : public testing::Test {
 protected:
  CategorisedImport() : library(1) {
    library.CallbackParameterValue = AnswerParameter;
    platform.files["Przypisanie.txt"] = kAssignments;
    platform.files["Kategoryzacja.txt"] = kAssortments;
  }
  void Import() { edihal::ImportInvoiceDocument(library, platform, kOut, kInvoice); }
  Lines Products() const {
    Lines products;
    for (const auto& call : platform.dialog_calls) products.push_back(call.product);
    return products;
  }

  edihal::TVEXBibliotekaEDI library;
  FakePlatform platform;
};

TEST_F(CategorisedImport, SideFilesFirstThenTheUser) {
  platform.files[kInvoice] = Block("Woda", Numbers("10", "20", "30")) +      // found
                             Block("Chleb", "") +                            // 0 0 0: asked
                             Block("Chleb", Numbers("7", "7", "7")) +        // asked again
                             Block("Bu\xB3ka", Numbers("11", "21", "31")) +  // found
                             Block("Sok", Numbers("1", "2", "3"));           // asked
  platform.dialog_answers = {{true, 2}, {false, 0}, {true, 0}};
  Import();
  EXPECT_EQ((Lines{"Napoje", "Pieczywo", "", "Pieczywo", "Napoje"}),
            Assortments(platform.files[kOut]));
  EXPECT_EQ((Lines{"Chleb", "Chleb", "Sok"}), Products());
  // Each dialog opens at the last choice; closing it keeps the choice.
  ASSERT_EQ(3u, platform.dialog_calls.size());
  EXPECT_EQ(0, platform.dialog_calls[0].initial);
  EXPECT_EQ(2, platform.dialog_calls[1].initial);
  EXPECT_EQ(2, platform.dialog_calls[2].initial);
  EXPECT_EQ((Lines{"Napoje", "S\xB3odycze", "Pieczywo"}), platform.dialog_calls[0].entries);
  // The side files are only read.
  EXPECT_EQ(kAssignments, platform.files["Przypisanie.txt"]);
  EXPECT_EQ(kAssortments, platform.files["Kategoryzacja.txt"]);

  // The next import starts again from the first entry.
  platform.dialog_calls.clear();
  Import();
  ASSERT_EQ(3u, platform.dialog_calls.size());
  EXPECT_EQ(0, platform.dialog_calls[0].initial);
}

// The dialog shows the product name in the module's own letters whatever
// the invoice's encoding; the record is converted as before.
TEST_F(CategorisedImport, DialogShowsTheNameInWindows1250) {
  const struct {
    const char* declaration;
    std::string name;
  } cases[] = {
      {"windows-1250", "\xAF\xF3\xB3\xE6 \x9Cliwkowa"},
      {"ISO-8859-2", "\xAF\xF3\xB3\xE6 \xB6liwkowa"},
      {"UTF-8", "\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87 \xC5\x9Bliwkowa"},
  };
  for (const auto& c : cases) {
    platform.dialog_calls.clear();
    platform.files[kInvoice] = std::string("<?xml version=\"1.0\" encoding=\"") + c.declaration +
                               "\"?>\n" + Block(c.name, "");
    platform.dialog_answers = {{true, 0}};
    Import();
    EXPECT_EQ(Lines{"\xAF\xF3\xB3\xE6 \x9Cliwkowa"}, Products()) << c.declaration;
    EXPECT_NE(std::string::npos,
              platform.files[kOut].find("Nazwa{\xAF\xF3\xB3\xE6 \x9Cliwkowa}Kod{}"))
        << c.declaration;
    EXPECT_EQ(Lines{"Napoje"}, Assortments(platform.files[kOut])) << c.declaration;
  }
}

// One assortment for every block: known to the side files, or given by the
// user when asked.
class OneAssortment final : public edihal::Categorisation {
 public:
  OneAssortment(std::string name, bool known) : name_(std::move(name)), known_(known) {}
  std::string_view KnownAssortment(std::string_view, std::string_view, std::string_view) override {
    return known_ ? std::string_view(name_) : std::string_view();
  }
  std::string AssortmentFor(const std::string&, const std::string&, const std::string&,
                            const std::string&) override {
    return name_;
  }

 private:
  std::string name_;
  bool known_;
};

// The records of `lines` (LF between them), one per line, taken as one run
// with the header, as an import takes them.
std::string Records(const std::string& lines, edihal::SourceEncoding encoding,
                    edihal::Categorisation& categorisation) {
  edihal::LineConversionSettings settings;
  settings.encoding = encoding;
  settings.categorisation = &categorisation;
  edihal::LineConversion conversion(std::move(settings));
  edihal::InvoiceHeader header;
  std::string records, record;
  long number = 0;
  conversion.TakeRunAndHeader(lines, number, record, header,
                              [&records](const std::string& made) { records += made + "\n"; });
  return records;
}

// A known assortment may go into the record before the record is converted
// (when it converts back to itself); an asked one never does.  Both must
// give the same records, whatever the bytes of the name, the assortment and
// the encoding.
TEST(CategorisedRecords, KnownAssortmentsGoInAsAskedOnesDo) {
  std::string every_high_byte;
  for (int byte = 0x80; byte <= 0xFF; ++byte) every_high_byte += static_cast<char>(byte);
  const std::string assortments[] = {
      "Napoje",
      "S\xB3odycze",
      "\xA5\xA1\x8C\x9C\x8F\x9F\xB9\xBC\xA6\xB6\xAC\xB1",  // letters ISO-8859-2 moves
      "\x81\x83\x88\x90\x98",                              // no character in Windows-1250
      every_high_byte,
      std::string("Nap\0oje", 7),
      "{}\r\t",
  };
  const std::string names[] = {
      "Woda",
      "\xC5\xBC\xC3\xB3\xC5\x82w \xA1\xB6",  // UTF-8 letters, then ISO-8859-2 ones
      "broken \xC5",
      "\xE2\x82",
      std::string("NUL\0inside", 10),
  };
  const edihal::SourceEncoding encodings[] = {edihal::SourceEncoding::kNone,
                                              edihal::SourceEncoding::kIso88592,
                                              edihal::SourceEncoding::kUtf8};
  // The encoding the conversion starts with, then the one the invoice
  // declares before its first block, when it does.
  const std::string declarations[] = {
      "",
      "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\n",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n",
  };
  for (const std::string& assortment : assortments) {
    for (const std::string& name : names) {
      for (const std::string& declaration : declarations) {
        const std::string lines = declaration + "<ART_SALE>\n<szDescription>" + name +
                                  "</szDescription>\n<szItemID>7\xC5</szItemID>\n</ART_SALE>\n"
                                  "<ART_SALE>\n</ART_SALE>\n";
        for (const edihal::SourceEncoding encoding : encodings) {
          OneAssortment known(assortment, true), asked(assortment, false);
          EXPECT_EQ(Records(lines, encoding, asked), Records(lines, encoding, known))
              << "assortment " << testing::PrintToString(assortment) << ", name "
              << testing::PrintToString(name) << ", encoding " << static_cast<int>(encoding)
              << ", then " << declaration;
        }
      }
    }
  }
}

// Known assortments given in one buffer the categorisation writes again
// for every block, by turns; asked ones are the same by turns.
class TakingTurns final : public edihal::Categorisation {
 public:
  TakingTurns(std::vector<std::string> names, bool known)
      : names_(std::move(names)), known_(known) {}
  std::string_view KnownAssortment(std::string_view, std::string_view, std::string_view) override {
    if (!known_) return std::string_view();
    buffer_ = names_[turn_++ % names_.size()];
    return buffer_;
  }
  std::string AssortmentFor(const std::string&, const std::string&, const std::string&,
                            const std::string&) override {
    return names_[turn_++ % names_.size()];
  }

 private:
  std::vector<std::string> names_;
  bool known_;
  std::size_t turn_ = 0;
  std::string buffer_;
};

TEST(CategorisedRecords, AnAssortmentIsTakenForItsTextNotItsPlace) {
  const std::vector<std::string> names = {"S\xB3odycze", "Napoje", "\xA5 \x9C"};
  const std::string lines =
      "<ART_SALE>\n</ART_SALE>\n<ART_SALE>\n</ART_SALE>\n"
      "<ART_SALE>\n</ART_SALE>\n<ART_SALE>\n</ART_SALE>\n";
  for (const edihal::SourceEncoding encoding :
       {edihal::SourceEncoding::kIso88592, edihal::SourceEncoding::kUtf8}) {
    TakingTurns known(names, true), asked(names, false);
    EXPECT_EQ(Records(lines, encoding, asked), Records(lines, encoding, known))
        << "encoding " << static_cast<int>(encoding);
  }
}

}  // namespace
