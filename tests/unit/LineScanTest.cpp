// The quick ways of the import against its general ones, on the same
// lines: a one-element line read in one scan against LineTags and
// ElementValue, a run of lines read from the offsets of its brackets
// against reading each line, the byte finder against a byte loop, and the
// first pass's look at only some lines against reading every line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/ByteFinder.h"
#include "import/ElementValue.h"
#include "import/InvoiceHeader.h"
#include "import/LineConversion.h"
#include "import/LineTags.h"
#include "import/ScannedRun.h"
#include "rtl/Exception.h"
#include "torlib/TMFile.h"

namespace {

using edihal::InvoiceTag;
using edihal::ScannedLine;

void ExpectSameTags(const ScannedLine& expected, const ScannedLine& scanned,
                    const std::string& where) {
  EXPECT_EQ(expected.value, scanned.value) << where;
  for (unsigned tag = 0; tag < static_cast<unsigned>(InvoiceTag::kCount); ++tag) {
    const auto which = static_cast<InvoiceTag>(tag);
    EXPECT_EQ(expected.tags.Has(which), scanned.tags.Has(which)) << where << " tag " << tag;
  }
}

// Both ways on one line; true when the quick way took it.
bool ExpectSameScan(const std::string& line) {
  const ScannedLine general = edihal::ScanAnyLine(line);
  ScannedLine quick;
  const bool taken = edihal::ScanOneElementLine(line, quick);
  const ScannedLine chosen = edihal::ScanLine(line);
  for (const ScannedLine& scanned : {taken ? quick : general, chosen}) {
    ExpectSameTags(general, scanned, line);
  }
  return taken;
}

TEST(LineScan, OneElementLinesAndTheirNearMisses) {
  const struct {
    const char* line;
    bool quick;
  } cases[] = {
      {"<szItemID>107919</szItemID>", true},
      {"<dTaTotal></dTaTotal>", true},
      {"<ART_SALE>", true},
      {"<ART_SALE>x</ART_SALE>", true},
      {"<ART_RETURN>text after", true},
      {"<lLineNmbr>1</lLineNmbr>", true},
      {"<szDate>>20240101</szDate>", true},
      {"<szItemID>1</szItemId>", false},
      {"<szItemID>1</szItemID> ", false},
      {"<szItemID>1<</szItemID>", false},
      {"<a<szDate>x</szDate>", false},
      {"<szItemID>1</szItemID><szDate>2</szDate>", false},
      {"<szDescription>A</szDescription</ART_SALE>", false},
      {"<dTaAveragePiecePriceDiscountedX>1</dTaAveragePiecePriceDiscountedX>", false},
      {"</ART_SALE>", true},
      {"<?xml version=\"1.0\"?>", true},
      {"<x>", false},
      {"text <szItemID>1</szItemID>", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.quick, ExpectSameScan(c.line)) << c.line;
}

// A line put together from tags, names like them, values and the bytes
// that matter to the scans, so that every shape turns up.
std::string RandomLine(std::mt19937& random) {
  static const char* const kPieces[] = {"<szItemID>",
                                        "</szItemID>",
                                        "<ART_SALE>",
                                        "</ART_SALE>",
                                        "<ART_RETURN>",
                                        "</ART_RETURN>",
                                        "<szDate>",
                                        "</szDate>",
                                        "<dTaTotal>",
                                        "</dTaTotal>",
                                        "<szInvoiceIDPDF>",
                                        "<lMediaNmbr>",
                                        "<dTaAveragePiecePriceDiscounted>",
                                        "</dTaAveragePiecePriceDiscounted>",
                                        "<lLineNmbr>",
                                        "</lLineNmbr>",
                                        "<",
                                        ">",
                                        "/",
                                        "<>",
                                        "\"",
                                        "12,5",
                                        "Ser \xBF\xF3\xB3ty",
                                        " ",
                                        "\t",
                                        "&amp;"};
  const std::size_t count = std::size(kPieces);
  std::string line;
  const int pieces = static_cast<int>(random() % 5);
  for (int i = 0; i < pieces; ++i) line += kPieces[random() % count];
  // Half the lines are the common shape, perhaps with a wrong closing tag.
  if (random() % 2 == 0) {
    const std::string name = std::string(kPieces[random() % 16]).substr(1);
    line = "<" + name + line + "</" + (random() % 8 == 0 ? "x" + name : name);
  }
  return line;
}

TEST(LineScan, GeneratedLinesAgree) {
  std::mt19937 random(20241207);
  int quick = 0;
  const int kLines = 100000;
  for (int i = 0; i < kLines; ++i) quick += ExpectSameScan(RandomLine(random)) ? 1 : 0;
  EXPECT_GT(quick, kLines / 5) << "the quick way was hardly tried";
}

// A run of lines as the import's reader hands them out: LF or CR LF
// after each, the last one perhaps without; lines indented as invoices
// are, some longer than the 64 bytes the finder looks at at once.
std::string RandomRun(std::mt19937& random, int lines) {
  std::string run;
  for (int i = 0; i < lines; ++i) {
    run += std::string(random() % 8, random() % 3 == 0 ? '\t' : ' ');
    run += RandomLine(random);
    if (random() % 6 == 0) run += std::string(40 + random() % 60, 'x') + RandomLine(random);
    if (random() % 9 == 0) run += " \r";
    if (i + 1 < lines || random() % 2 == 0) run += random() % 2 ? "\r\n" : "\n";
  }
  return run;
}

// Every line of a run read from the run's brackets against the same line
// scanned alone.
void ExpectSameLines(std::string_view run) {
  std::vector<ScannedLine> from_run;
  std::vector<std::string_view> raw_lines;
  edihal::ForEachScannedLine(run, [&](const ScannedLine& line, std::string_view raw) {
    from_run.push_back(line);
    raw_lines.push_back(edihal::TakeFirstLine(raw));
    EXPECT_TRUE(raw.empty()) << "left over in the line: " << std::string(raw);
  });
  std::size_t number = 0;
  for (std::string_view rest = run; !rest.empty(); ++number) {
    const std::string_view line = edihal::TakeFirstLine(rest);
    ASSERT_LT(number, from_run.size()) << "line " << number << " missing from\n" << run;
    EXPECT_EQ(line, raw_lines[number]) << "line " << number << " of\n" << run;
    ExpectSameTags(edihal::ScanLine(edihal::TrimmedView(line)), from_run[number],
                   std::string(line));
  }
  EXPECT_EQ(number, from_run.size()) << "lines too many in\n" << run;
}

TEST(LineScan, RunsReadFromTheirBracketsAgreeWithEachLine) {
  std::mt19937 random(20261207);
  for (int trial = 0; trial < 3000; ++trial) {
    const std::string run = RandomRun(random, static_cast<int>(random() % 40));
    ExpectSameLines(run);
  }
}

// Short runs that end where their memory ends, so that a scan reading past
// a run's end fails under the address sanitizer.
TEST(LineScan, RunsEndingAtTheirLastByte) {
  const char* const runs[] = {
      "<>",         "<a>", "x<>", "<>\n",   "<a><b>",     "<a>1</a>",        "<<>>", "\n<ab>",
      "<ART_SALE>", ">",   "<",   "<a>x<b", "<ab><cd>\r", "</ART_SALE>\r\n", ""};
  for (const char* text : runs) {
    const std::size_t size = std::strlen(text);
    const std::unique_ptr<char[]> exact(new char[size == 0 ? 1 : size]);
    std::memcpy(exact.get(), text, size);
    ExpectSameLines(std::string_view(exact.get(), size));
  }
}

// Whether byte `at` of `run` belongs to each set, byte by byte.
bool InBracketsAndLineEnds(const std::string& run, std::size_t at) {
  return run[at] == '<' || run[at] == '>' || run[at] == '\n';
}

bool InHeaderTagOpenings(const std::string& run, std::size_t at) {
  return run[at] == '<' && at + 4 < run.size() &&
         std::string_view("Tnad").find(run[at + 4]) != std::string_view::npos;
}

// Every offset the finder gives, against a byte loop, on runs of every
// length around the 64-byte steps, dense and sparse in the bytes looked
// for; now and then it is sent forward or back.
template <typename Set>
void ExpectEveryByteOfTheSetInOrder(bool (*in_set)(const std::string&, std::size_t)) {
  static const char kBytes[] = "<>\n\"=x \r\x80\xBC\xBE\xFF\x3C\x3E\x0A\x00Tnad";
  const std::string bytes(kBytes, sizeof kBytes - 1);  // the NUL too
  std::mt19937 random(64);
  for (std::size_t size = 0; size < 300; ++size) {
    std::string run;
    const std::size_t density = 1 + random() % 20;
    for (std::size_t i = 0; i < size; ++i) {
      run += random() % density == 0 ? bytes[random() % bytes.size()] : 'a' + random() % 2;
    }
    edihal::ByteFinder<Set> finder(run);
    std::size_t from = 0;
    for (;;) {
      if (random() % 8 == 0) {
        // Forward, or back over bytes already given.
        const std::size_t step = random() % 100;
        from = random() % 3 != 0 ? from + step : from - std::min(from, step);
        finder.SkipTo(from);
      }
      std::size_t expected = from;
      while (expected < run.size() && !in_set(run, expected)) ++expected;
      expected = std::min(expected, run.size());
      const std::size_t found = finder.Next();
      ASSERT_EQ(expected, found) << "size " << size << " from " << from;
      if (found == run.size()) break;
      from = found + 1;
    }
    EXPECT_EQ(run.size(), finder.Next()) << "size " << size;
  }
}

TEST(LineScan, ByteFinderGivesEveryByteOfItsSetInOrder) {
  ExpectEveryByteOfTheSetInOrder<edihal::BracketsAndLineEnds>(InBracketsAndLineEnds);
  ExpectEveryByteOfTheSetInOrder<edihal::HeaderTagOpenings>(InHeaderTagOpenings);
}

// The wide and the narrow masks of each set agree with the byte loop,
// every byte of all 64 (and those read ahead) being of every kind.
template <typename Set>
void ExpectMasksAgree(bool (*in_set)(const std::string&, std::size_t)) {
  static const char kBytes[] = "<>\n\"\x00\x3C\x3E\x0A\x7C\x7E\xBC\xBETnadtNAD_";
  const std::string bytes(kBytes, sizeof kBytes - 1);  // the NUL too
  std::mt19937 random(32);
  for (int round = 0; round < 20000; ++round) {
    std::string chunk(64 + Set::kLookahead, 'a');
    for (char& byte : chunk) byte = bytes[random() % bytes.size()];
    std::uint64_t expected = 0;
    for (std::size_t i = 0; i < 64; ++i) {
      if (in_set(chunk, i)) expected |= std::uint64_t{1} << i;
    }
    ASSERT_EQ(expected, Set::Mask(chunk.data())) << chunk;
    ASSERT_EQ(expected, Set::NarrowMask(chunk.data())) << chunk;
  }
}

TEST(LineScan, WideAndNarrowMasksAgree) {
  ExpectMasksAgree<edihal::BracketsAndLineEnds>(InBracketsAndLineEnds);
  ExpectMasksAgree<edihal::HeaderTagOpenings>(InHeaderTagOpenings);
}

// The line blocks of an invoice that leave out, block by block, the
// values that carry over to the next block, so that a block uses values
// read in runs long gone.
std::vector<std::string> CarryingBlocks() {
  static const char* const kOptional[] = {
      "<szDescription>Ser &amp;amp; \xBF\xF3\xB3ty</szDescription>",
      "<szItemID>107919</szItemID>",
      "<szDesc1>SER 150G</szDesc1>",
      "<szPackagePrintCode>ST</szPackagePrintCode>",
      "<szPackagePrintCode>KG</szPackagePrintCode>",
      "<szVatPrintCode>A</szVatPrintCode>",
      "<szVatPrintCode>np</szVatPrintCode>",
      "<szInputString>107919</szInputString>",
      "<EanSingle>5900001000003</EanSingle>",
      "<dPieceQuantity>6</dPieceQuantity>",
      "<dPieceContentsQuantity>0,15</dPieceContentsQuantity>",
      "<dTaAveragePiecePriceDiscounted>2.30</dTaAveragePiecePriceDiscounted>",
      "<dTaTotal>13,80</dTaTotal>",
      "<dMeasurementEntry1>1,234</dMeasurementEntry1>",
      "<lMerchandiseStructureID>10</lMerchandiseStructureID>",
      "<lMerchandiseGroupID>20</lMerchandiseGroupID>",
      "<lMerchandiseSubGroupID>30</lMerchandiseSubGroupID>"};
  std::mt19937 random(17);
  std::vector<std::string> lines;
  for (int block = 0; block < 60; ++block) {
    lines.push_back(block % 7 == 3 ? "<ART_RETURN>" : "<ART_SALE>");
    // Every block has a quantity: a price without one is an error.
    lines.push_back(block % 2 ? "<dQuantityEntry>2,5</dQuantityEntry>"
                              : "\t<dQuantityEntry>3</dQuantityEntry>");
    for (const char* line : kOptional) {
      if (random() % 3 != 0) lines.push_back(std::string("  ") + line);
    }
    lines.push_back(block % 7 == 3 ? "</ART_RETURN>" : "</ART_SALE>");
  }
  return lines;
}

edihal::LineConversionSettings Settings() {
  edihal::LineConversionSettings settings;
  settings.rates = edihal::VatRates{"23", "8", "5", "0", "ZW"};
  settings.decimal_separator = ',';
  return settings;
}

// The records of `lines`, and the message that stopped them, taken in
// runs of `run_lines` lines (0: one run) or, with `alone`, line by line.
// Each run, and each line given alone, is overwritten as soon as it has
// been taken.
struct Outcome {
  std::vector<std::string> records;
  std::string error;
};

Outcome Convert(const std::vector<std::string>& lines, std::size_t run_lines, bool alone) {
  Outcome outcome;
  edihal::LineConversion conversion(Settings());
  long number = 0;
  std::string record;
  const auto keep = [&](const std::string& done) { outcome.records.push_back(done); };
  try {
    const std::size_t step = run_lines == 0 ? lines.size() : run_lines;
    for (std::size_t first = 0; first < lines.size(); first += step) {
      std::string run;
      for (std::size_t i = first; i < std::min(lines.size(), first + step); ++i) {
        if (!alone) {
          run += lines[i] + (i % 2 ? "\r\n" : "\n");
          continue;
        }
        std::string line = lines[i];
        if (conversion.TakeLine(line, ++number, record)) keep(record);
        line.assign(line.size(), '#');
      }
      conversion.TakeRun(run, number, record, keep);
      run.assign(run.size(), '#');
    }
  } catch (const edihal::Exception& error) {
    outcome.error = error.Message();
  }
  return outcome;
}

// A block's record must not depend on where the runs of lines ended, nor
// on what became of a run's bytes once it was done.  The last block's
// quantity is beyond the range of numbers once multiplied by the piece
// factor, whose text, read long before, the message names.
TEST(LineScan, RecordsDoNotDependOnWhereRunsEnd) {
  std::vector<std::string> lines = CarryingBlocks();
  for (const char* line :
       {"<ART_SALE>", "<dQuantityEntry>1e4932</dQuantityEntry>", "</ART_SALE>"}) {
    lines.push_back(line);
  }
  const Outcome expected = Convert(lines, 0, false);
  ASSERT_EQ(60u, expected.records.size());
  ASSERT_NE(std::string::npos, expected.error.find("\"1e4932\" * \"6\"")) << expected.error;
  for (std::size_t run_lines : {1, 2, 5, 19}) {
    const Outcome outcome = Convert(lines, run_lines, false);
    EXPECT_EQ(expected.records, outcome.records) << run_lines << " lines a run";
    EXPECT_EQ(expected.error, outcome.error) << run_lines << " lines a run";
  }
  const Outcome outcome = Convert(lines, 1, true);
  EXPECT_EQ(expected.records, outcome.records) << "line by line";
  EXPECT_EQ(expected.error, outcome.error) << "line by line";
}

// The header of `bytes` as the first pass reads it, or, with `every_line`,
// as scanning each line in turn gives it.
edihal::InvoiceHeader HeaderOf(const std::string& bytes, bool every_line) {
  testing_support::FakePlatform platform;
  platform.files["C:\\f.xml"] = bytes;
  edihal::TMFile file(platform);
  file.SetPath("C:\\f.xml");
  file.Open();
  if (!every_line) return edihal::ReadInvoiceHeader(file);
  edihal::InvoiceHeader header;
  for (std::string_view line; file.NextLine(line);) edihal::ScanHeaderLine(line, header);
  return header;
}

TEST(LineScan, FirstPassAgreesWithReadingEveryLine) {
  static const char* const kHeaderLines[] = {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
      "<x encoding=\"ISO-8859-2\">",
      "  <szInvoiceIDPDF> FV/1 </szInvoiceIDPDF>",
      "<szDate>20240131</szDate>",
      "<szDate>2024</szDate><szInvoiceIDPDF>FV/2</szInvoiceIDPDF>",
      "<lMediaNmbr>1300</lMediaNmbr>",
      "</ART_SALE><szDate>20230101</szDate>",
      "x</ART_RETURN>",
      "</ART_SALE>",
      "  </ART_RETURN>",
      "<a></ART_SALE></ART_SALE>",
      "</ART_SALE> encoding=\"UTF-8\"",
      "</ART_SALE \"",
      "</ART_SALEX>",
      "</ART_RETURN",
      "\"<lMediaNmbr>300</lMediaNmbr>",
      "<szDat",
      "\r"};
  std::mt19937 random(7);
  for (int invoice = 0; invoice < 300; ++invoice) {
    std::string bytes;
    // Some invoices run past a read block, so that lines cross blocks.
    const int lines = invoice % 50 == 0 ? 12000 : static_cast<int>(random() % 60);
    for (int i = 0; i < lines; ++i) {
      bytes +=
          random() % 4 == 0 ? kHeaderLines[random() % std::size(kHeaderLines)] : RandomLine(random);
      if (i + 1 < lines || random() % 2 == 0) bytes += random() % 2 ? "\r\n" : "\n";
    }
    // A header tag in the very last bytes of the invoice.
    if (invoice % 10 == 1) bytes += "\n<szDate>";
    const edihal::InvoiceHeader quick = HeaderOf(bytes, false);
    const edihal::InvoiceHeader every = HeaderOf(bytes, true);
    EXPECT_EQ(every.encoding, quick.encoding) << bytes;
    EXPECT_EQ(every.number, quick.number) << bytes;
    EXPECT_EQ(every.has_date, quick.has_date) << bytes;
    EXPECT_EQ(every.date, quick.date) << bytes;
    EXPECT_EQ(every.payment_form, quick.payment_form) << bytes;
    EXPECT_EQ(every.line_count, quick.line_count) << bytes;
  }
}

}  // namespace
