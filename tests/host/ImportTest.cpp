// Importing invoices through the loaded module, as the host does: the
// shipped examples byte for byte in every C locale, and the failures the
// host must hear of.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CommaLocale.h"
#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::CommaLocale;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::ReleaseModule;
using testing_support::SourcePath;
using testing_support::TempFolder;

const char* const kExamples[] = {
    "FV_2024_03_0142_cp1250",
    "FV_2024_03_0143_iso88592",
    "FV_2024_03_0150_utf8",
};

int32_t Import(RecordingHost& host, const std::string& output, const std::string& invoice) {
  return host.Api().EdiImportujDokument(host.Library(), 7, output.c_str(), invoice.c_str());
}

void ExpectExamplesImportExactly(const char* locale) {
  for (const char* example : kExamples) {
    TempFolder folder;
    RecordingHost host(ReleaseModule());
    AnswerLikeAShop(host);
    const std::string output = folder.File("dokument.txt");
    ASSERT_EQ(1, Import(host, output, SourcePath(std::string("examples/") + example + ".xml")))
        << example << " in " << locale;
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty()) << example;
    const std::string expected =
        ReadFile(SourcePath(std::string("examples/expected/") + example + ".txt"));
    ASSERT_FALSE(expected.empty()) << example;
    EXPECT_EQ(expected, ReadFile(output)) << example << " in " << locale;
  }
}

TEST(Import, ExamplesInTheCLocale) {
  ExpectExamplesImportExactly("the C locale");
}

TEST(Import, ExamplesWithADecimalCommaLocale) {
  CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  ExpectExamplesImportExactly("a decimal comma locale");
}

TEST(Import, MissingInvoiceIsReportedAndLeavesAnEmptyDocument) {
  TempFolder folder;
  const std::string output = folder.File("dokument.txt");
  testing_support::WriteFile(output, "TypDok:\r\nan older document\r\n");
  const std::string invoice = folder.File("brak.xml");
  RecordingHost host(ReleaseModule());
  AnswerLikeAShop(host);
  EXPECT_EQ(0, Import(host, output, invoice));
  EXPECT_EQ(std::vector<std::string>{"Brak pliku " + invoice}, host.TextsOf(EDIHAL_CB_ERROR));
  EXPECT_TRUE(testing_support::FileExists(output));
  EXPECT_EQ("", ReadFile(output));
}

TEST(Import, BadNumberIsReportedInPolishAndKeepsTheRecordsBefore) {
  TempFolder folder;
  const std::string invoice = folder.File("fv.xml");
  testing_support::WriteFile(invoice,
                             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<ART_SALE>\n<szDescription>Ser</szDescription>\n"
                             "<dQuantityEntry>2</dQuantityEntry>\n</ART_SALE>\n"
                             "<ART_SALE>\n<dQuantityEntry>dwa\xC5\x9B</dQuantityEntry>\n"
                             "</ART_SALE>\n");
  const std::string output = folder.File("dokument.txt");
  RecordingHost host(ReleaseModule());
  AnswerLikeAShop(host);
  EXPECT_EQ(0, Import(host, output, invoice));
  // Błędna liczba "dwaś" w znaczniku <dQuantityEntry>, wiersz 7 pliku ...
  EXPECT_EQ(std::vector<std::string>{"B\xB3\xEA"
                                     "dna liczba \"dwa\x9C\" w znaczniku <dQuantityEntry>, "
                                     "wiersz 7 pliku " +
                                     invoice},
            host.TextsOf(EDIHAL_CB_ERROR));
  const std::string text = ReadFile(output);
  EXPECT_NE(std::string::npos, text.find("\r\nIloscLinii:2\r\nLinia:Nazwa{Ser}"));
  EXPECT_EQ(std::string::npos, text.find("Linia:", text.find("Linia:") + 1));
}

}  // namespace
