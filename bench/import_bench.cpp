// Import throughput of the harness (vexhost import, the module loaded as
// the host loads it) on generated invoices of 1, 10 and 100 MB, next to the
// read floor of the same run: the same file read twice, as the import
// reads it, with a plain buffered line reader.  Counters:
//   MB/s          import throughput (invoice bytes per second of wall time)
//   floor_MB/s    throughput of the read floor
//   x_floor       import time divided by read-floor time
//   peak_MiB      peak resident memory of the vexhost process
// BM_ImportWithoutLines gives the fixed cost of one run.
// The invoices go to a temporary folder (TMPDIR or /tmp), removed at exit.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "InvoiceGenerator.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kMegabyte = 1000 * 1000;

class Workspace {
 public:
  Workspace() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base ? base : "/tmp") + "/edihal-bench-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // The invoice of `megabytes` MB, written on first use.
  const std::string& Invoice(int megabytes) {
    auto found = invoices_.find(megabytes);
    if (found == invoices_.end()) {
      const std::string path =
          (folder_ / ("invoice-" + std::to_string(megabytes) + ".xml")).string();
      bench::WriteInvoice(path, megabytes * kMegabyte);
      found = invoices_.emplace(megabytes, path).first;
    }
    return found->second;
  }
  std::string Output() const { return (folder_ / "dokument.txt").string(); }

 private:
  fs::path folder_;
  std::map<int, std::string> invoices_;
};

Workspace& Work() {
  static Workspace workspace;
  return workspace;
}

std::string Vexhost() {
  return (fs::read_symlink("/proc/self/exe").parent_path() / "vexhost").string();
}

// Reads the file twice, line by line; returns the seconds it took.
double ReadFloor(const std::string& path) {
  const auto start = Clock::now();
  std::size_t bytes = 0;
  for (int pass = 0; pass < 2; ++pass) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) bytes += line.size();
  }
  benchmark::DoNotOptimize(bytes);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs vexhost --quiet import; returns the seconds it took and its peak
// resident memory in KiB.
double RunImport(const std::string& invoice, long& peak_kib) {
  const std::string program = Vexhost(), output = Work().Output();
  const char* argv[] = {program.c_str(), "--quiet",       "import",
                        output.c_str(),  invoice.c_str(), nullptr};
  const auto start = Clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ) !=
      0) {
    throw std::runtime_error("cannot start " + program);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) throw std::runtime_error("lost vexhost");
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the import failed");
  peak_kib = usage.ru_maxrss;
  return seconds;
}

void BM_Import(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  const std::string& invoice = Work().Invoice(megabytes);
  const double size = static_cast<double>(fs::file_size(invoice));
  double import_seconds = 0, floor_seconds = 0;
  long peak_kib = 0;
  for (auto _ : state) {
    floor_seconds += ReadFloor(invoice);
    long peak = 0;
    const double seconds = RunImport(invoice, peak);
    import_seconds += seconds;
    peak_kib = std::max(peak_kib, peak);
    state.SetIterationTime(seconds);
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["MB/s"] = size * runs / import_seconds / 1e6;
  state.counters["floor_MB/s"] = size * runs / floor_seconds / 1e6;
  state.counters["x_floor"] = import_seconds / floor_seconds;
  state.counters["peak_MiB"] = static_cast<double>(peak_kib) / 1024.0;
}

// The fixed cost of one harness run (process start, loading the module,
// the header records) on an invoice without lines: it dominates at 1 MB.
void BM_ImportWithoutLines(benchmark::State& state) {
  const std::string& invoice = Work().Invoice(0);
  long peak_kib = 0;
  for (auto _ : state) state.SetIterationTime(RunImport(invoice, peak_kib));
  state.counters["peak_MiB"] = static_cast<double>(peak_kib) / 1024.0;
}

BENCHMARK(BM_ImportWithoutLines)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Arg(1)->Arg(10)->Arg(100)->UseManualTime()->Iterations(5)->Unit(
    benchmark::kMillisecond);

}  // namespace
