// Memory running out for real while the module reads a whole invoice of
// 200 MB on one line: the import ends with one Polish message naming the
// invoice, and every file is closed.  (Which file each such message names,
// side files too, is a table: tables/categorise.txt, whose in-memory
// platform runs out of memory on every system.)  The import runs in a
// child process with an address-space limit, so that the test runner keeps
// its memory.  64-bit Linux only: not under the sanitizers or an emulator,
// whose own memory use a limit would break.
#include <gtest/gtest.h>

#if !defined(_WIN32) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Footprint.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

#include <sys/resource.h>

namespace {

constexpr std::uint32_t kMegabyte = 1024 * 1024;
constexpr std::uint32_t kLimit = 100 * kMegabyte;  // more than the process holds before

// The import under the limit: its result, its errors and how many more
// files or handles are open after it than before.
std::string ImportUnderLimit(const std::string& output, const std::string& invoice) {
  const hostkit::ModuleApi& api = testing_support::ReleaseModule();  // loaded before the limit
  testing_support::RecordingHost host(api);
  host.Answer("CzyKategoryzacja", "Nie");
  // A first failure makes what the run-time keeps for good (the unwinder's
  // lock), so that the count compares like with like.
  api.EdiImportujDokument(host.Library(), 1, "", "");
  host.ClearEvents();
  const long before = testing_support::OpenHandles();
  const rlimit limit{static_cast<rlim_t>(testing_support::AddressSpaceBytes()) + kLimit,
                     RLIM_INFINITY};
  setrlimit(RLIMIT_AS, &limit);
  const auto result = api.EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str());
  std::string seen = "result " + std::to_string(result);
  for (const std::string& error : host.TextsOf(EDIHAL_CB_ERROR)) seen += "\nerror " + error;
  return seen + "\nleft open " + std::to_string(testing_support::OpenHandles() - before);
}

TEST(HeavyOutOfMemory, AWholeInvoiceOnOneLineOfTwoHundredMegabytes) {
  testing_support::TempFolder folder;
  const std::string invoice = folder.File("faktura.xml");
  const std::string output = folder.File("dokument.txt");
  {
    std::string line = "<?xml version=\"1.0\"?><ART_SALE><szDescription>";
    line.append(200 * kMegabyte, 'x');
    line += "</szDescription></ART_SALE>\r\n";
    testing_support::WriteFile(invoice, line);
  }
  const std::string expected = "result 0\nerror Zabrak\xB3o pami\xEA\x63i podczas czytania pliku " +
                               invoice + "\nleft open 0";
  // The child says what it saw and exits with 0 only when it was right.
  EXPECT_EXIT(
      {
        const std::string seen = ImportUnderLimit(output, invoice);
        std::fprintf(stderr, "%s\n", seen.c_str());
        std::_Exit(seen == expected ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace

#endif
