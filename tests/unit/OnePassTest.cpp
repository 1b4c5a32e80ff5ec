// The import in one pass against the same import in two passes, on the
// in-memory platform.  Wherever the one pass completes, its document is the
// two passes' byte for byte; where it cannot, it says so without asking the
// user, and the whole import still ends with the two passes' document and
// error.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestFiles.h"
#include "import/Categorisation.h"
#include "import/ImportInvoiceDocument.h"
#include "import/InvoiceConversion.h"
#include "plugin/TVEXBibliotekaEDI.h"
#include "rtl/Exception.h"

namespace {

using testing_support::FakePlatform;

const char kOut[] = "C:\\Vex\\dok.txt";
const char kInvoice[] = "C:\\Faktury\\fv.xml";

// What a conversion left: the output file, the error's message (empty
// when it ended normally) and, for the one pass, whether it completed.
struct Conversion {
  std::string document;
  std::string error;
  bool completed = false;
};

edihal::LineConversionSettings Settings(const FakePlatform& platform,
                                        edihal::Categorisation* categorisation) {
  edihal::LineConversionSettings settings;
  settings.rates = {"23", "8", "5", "0", "ZW"};
  settings.decimal_separator = platform.decimal_separator;
  settings.invoice_path = kInvoice;
  settings.categorisation = categorisation;
  return settings;
}

// Runs `convert` on a fresh output file and the invoice, as the import
// opens them.
template <typename Convert>
Conversion Converted(FakePlatform& platform, Convert&& convert) {
  Conversion result;
  platform.files.erase(kOut);
  try {
    edihal::DocumentTextFile output(platform);
    output.Create(kOut);
    edihal::TMFile invoice(platform);
    invoice.SetReadOnly(true);
    invoice.SetPath(kInvoice);
    invoice.Open();
    result.completed = convert(invoice, output);
    output.Close();
  } catch (const edihal::Exception& error) {
    result.error = error.Message();
  }
  result.document = platform.files[kOut];
  return result;
}

Conversion TwoPasses(FakePlatform& platform, edihal::Categorisation* categorisation = nullptr) {
  return Converted(platform, [&](edihal::TMFile& invoice, edihal::DocumentTextFile& output) {
    edihal::ConvertInTwoPasses(invoice, output, Settings(platform, categorisation), platform);
    return true;
  });
}

Conversion OnePass(FakePlatform& platform, edihal::Categorisation* categorisation = nullptr) {
  return Converted(platform, [&](edihal::TMFile& invoice, edihal::DocumentTextFile& output) {
    return edihal::ConvertInOnePass(invoice, output, Settings(platform, categorisation), platform);
  });
}

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                       char* answer) {
  static const std::map<std::string, std::string> kAnswers = {
      {"StawkaA", "23"}, {"StawkaB", "8"}, {"StawkaC", "5"}, {"StawkaD", "0"}, {"StawkaG", "ZW"}};
  const auto found = kAnswers.find(name);
  if (found != kAnswers.end()) std::strncpy(answer, found->second.c_str(), 299);
  return 1;
}

// The whole import, categorisation off, whichever way it takes.
Conversion Imported(FakePlatform& platform) {
  edihal::TVEXBibliotekaEDI library(1);
  library.CallbackParameterValue = AnswerParameter;
  Conversion result;
  try {
    edihal::ImportInvoiceDocument(library, platform, kOut, kInvoice);
    result.completed = true;
  } catch (const edihal::Exception& error) {
    result.error = error.Message();
  }
  result.document = platform.files[kOut];
  return result;
}

std::string Head(const std::string& encoding = "windows-1250") {
  return "<?xml version=\"1.0\" encoding=\"" + encoding +
         "\"?>\r\n<HalvoInvoice>\r\n<InvoiceHeader>\r\n"
         "<szInvoiceIDPDF>FV/2024/77</szInvoiceIDPDF>\r\n<szDate>20240202</szDate>\r\n"
         "<lMediaNmbr>1300</lMediaNmbr>\r\n</InvoiceHeader>\r\n";
}

const char kTail[] = "</HalvoInvoice>\r\n";

// Line block `n`, its product named `name` and its `price` as written.
std::string Block(int n, const std::string& name = "Woda \xBF\xF3\xB3ta",
                  const std::string& price = "1,25") {
  const std::string number = std::to_string(n);
  return "<ART_SALE>\r\n<szItemID>" + number + "</szItemID>\r\n<szDescription>" + name + " " +
         number + "</szDescription>\r\n<szVatPrintCode>" + (n % 2 ? "A" : "B") +
         "</szVatPrintCode>\r\n<szInputString>" + number + "</szInputString>\r\n<dQuantityEntry>" +
         std::to_string(n % 7 + 1) + "</dQuantityEntry>\r\n<dTaAveragePiecePriceDiscounted>" +
         price + "</dTaAveragePiecePriceDiscounted>\r\n<lMerchandiseStructureID>1" +
         std::to_string(n % 3) +
         "</lMerchandiseStructureID>\r\n<lMerchandiseGroupID>20</lMerchandiseGroupID>\r\n"
         "<lMerchandiseSubGroupID>30</lMerchandiseSubGroupID>\r\n</ART_SALE>\r\n";
}

// Blocks `first` to `first + count - 1`.
std::string Blocks(int first, int count, const std::string& name = "Woda \xBF\xF3\xB3ta") {
  std::string text;
  for (int n = first; n < first + count; ++n) text += Block(n, name);
  return text;
}

// Far more than one read block of the line file (64 KiB).
constexpr int kMany = 1500;

struct Row {
  const char* what;
  std::string invoice;
  bool completes;  // in one pass
  // The header records in the end do not fill the room left for them, so
  // the records behind them move (false where the one pass does not
  // complete for another reason).
  bool moves;
};

std::vector<Row> Rows() {
  const std::string utf8_name = "Woda \xC5\xBC\xC3\xB3\xC5\x82ta";
  const std::string long_name(60000, 'x');
  return {
      {"a small invoice", Head() + Blocks(1, 3) + kTail, true, false},
      {"nine blocks, read at once", Head() + Blocks(1, 9) + kTail, true, false},
      {"no block at all", Head() + kTail, true, false},
      {"an empty file", "", true, false},
      {"a large invoice", Head() + Blocks(1, kMany) + kTail, true, false},
      {"a large ISO-8859-2 invoice", Head("ISO-8859-2") + Blocks(1, kMany) + kTail, true, false},
      {"a large UTF-8 invoice", Head("UTF-8") + Blocks(1, kMany, utf8_name) + kTail, true, false},
      {"line ends LF alone, no line end last",
       "<?xml encoding=\"UTF-8\"?>\n" + Blocks(1, 2, utf8_name) + "<szDate>20230101</szDate>", true,
       false},
      {"a quotation mark in a name, and a CR ending the last line",
       Head() + Blocks(1, 2, "Kawa \"Mocna\"") + "<lMediaNmbr>300</lMediaNmbr> \"\r", true, false},
      {"a number and payment form as long after the blocks",
       Head() + Blocks(1, kMany) +
           "<szInvoiceIDPDF>FV/2024/78</szInvoiceIDPDF>\r\n<lMediaNmbr>300</lMediaNmbr>\r\n",
       true, false},
      {"the whole header after the blocks", Blocks(1, kMany) + Head(), true, true},
      {"a longer number after the blocks of a large invoice",
       Head() + Blocks(1, kMany) + "<szInvoiceIDPDF>FV/2024/0000077</szInvoiceIDPDF>\r\n", true,
       true},
      {"a longer number after the blocks of a small invoice",
       Head() + Blocks(1, 3) + "<szInvoiceIDPDF>FV/2024/0000077</szInvoiceIDPDF>\r\n", true, false},
      {"a date only after the blocks", Blocks(1, kMany) + "<szDate>20231231</szDate>\r\n", true,
       false},
      {"a few long blocks after many short ones: fewer blocks than promised",
       Head() + Blocks(1, 200) + Blocks(201, 8, long_name), true, true},
      {"many short blocks after a long one: more blocks than promised",
       Head() + Blocks(1, 1, long_name) + Blocks(2, 2000), true, true},
      {"closing tags outside blocks and after other text",
       Head() + "</ART_SALE>\r\n" + Blocks(1, 2) + "x</ART_RETURN>\r\n<ART_RETURN>\r\n" +
           "<szDescription>Zwrot</szDescription>\r\n</ART_RETURN> y\r\n",
       true, false},
      {"a declaration line holding a header tag",
       Head() + "<szInvoiceIDPDF>A</szInvoiceIDPDF> encoding=\"UTF-8\" " + Blocks(1, 2), true,
       false},
      {"an encoding declared inside the first block",
       "<ART_SALE>\r\n<?xml encoding=\"UTF-8\"?>\r\n<szDescription>" + utf8_name +
           "</szDescription>\r\n</ART_SALE>\r\n" + Blocks(2, 2, utf8_name),
       true, false},
      {"an encoding declared after the first record",
       Blocks(1, 1, utf8_name) + "<?xml encoding=\"UTF-8\"?>\r\n" + Blocks(2, 2, utf8_name), false,
       false},
      {"the same encoding declared again after a record",
       Head("UTF-8") + Blocks(1, 1, utf8_name) + "<?xml encoding=\"utf-8\"?>\r\n" +
           Blocks(2, 2, utf8_name),
       true, false},
      {"a number that is none", Head() + Blocks(1, 3) + Block(4, "Sok", "1,2x") + kTail, false,
       false},
      {"a number that is none at the end of a large invoice",
       Head() + Blocks(1, kMany) + Block(kMany + 1, "Sok", "x") + kTail, false, false},
  };
}

TEST(OnePass, GivesTheDocumentOfTwoPassesOrLeavesItToThem) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.what);
    FakePlatform platform;
    platform.files[kInvoice] = row.invoice;
    const Conversion two = TwoPasses(platform);
    const Conversion one = OnePass(platform);
    EXPECT_EQ(row.completes, one.completed);
    EXPECT_EQ("", one.error);
    if (one.completed) {
      EXPECT_EQ("", two.error);
      EXPECT_EQ(two.document, one.document);
    }
    const Conversion imported = Imported(platform);
    EXPECT_EQ(two.error, imported.error);
    EXPECT_EQ(two.document, imported.document);
  }
}

// Where the document cannot be read back, the records cannot move: the
// one pass leaves such an invoice to the two passes, and no other.
TEST(OnePass, LeavesMovingRecordsToTwoPassesWhereTheDocumentIsWriteOnly) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.what);
    FakePlatform platform;
    platform.files[kInvoice] = row.invoice;
    platform.write_only.insert(kOut);
    const Conversion two = TwoPasses(platform);
    const Conversion one = OnePass(platform);
    EXPECT_EQ(row.completes && !row.moves, one.completed);
    if (one.completed) {
      EXPECT_EQ(two.document, one.document);
    }
    const Conversion imported = Imported(platform);
    EXPECT_EQ(two.error, imported.error);
    EXPECT_EQ(two.document, imported.document);
  }
}

// Every invoice of the case files, through both ways.
TEST(OnePass, CaseInvoicesGiveTheDocumentOfTwoPasses) {
  const std::string cases = std::string(EDIHAL_SOURCE_DIR) + "/tests/cases/import";
  int completed = 0, invoices = 0;
  for (const std::string& name : testing_support::FolderEntries(cases)) {
    const std::string invoice = testing_support::ReadFile(cases + "/" + name + "/in/fv.xml");
    if (invoice.empty()) continue;
    SCOPED_TRACE(name);
    ++invoices;
    FakePlatform platform;
    platform.files[kInvoice] = invoice;
    const Conversion two = TwoPasses(platform);
    const Conversion one = OnePass(platform);
    if (one.completed) {
      ++completed;
      EXPECT_EQ("", two.error);
      EXPECT_EQ(two.document, one.document);
    } else {
      EXPECT_NE("", two.error) << "only an error leaves a case invoice to two passes";
    }
  }
  EXPECT_GT(invoices, 50);
  EXPECT_GT(completed, invoices / 2);
}

// Side files that know the first structures only; the dialog answers the
// rest.
class KnownStructures final : public edihal::Categorisation {
 public:
  explicit KnownStructures(const FakePlatform& platform) : platform_(platform) {}
  std::string_view KnownAssortment(std::string_view structure, std::string_view,
                                   std::string_view) override {
    return structure == "11" || structure == "12" ? std::string_view("Napoje") : std::string_view();
  }
  std::string AssortmentFor(const std::string& structure, const std::string& group,
                            const std::string& subgroup, const std::string& name) override {
    const std::string_view known = KnownAssortment(structure, group, subgroup);
    if (!known.empty()) return std::string(known);
    const edihal::DialogAnswer answer = platform_.ShowAssortmentDialog(name, {"Pieczywo"}, 0);
    return answer.accepted ? "Pieczywo" : "";
  }

 private:
  const FakePlatform& platform_;
};

TEST(OnePass, NeverAsksTheUser) {
  const struct {
    const char* what;
    int blocks;  // structures 11, 12, 10, 11, ...: the side files know two in three
    bool completes;
  } rows[] = {
      {"every block known", 2, true},
      {"the third block unknown", 3, false},
      {"a large invoice, blocks unknown from the third", kMany, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FakePlatform platform;
    KnownStructures categorisation(platform);
    platform.files[kInvoice] = Head() + Blocks(1, row.blocks) + kTail;
    platform.dialog_answers.assign(static_cast<std::size_t>(row.blocks), {true, 0});
    const Conversion one = OnePass(platform, &categorisation);
    EXPECT_EQ(row.completes, one.completed);
    EXPECT_TRUE(platform.dialog_calls.empty());
    const Conversion two = TwoPasses(platform, &categorisation);
    if (one.completed) {
      EXPECT_EQ(two.document, one.document);
    }
    EXPECT_EQ(static_cast<std::size_t>(row.blocks / 3), platform.dialog_calls.size());
  }
}

}  // namespace
