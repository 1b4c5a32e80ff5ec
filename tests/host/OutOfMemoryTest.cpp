// Memory running out while the module reads a file: a whole invoice of
// 200 MB on one line, and a side file too large to load.  The import ends
// with one Polish message naming the file, and every file is closed.  On
// Linux the whole process gets an address-space limit (in a child, so
// that the test runner keeps its memory); the Windows test build limits
// the size of one allocation in the module instead.  Not under the
// sanitizers or an emulator, whose own memory use a limit would break.
#include <gtest/gtest.h>

#if defined(_WIN32) || (defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__))

#include <cstdint>
#include <functional>
#include <string>

#include "Footprint.h"
#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace {

using testing_support::CurrentFolder;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::WriteFile;

constexpr std::uint32_t kMegabyte = 1024 * 1024;
const std::string kOutOfMemoryReading =
    "Zabrak\xB3o pami\xEA"
    "ci podczas czytania pliku ";

struct Outcome {
  int32_t result = -1;
  std::string error;  // the one error reported, or "" and a count below
  int error_count = 0;
  long left_open = 0;  // files or handles more after the call than before
};

// The import as the host calls it, under `limit_megabytes` more memory
// than the process has now.
using ImportCall = std::function<int32_t(RecordingHost&)>;

#if defined(_WIN32)

Outcome UnderMemoryLimit(std::uint32_t limit_megabytes, const ImportCall& import) {
  const hostkit::ModuleApi& api = testing_support::TestModule();
  Outcome outcome;
  RecordingHost host(api);
  host.Answer("CzyKategoryzacja", "Tak");
  // A first failure makes what the run-time keeps for good (the unwinder's
  // lock), so that the count compares like with like.
  host.Api().EdiImportujDokument(host.Library(), 1, "", "");
  host.ClearEvents();
  const long before = testing_support::OpenHandles();
  api.TestLimitAllocation(limit_megabytes * kMegabyte);
  outcome.result = import(host);
  api.TestLimitAllocation(0);
  outcome.left_open = testing_support::OpenHandles() - before;
  outcome.error_count = static_cast<int>(host.TextsOf(EDIHAL_CB_ERROR).size());
  if (outcome.error_count == 1) outcome.error = host.TextsOf(EDIHAL_CB_ERROR)[0];
  return outcome;
}

#else

// The child reports through a pipe: result, error count, descriptors left
// open, then the error text.
Outcome UnderMemoryLimit(std::uint32_t limit_megabytes, const ImportCall& import) {
  const hostkit::ModuleApi& api = testing_support::ReleaseModule();  // loaded before the limit
  int channel[2];
  if (pipe(channel) != 0) return Outcome{};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    RecordingHost host(api);
    host.Answer("CzyKategoryzacja", "Tak");
    const long before = testing_support::OpenHandles();
    const rlimit limit{static_cast<rlim_t>(testing_support::AddressSpaceBytes()) +
                           std::uint64_t{limit_megabytes} * kMegabyte,
                       RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    const int32_t result = import(host);
    const long left_open = testing_support::OpenHandles() - before;
    const auto errors = host.TextsOf(EDIHAL_CB_ERROR);
    std::string report = std::to_string(result) + "\n" + std::to_string(errors.size()) + "\n" +
                         std::to_string(left_open) + "\n" + (errors.empty() ? "" : errors[0]);
    const ssize_t written = write(channel[1], report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
  }
  close(channel[1]);
  std::string report;
  char chunk[4096];
  for (ssize_t got; (got = read(channel[0], chunk, sizeof chunk)) > 0;) report.append(chunk, got);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  Outcome outcome;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return outcome;
  std::size_t at = 0;
  auto field = [&] {
    const std::size_t end = report.find('\n', at);
    const std::string text = report.substr(at, end - at);
    at = end + 1;
    return std::stol(text);
  };
  outcome.result = static_cast<int32_t>(field());
  outcome.error_count = static_cast<int>(field());
  outcome.left_open = field();
  outcome.error = report.substr(at);
  return outcome;
}

#endif

int32_t Import(RecordingHost& host, const std::string& output, const std::string& invoice) {
  return host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str());
}

TEST(HeavyOutOfMemory, AWholeInvoiceOnOneLineOfTwoHundredMegabytes) {
  TempFolder folder;
  const std::string invoice = folder.File("faktura.xml");
  const std::string output = folder.File("dokument.txt");
  {
    std::string line = "<?xml version=\"1.0\"?><ART_SALE><szDescription>";
    line.append(200 * kMegabyte, 'x');
    line += "</szDescription></ART_SALE>\r\n";
    WriteFile(invoice, line);
  }
  const Outcome outcome = UnderMemoryLimit(100, [&](RecordingHost& host) {
    host.Answer("CzyKategoryzacja", "Nie");
    return Import(host, output, invoice);
  });
  EXPECT_EQ(0, outcome.result);
  ASSERT_EQ(1, outcome.error_count);
  EXPECT_EQ(kOutOfMemoryReading + invoice, outcome.error);
  EXPECT_EQ(0, outcome.left_open);
}

TEST(HeavyOutOfMemory, ASideFileTooLargeToLoad) {
  TempFolder folder;
  {
    std::string assignments = "Struktura\tGrupa\tPodgrupa\tKlucz\r\n";
    const std::string line = "1\t2\t3\tNABIAL\r\n";
    while (assignments.size() < 150 * kMegabyte) assignments += line;
    WriteFile(folder.File("Przypisanie.txt"), assignments);
  }
  WriteFile(folder.File("Kategoryzacja.txt"), "Klucz\tNazwa\t\r\nNABIAL\tNabia\xB3\t\r\n");
  const std::string invoice = testing_support::SourcePath("examples/FV_2024_03_0142_cp1250.xml");
  const std::string output = folder.File("dokument.txt");
  const CurrentFolder in_folder(folder.Path());
  const Outcome outcome =
      UnderMemoryLimit(100, [&](RecordingHost& host) { return Import(host, output, invoice); });
  EXPECT_EQ(0, outcome.result);
  ASSERT_EQ(1, outcome.error_count);
  EXPECT_EQ(0u, outcome.error.rfind(kOutOfMemoryReading, 0)) << outcome.error;
  const std::string name = "Przypisanie.txt";
  ASSERT_GT(outcome.error.size(), name.size());
  EXPECT_EQ(name, outcome.error.substr(outcome.error.size() - name.size())) << outcome.error;
  EXPECT_EQ(0, outcome.left_open);
}

}  // namespace

#endif
