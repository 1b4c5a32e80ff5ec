// Invoices of a size no wholesaler sends, made at run time in a temporary
// folder and removed afterwards: the import ends normally with the right
// records, its memory grows by about one line of the invoice (the reader
// holds one line), and the invoice stays as it was.  64-bit Linux only:
// under Wine or an emulator the files take minutes.
#include <gtest/gtest.h>

#if !defined(_WIN32) && !defined(__i386__)

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory in quarantine: no measure there.
constexpr std::uint64_t kUnmeasured = ~std::uint64_t{0};
#else
constexpr std::uint64_t kUnmeasured = 0;
#endif

std::uint64_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

// Calls `take` with each line of the file, without its line end.
void EachLine(const std::string& path, const std::function<void(const std::string&)>& take) {
  std::ifstream file(path, std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    take(line);
  }
}

struct Document {
  std::vector<std::string> errors;
  std::string first_line;
  std::size_t records = 0;
  std::vector<std::string> every_100000th_record;  // from the first
};

// Imports the invoice that `write` writes, checks what every import
// promises and that the peak memory grew by less than `most` bytes; an
// import that is `refused` ends with an error and an empty document.
Document ImportOf(const std::function<void(std::ofstream&)>& write, std::uint64_t most,
                  bool refused = false) {
  testing_support::TempFolder folder;
  const std::string invoice = folder.File("fv.xml"), output = folder.File("dok.txt");
  {
    std::ofstream file(invoice, std::ios::binary);
    file << "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n";
    write(file);
  }
  const std::uintmax_t size = std::filesystem::file_size(invoice);
  testing_support::RecordingHost host(testing_support::ReleaseModule());
  host.Answer("CzyKategoryzacja", "Nie");
  host.Answer("StawkaA", "23");
  const std::uint64_t peak_before = PeakResidentBytes();
  EXPECT_EQ(refused ? 0 : 1,
            host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str()));
  const std::uint64_t growth = PeakResidentBytes() - peak_before;
  std::printf("peak resident memory grew by %llu MB\n",
              static_cast<unsigned long long>(growth / kMegabyte));
  EXPECT_LT(growth, most | kUnmeasured);
  EXPECT_EQ(refused ? 1u : 0u, host.TextsOf(EDIHAL_CB_ERROR).size());
  EXPECT_EQ(size, std::filesystem::file_size(invoice));  // its bytes: every case
  EXPECT_EQ((std::vector<std::string>{"dok.txt", "fv.xml"}),
            testing_support::FolderEntries(folder.Path()));
  Document document;
  document.errors = host.TextsOf(EDIHAL_CB_ERROR);
  EachLine(output, [&](const std::string& line) {
    if (document.first_line.empty()) document.first_line = line;
    if (line.rfind("Linia:", 0) != 0) return;
    if (document.records++ % 100000 == 0) document.every_100000th_record.push_back(line);
  });
  return document;
}

// A whole invoice of 200 MB on one line: its blocks cannot be told apart
// (a block's tags are read from the lines after its opening tag), so the
// import refuses it, naming the line, and writes nothing.
TEST(HeavyInput, TwoHundredMegabytesOnOneLine) {
  const std::uint64_t line_bytes = 200 * kMegabyte;
  const Document document = ImportOf(
      [&](std::ofstream& file) {
        std::string chunk = "<szInvoiceIDPDF>FV/1</szInvoiceIDPDF>";
        while (chunk.size() < kMegabyte) {
          chunk +=
              "<ART_SALE><szDescription>Chleb</szDescription>"
              "<dQuantityEntry>1</dQuantityEntry></ART_SALE>";
        }
        for (std::uint64_t i = 0; i < line_bytes / chunk.size(); ++i) file << chunk;
      },
      2 * line_bytes + 64 * kMegabyte, true);
  EXPECT_TRUE(document.first_line.empty());
  ASSERT_EQ(1u, document.errors.size());
  EXPECT_NE(std::string::npos, document.errors[0].find(". Wiersz 2: Kilka element"))
      << document.errors[0];
}

// A million line blocks: a million records, in order, in memory that does
// not grow with the invoice.
TEST(HeavyInput, AMillionBlocks) {
  constexpr int kBlocks = 1000000;
  const Document document = ImportOf(
      [](std::ofstream& file) {
        file << "<szInvoiceIDPDF>FV/1</szInvoiceIDPDF>\r\n";
        for (int i = 0; i < kBlocks; ++i) {
          file << "<ART_SALE>\r\n<szItemID>" << i
               << "</szItemID>\r\n<szDescription>Chleb</szDescription>\r\n"
                  "<dQuantityEntry>2</dQuantityEntry>\r\n<szVatPrintCode>A</szVatPrintCode>\r\n"
                  "</ART_SALE>\r\n";
        }
      },
      64 * kMegabyte);
  EXPECT_EQ(static_cast<std::size_t>(kBlocks), document.records);
  for (std::size_t at = 0; at < document.every_100000th_record.size(); ++at) {
    const std::string item = "Sww{" + std::to_string(at * 100000) + "}";
    EXPECT_NE(std::string::npos, document.every_100000th_record[at].find(item)) << item;
  }
}

}  // namespace

#endif  // !_WIN32 && !__i386__
