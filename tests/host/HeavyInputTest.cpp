// Invoices of a size no wholesaler sends, made at run time in a temporary
// folder and removed afterwards: the import ends normally with the right
// number of records, its memory grows by about one line of the invoice
// (the reader holds one line), and the invoice stays as it was.  64-bit
// Linux only: under Wine or an emulator the files take minutes.
#include <gtest/gtest.h>

#if !defined(_WIN32) && !defined(__i386__)

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::RecordingHost;
using testing_support::TempFolder;

constexpr std::uint64_t kMegabyte = 1024 * 1024;
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

std::uint64_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

std::uint64_t FileSize(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  return static_cast<std::uint64_t>(file.tellg());
}

// A cheap fingerprint of a file too large to keep twice.
std::uint64_t Fingerprint(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::uint64_t hash = 1469598103934665603u;
  char chunk[1 << 16];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    for (std::streamsize i = 0; i < file.gcount(); ++i) {
      hash = (hash ^ static_cast<unsigned char>(chunk[i])) * 1099511628211u;
    }
  }
  return hash;
}

std::uint64_t CountOf(const std::string& path, const std::string& needle) {
  std::ifstream file(path, std::ios::binary);
  std::uint64_t count = 0;
  std::string line;
  while (std::getline(file, line)) count += line.rfind(needle, 0) == 0 ? 1 : 0;
  return count;
}

class HeavyInput : public testing::Test {
 protected:
  HeavyInput() : host(testing_support::ReleaseModule()) {
    host.Answer("CzyKategoryzacja", "Nie");
    host.Answer("StawkaA", "23");
  }

  // Imports `invoice` and checks the common promises; the document's path.
  std::string ImportUnchanged(const std::string& invoice) {
    const std::uint64_t before = Fingerprint(invoice);
    const std::string output = folder.File("dok.txt");
    EXPECT_EQ(1,
              host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str()));
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    EXPECT_EQ(before, Fingerprint(invoice));
    EXPECT_EQ((std::vector<std::string>{"dok.txt", "fv.xml"}),
              testing_support::FolderEntries(folder.Path()));
    return output;
  }

  TempFolder folder;
  RecordingHost host;
};

// A whole invoice of 200 MB on one line: its blocks cannot be told apart
// (a block's tags are read from the lines after its opening tag), so the
// document has its header and no line records.
TEST_F(HeavyInput, TwoHundredMegabytesOnOneLine) {
  const std::string invoice = folder.File("fv.xml");
  const std::uint64_t line_bytes = 200 * kMegabyte;
  {
    std::ofstream file(invoice, std::ios::binary);
    file
        << "<?xml version=\"1.0\" encoding=\"windows-1250\"?><szInvoiceIDPDF>FV/1</szInvoiceIDPDF>";
    const std::string block =
        "<ART_SALE><szDescription>Chleb</szDescription><dQuantityEntry>1</dQuantityEntry>"
        "</ART_SALE>";
    std::string chunk;
    while (chunk.size() < kMegabyte) chunk += block;
    for (std::uint64_t i = 0; i < line_bytes / chunk.size(); ++i) file << chunk;
  }
  const std::uint64_t peak_before = PeakResidentBytes();
  const std::string output = ImportUnchanged(invoice);
  const std::uint64_t growth = PeakResidentBytes() - peak_before;
  std::printf("peak resident memory grew by %llu MB for a %llu MB line\n",
              static_cast<unsigned long long>(growth / kMegabyte),
              static_cast<unsigned long long>(line_bytes / kMegabyte));
  EXPECT_EQ(1u, CountOf(output, "TypDok:"));
  EXPECT_EQ(0u, CountOf(output, "Linia:"));
  // AddressSanitizer keeps freed memory in quarantine: no measure there.
  if (!kSanitized) {
    EXPECT_LT(growth, 2 * line_bytes + 64 * kMegabyte);
  }
}

// A million line blocks: a million records, in memory that does not grow
// with the invoice.
TEST_F(HeavyInput, AMillionBlocks) {
  const std::string invoice = folder.File("fv.xml");
  constexpr int kBlocks = 1000000;
  {
    std::ofstream file(invoice, std::ios::binary);
    file << "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
            "<szInvoiceIDPDF>FV/1</szInvoiceIDPDF>\r\n";
    for (int i = 0; i < kBlocks; ++i) {
      file << "<ART_SALE>\r\n<szItemID>" << i
           << "</szItemID>\r\n<szDescription>Chleb</szDescription>\r\n"
              "<dQuantityEntry>2</dQuantityEntry>\r\n<szVatPrintCode>A</szVatPrintCode>\r\n"
              "</ART_SALE>\r\n";
    }
  }
  const std::uint64_t peak_before = PeakResidentBytes();
  const std::string output = ImportUnchanged(invoice);
  const std::uint64_t growth = PeakResidentBytes() - peak_before;
  std::printf("peak resident memory grew by %llu MB for %llu MB of invoice\n",
              static_cast<unsigned long long>(growth / kMegabyte),
              static_cast<unsigned long long>(FileSize(invoice) / kMegabyte));
  EXPECT_EQ(static_cast<std::uint64_t>(kBlocks), CountOf(output, "Linia:"));
  if (!kSanitized) {
    EXPECT_LT(growth, 64 * kMegabyte);
  }
}

}  // namespace

#endif  // !_WIN32 && !__i386__
