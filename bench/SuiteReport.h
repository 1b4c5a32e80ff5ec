// What the suite measures, by name, and the report it writes from one run:
// docs/BENCHMARKS.md filled in from a template, and docs/bench.png drawn by
// gnuplot.
#ifndef EDIHAL_BENCH_SUITEREPORT_H
#define EDIHAL_BENCH_SUITEREPORT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "InvoiceGenerator.h"

namespace bench {

// The runs of one measured command.
struct Figure {
  std::vector<double> seconds;      // wall time, one per run
  std::vector<double> cpu_seconds;  // processor time, one per run
  long peak_kib = 0;                // the highest of the runs
  std::uint64_t bytes = 0;          // the input, for throughput
  unsigned blocks = 0;

  bool Measured() const { return !seconds.empty(); }
  double Median() const;     // of the wall times
  double MedianCpu() const;  // of the processor times
  double MegabytesPerSecond() const { return static_cast<double>(bytes) / Median() / 1e6; }
};
using Figures = std::map<std::string, Figure>;

double MedianOf(std::vector<double> values);

// What the import measurements run: the read floor, the module without and
// with categorisation, and the peer stylesheet.
// kReference: the std::getline reader (linefloor --std-getline), beside
// the floor.
enum class Kind { kFloor, kModule, kCategorised, kPeer, kReference };
const char* KindName(Kind kind);

std::string ImportName(Encoding encoding, unsigned megabytes, Kind kind);
std::string SizeName(unsigned blocks, Kind kind);
constexpr const char* kListName = "list/vexhost";
constexpr const char* kGrepName = "list/grep";

// Instructions counted by callgrind for one invoice.
struct InstructionCount {
  std::string invoice;
  std::uint64_t bytes = 0;
  unsigned long long module = 0;       // the whole vexhost import process
  unsigned long long categorised = 0;  // the same with categorisation on
  unsigned long long floor = 0;        // the whole linefloor process
  unsigned long long peer = 0;         // the whole xsltproc process
};
struct Instructions {
  unsigned long long empty_invoice = 0;  // the import of an invoice without blocks
  std::vector<InstructionCount> rows;
};

// One build of the module measured inside one process (importtime): the
// medians of its rounds, in milliseconds, per invoice ("cp1250, 10 MB").
struct InProcess {
  double floor = 0;        // the invoice read twice, every line end found
  double module = 0;       // the import, categorisation off
  double categorised = 0;  // the same with categorisation on
};
struct BuildFigures {
  std::string name;         // "native", "linux32", "DLL under Wine"
  std::string description;  // how it was built and run
  std::map<std::string, InProcess> invoices;
  // Callgrind's instructions per byte of the whole vexhost import, 10 MB
  // invoices; empty where valgrind cannot follow the program.
  std::map<std::string, double> instructions_per_byte;
};

// The sizes a run measured and how it went.
struct RunInfo {
  std::vector<unsigned> megabytes;
  std::vector<unsigned> block_counts;
  unsigned listed_files = 0;
  double make_started = 0;   // epoch seconds when make bench started; 0 when unknown
  double suite_started = 0;  // epoch seconds
  std::string load_at_start;
};

// Writes `folder`/BENCHMARKS.md from `template_path` and `folder`/bench.png,
// using `scratch` for gnuplot's data; throws std::runtime_error on failure.
// Returns the targets the run missed, each with its figures.
std::vector<std::string> WriteReport(const std::string& folder, const std::string& template_path,
                                     const std::string& scratch, const Figures& figures,
                                     const Instructions& instructions,
                                     const std::vector<BuildFigures>& builds,
                                     const RunInfo& info);

// The three load averages of /proc/loadavg.
std::string LoadAverage();

double EpochSeconds();

}  // namespace bench

#endif  // EDIHAL_BENCH_SUITEREPORT_H
