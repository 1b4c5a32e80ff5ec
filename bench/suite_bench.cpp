// The benchmark suite: whole processes on generated invoices, each next to
// its floor and its peer, measured in the same run.
//
//   import   vexhost import of 1, 10 and 100 MB invoices in each encoding,
//            categorisation off and on; the floor (linefloor: the invoice
//            read twice with a plain buffered line reader); the peer
//            (xsltproc with halvo-to-vex.xsl, whose output must equal the
//            module's byte for byte)
//   size     the same for 100 to 1,000,000 blocks in Windows-1250 (the peer
//            up to 100,000 blocks: it holds the whole invoice as a tree)
//   list     vexhost list over 10,000 invoices next to grep -m1 -l
//
// Every run is checked to have done its whole job.  The measurements of
// one input run in rounds, back to back, so that a busy spell of a shared
// machine falls on the two sides of a ratio alike; rounds of different
// inputs are interleaved at random.  Afterwards callgrind counts
// the instructions of the import and the floor on the 10 MB invoices.
//
//   suite_bench [--quick] [--report=FOLDER] [--make-started=EPOCH_SECONDS]
//               [Google Benchmark options]
//
// --report writes FOLDER/BENCHMARKS.md and FOLDER/bench.png from the run
// (make bench gives docs); --quick runs small sizes only, to try the suite.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <unistd.h>

#include "Process.h"
#include "SuiteChecks.h"
#include "SuiteReport.h"
#include "SuiteWorkspace.h"

#ifndef EDIHAL_BENCH_SOURCE_DIR
#error "EDIHAL_BENCH_SOURCE_DIR must name the bench folder"
#endif

namespace {

using namespace bench;

// A build of the module measured inside one process by its importtime:
// the folder holding importtime and the module, and whether they are
// Windows programs to run under Wine.
struct BuildOption {
  std::string name;
  std::string folder;
  bool wine = false;
};

struct Options {
  bool quick = false;
  std::string report;
  double make_started = 0;
  std::vector<BuildOption> builds;
};

std::unique_ptr<Workspace> g_work;
Figures g_figures;
std::vector<std::string> g_problems;

std::string Stylesheet() {
  return std::string(EDIHAL_BENCH_SOURCE_DIR) + "/halvo-to-vex.xsl";
}

// One measured command: what it runs, on what, and how its result is
// checked after every run.
struct Measurement {
  std::string name;
  std::function<const InvoiceFile&()> input;  // null for the list
  std::function<std::vector<std::string>(const InvoiceFile*)> command;
  ProcessSetup setup;
  std::function<std::string(const InvoiceFile*)> check;
  // The file the command writes, removed before each run and untimed: a
  // command that opens an existing file for writing pays for truncating
  // it, and with runs interleaved that would be whatever the run before,
  // of any command, wrote there.
  std::string written;
  // Runs in every `every`-th round only (the peer, whose runs are long).
  int every = 1;
};

// Runs `measurement` once and records it; false (and the problem noted)
// when the run did not do its whole job.
bool RunOnce(const Measurement& measurement) {
  const InvoiceFile* input = measurement.input ? &measurement.input() : nullptr;
  const std::vector<std::string> command = measurement.command(input);
  Figure& figure = g_figures[measurement.name];
  if (input != nullptr) {
    figure.bytes = input->size.bytes;
    figure.blocks = input->size.blocks;
  }
  if (!measurement.written.empty()) ::unlink(measurement.written.c_str());
  const ProcessRun run = RunProcess(command, measurement.setup);
  std::string problem =
      run.status == 0 ? measurement.check(input) : "exit status " + std::to_string(run.status);
  if (!problem.empty()) {
    g_problems.push_back(measurement.name + ": " + problem);
    return false;
  }
  figure.seconds.push_back(run.seconds);
  figure.cpu_seconds.push_back(run.cpu_seconds);
  figure.peak_kib = std::max(figure.peak_kib, run.peak_kib);
  return true;
}

// One round runs every measurement of one input once, back to back, each
// round starting with the next one: the runs a ratio compares lie seconds
// apart at most, so a busy spell of the machine falls on both sides of it
// alike.  Rounds of different inputs are interleaved at random.
void RunRound(benchmark::State& state, const std::vector<Measurement>& measurements, int round) {
  const std::size_t count = measurements.size();
  double seconds = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Measurement& measurement = measurements[(static_cast<std::size_t>(round) + i) % count];
    if (round % measurement.every != 0) continue;
    if (!RunOnce(measurement)) {
      state.SkipWithError(g_problems.back().c_str());
      return;
    }
    seconds += g_figures[measurement.name].seconds.back();
  }
  state.SetIterationTime(seconds);
}

// The measurements of one input, `rounds` times.
void RegisterRounds(const std::string& name, std::vector<Measurement> measurements, int rounds) {
  auto next_round = std::make_shared<int>(0);
  benchmark::RegisterBenchmark(name.c_str(),
                               [measurements, next_round](benchmark::State& state) {
                                 for (auto _ : state) {
                                   RunRound(state, measurements, (*next_round)++);
                                 }
                               })
      ->UseManualTime()
      ->Iterations(1)
      ->Repetitions(rounds)
      ->ReportAggregatesOnly(true)
      ->Unit(benchmark::kMillisecond);
}

// Enough rounds for a steady median on a shared machine: a busy spell of
// a second or two may spoil a few of them, and with 15 the same ratio
// still moved by 15% from one report to the next.  Fewer where a run is
// long; the peer runs in every seventh round, five times in 31.
int RoundsFor(std::uint64_t approximate_bytes) {
  return approximate_bytes > 200000000 ? 5 : 31;
}
constexpr int kPeerEvery = 7;

// The measurements of one invoice, in rounds named `name`.
void RegisterInvoice(const std::string& name, const std::string& name_floor,
                     const std::string& name_reference, const std::string& name_module,
                     const std::string& name_categorised, const std::string& name_peer,
                     std::function<const InvoiceFile&()> input, std::uint64_t approximate_bytes,
                     bool with_categorised, bool with_peer) {
  Workspace& work = *g_work;
  const std::string output = work.PathOf("measured.txt");
  std::vector<Measurement> measurements;

  Measurement floor{name_floor, input, nullptr, {}, nullptr, output};
  floor.command = [](const InvoiceFile* invoice) {
    return std::vector<std::string>{BesideThisProgram("linefloor"), invoice->path};
  };
  floor.setup.output = output;
  floor.check = [output](const InvoiceFile* invoice) -> std::string {
    std::ifstream in(output);
    unsigned long long bytes = 0;
    in >> bytes;
    return bytes == 2 * invoice->size.bytes ? std::string() : "the floor did not read it all";
  };
  measurements.push_back(floor);

  if (!name_reference.empty()) {
    Measurement reference = floor;
    reference.name = name_reference;
    reference.command = [](const InvoiceFile* invoice) {
      return std::vector<std::string>{BesideThisProgram("linefloor"), "--std-getline",
                                      invoice->path};
    };
    measurements.push_back(reference);
  }

  Measurement module{name_module, input, nullptr, {}, nullptr, output};
  module.command = [output](const InvoiceFile* invoice) {
    g_work->ModuleDocument(*invoice);  // made once, before the first timed run
    return ImportCommand(output, invoice->path, false);
  };
  module.check = [output](const InvoiceFile* invoice) {
    return CompareFiles(g_work->ModuleDocument(*invoice), output);
  };
  measurements.push_back(module);

  if (with_categorised) {
    Measurement categorised{name_categorised, input, nullptr, {}, nullptr, output};
    categorised.command = [output](const InvoiceFile* invoice) {
      g_work->ModuleDocument(*invoice);
      return ImportCommand(output, invoice->path, true);
    };
    categorised.setup.folder = work.Folder();  // where the side files stand
    categorised.check = [output](const InvoiceFile* invoice) {
      return CheckCategorised(output, g_work->ModuleDocument(*invoice));
    };
    measurements.push_back(categorised);
  }

  if (with_peer) {
    Measurement peer{name_peer, input, nullptr, {}, nullptr, output};
    peer.command = [output](const InvoiceFile* invoice) {
      g_work->ModuleDocument(*invoice);
      return std::vector<std::string>{"xsltproc", "-o", output, Stylesheet(), invoice->path};
    };
    peer.check = [output](const InvoiceFile* invoice) {
      const std::string difference = CompareFiles(g_work->ModuleDocument(*invoice), output);
      return difference.empty() ? difference : "the peer's document " + difference;
    };
    peer.every = kPeerEvery;
    measurements.push_back(peer);
  }
  RegisterRounds(name, std::move(measurements), RoundsFor(approximate_bytes));
}

void RegisterList(unsigned files) {
  Workspace& work = *g_work;
  const std::string found = work.PathOf("grep.txt");
  Measurement list{kListName, nullptr, nullptr, {}, nullptr, {}};
  list.command = [files](const InvoiceFile*) {
    const ImportFolder& folder = g_work->ImportFolderOf(files);
    return std::vector<std::string>{BesideThisProgram("vexhost"),
                                    "--quiet",
                                    "--set",
                                    "KatalogImp=" + folder.folder,
                                    "--set",
                                    "ListaImp=wg zaw. katalogu",
                                    "--set",
                                    "PrefixImp=fv",
                                    "list",
                                    folder.list};
  };
  list.check = [files](const InvoiceFile*) -> std::string {
    // Every file listed with all four header values.
    const std::size_t complete =
        CountLines(g_work->ImportFolderOf(files).list,
                   "Dokument:", {"NrDok{FV/2024/", "Data{", "Wystawca{", "Nip{"});
    return complete == files ? std::string()
                             : std::to_string(complete) + " complete entries for " +
                                   std::to_string(files) + " files";
  };

  Measurement grep{kGrepName, nullptr, nullptr, {}, nullptr, {}};
  grep.command = [files](const InvoiceFile*) {
    const ImportFolder& folder = g_work->ImportFolderOf(files);
    std::vector<std::string> argv = {"grep", "-m1", "-l", "<szInvoiceIDPDF>"};
    argv.insert(argv.end(), folder.files.begin(), folder.files.end());
    return argv;
  };
  grep.setup.output = found;
  grep.check = [files, found](const InvoiceFile*) -> std::string {
    const std::size_t listed = CountLines(found, g_work->ImportFolderOf(files).folder);
    return listed == files ? std::string() : "grep missed files";
  };
  RegisterRounds("list", {list, grep}, 7);
}

void RegisterAll(const RunInfo& info) {
  for (const unsigned megabytes : info.megabytes) {
    for (const Encoding encoding : kEncodings) {
      RegisterInvoice(
          std::string("import/") + Label(encoding) + "/" + std::to_string(megabytes) + "MB",
          ImportName(encoding, megabytes, Kind::kFloor),
          ImportName(encoding, megabytes, Kind::kReference),
          ImportName(encoding, megabytes, Kind::kModule),
          ImportName(encoding, megabytes, Kind::kCategorised),
          ImportName(encoding, megabytes, Kind::kPeer),
          [encoding, megabytes]() -> const InvoiceFile& {
            return g_work->InvoiceOfMegabytes(encoding, megabytes);
          },
          megabytes * 1000000ull, true, true);
    }
  }
  for (const unsigned blocks : info.block_counts) {
    RegisterInvoice(
        "size/" + std::to_string(blocks) + "blocks", SizeName(blocks, Kind::kFloor), std::string(),
        SizeName(blocks, Kind::kModule), std::string(), SizeName(blocks, Kind::kPeer),
        [blocks]() -> const InvoiceFile& { return g_work->InvoiceOfBlocks(blocks); },
        blocks * 830ull, false, blocks <= 100000);
  }
  RegisterList(info.listed_files);
}

// The instructions callgrind counts for the whole process; 0 when it fails.
unsigned long long CountInstructions(const std::vector<std::string>& command,
                                     const ProcessSetup& setup = {}) {
  const std::string counts = g_work->PathOf("callgrind.out");
  std::vector<std::string> argv = {"valgrind", "--tool=callgrind",
                                   "--callgrind-out-file=" + counts};
  argv.insert(argv.end(), command.begin(), command.end());
  if (RunProcess(argv, setup).status != 0) return 0;
  std::ifstream in(counts);
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, 7, "totals:") == 0) return std::stoull(line.substr(7));
  }
  return 0;
}

Instructions CountAll(unsigned megabytes) {
  Instructions counted;
  const std::string document = g_work->PathOf("counted.txt");
  const InvoiceFile& empty = g_work->InvoiceOfBlocks(0);
  counted.empty_invoice = CountInstructions(ImportCommand(document, empty.path, false));
  for (const Encoding encoding : kEncodings) {
    const InvoiceFile& invoice = g_work->InvoiceOfMegabytes(encoding, megabytes);
    InstructionCount row;
    row.invoice = std::string(Label(encoding)) + ", " + std::to_string(megabytes) + " MB";
    row.bytes = invoice.size.bytes;
    row.module = CountInstructions(ImportCommand(document, invoice.path, false));
    ProcessSetup beside_side_files;
    beside_side_files.folder = g_work->Folder();
    row.categorised =
        CountInstructions(ImportCommand(document, invoice.path, true), beside_side_files);
    row.floor = CountInstructions({BesideThisProgram("linefloor"), invoice.path});
    row.peer = CountInstructions({"xsltproc", "-o", document, Stylesheet(), invoice.path});
    const double bytes = static_cast<double>(row.bytes);
    std::printf(
        "callgrind %-16s import %.1f (categorised %.1f), floor %.1f, peer %.1f "
        "instructions per byte\n",
        row.invoice.c_str(), static_cast<double>(row.module) / bytes,
        static_cast<double>(row.categorised) / bytes, static_cast<double>(row.floor) / bytes,
        static_cast<double>(row.peer) / bytes);
    counted.rows.push_back(row);
  }
  return counted;
}

// importtime's command for one invoice of one build.
std::vector<std::string> ImportTimeCommand(const BuildOption& build, const InvoiceFile& invoice,
                                           const std::string& output, int rounds,
                                           bool categorised) {
  std::vector<std::string> argv;
  if (build.wine) {
    argv = {"env",
            "LC_ALL=pl_PL.UTF-8",
            "WINEDEBUG=-all",
            "/usr/lib/wine/wine",
            build.folder + "/importtime.exe",
            build.folder + "/EdiHal_X.dll"};
  } else {
    argv = {build.folder + "/importtime", build.folder + "/libEdiHal_X.so"};
  }
  argv.insert(argv.end(), {invoice.path, output, std::to_string(rounds)});
  if (categorised) argv.push_back("categorised");
  return argv;
}

// The floor's and the import's medians of one importtime run, in
// milliseconds; the document is checked like every other run's.
std::pair<double, double> TimeInProcess(const BuildOption& build, const InvoiceFile& invoice,
                                        bool categorised) {
  const std::string output = g_work->PathOf("inprocess.txt");
  const std::string times = g_work->PathOf("inprocess-times.txt");
  ProcessSetup setup;
  setup.output = times;
  setup.folder = g_work->Folder();  // where the side files stand
  const int rounds = invoice.size.bytes > 50000000 ? 5 : 15;
  ::unlink(output.c_str());
  const ProcessRun run =
      RunProcess(ImportTimeCommand(build, invoice, output, rounds, categorised), setup);
  const std::string& expected = g_work->ModuleDocument(invoice);
  const std::string problem = run.status != 0 ? "exit status " + std::to_string(run.status)
                              : categorised   ? CheckCategorised(output, expected)
                                              : CompareFiles(expected, output);
  if (!problem.empty()) throw std::runtime_error(build.name + " importtime: " + problem);
  std::ifstream in(times);
  double floor = 0, import = 0;
  if (!(in >> floor >> import)) throw std::runtime_error(build.name + " importtime: no times");
  return {floor, import};
}

// Every build, inside one process, on the 10 and 100 MB invoices; and the
// instructions of each build that valgrind can follow.
std::vector<BuildFigures> MeasureBuilds(const std::vector<BuildOption>& builds,
                                        const RunInfo& info) {
  std::vector<BuildFigures> measured;
  for (const BuildOption& build : builds) {
    BuildFigures figures;
    figures.name = build.name;
    std::printf("in one process: %s\n", build.name.c_str());
    for (const unsigned megabytes : info.megabytes) {
      if (megabytes < 10) continue;
      for (const Encoding encoding : kEncodings) {
        const InvoiceFile& invoice = g_work->InvoiceOfMegabytes(encoding, megabytes);
        const std::string label =
            std::string(Label(encoding)) + ", " + std::to_string(megabytes) + " MB";
        InProcess& row = figures.invoices[label];
        std::tie(row.floor, row.module) = TimeInProcess(build, invoice, false);
        row.categorised = TimeInProcess(build, invoice, true).second;
        std::printf("  %-16s floor %8.2f ms  import %8.2f ms  categorised %8.2f ms\n",
                    label.c_str(), row.floor, row.module, row.categorised);
        if (megabytes == 10 && !build.wine) {
          const unsigned long long counted = CountInstructions(ImportCommand(
              g_work->PathOf("counted.txt"), invoice.path, false, build.folder + "/vexhost"));
          figures.instructions_per_byte[label] =
              static_cast<double>(counted) / static_cast<double>(invoice.size.bytes);
        }
      }
    }
    measured.push_back(figures);
  }
  return measured;
}

// Takes the suite's own options out of argv.
Options ParseOptions(int& argc, char** argv) {
  Options options;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quick") {
      options.quick = true;
    } else if (arg.compare(0, 9, "--report=") == 0) {
      options.report = arg.substr(9);
    } else if (arg.compare(0, 15, "--make-started=") == 0) {
      options.make_started = std::atof(arg.c_str() + 15);
    } else if (arg.compare(0, 8, "--build=") == 0) {
      // NAME:FOLDER or NAME:FOLDER:wine
      const std::string value = arg.substr(8);
      const std::size_t first = value.find(':');
      const std::size_t second = value.find(':', first + 1);
      BuildOption build;
      build.name = value.substr(0, first);
      build.folder =
          value.substr(first + 1, second == std::string::npos ? second : second - first - 1);
      build.wine = second != std::string::npos && value.substr(second + 1) == "wine";
      options.builds.push_back(build);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return options;
}

bool HasFlag(int argc, char** argv, const char* flag) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  RunInfo info;
  info.suite_started = EpochSeconds();
  info.make_started = options.make_started;
  info.load_at_start = LoadAverage();
  info.megabytes = options.quick ? std::vector<unsigned>{1} : std::vector<unsigned>{1, 10, 100};
  info.block_counts = options.quick ? std::vector<unsigned>{100, 1000, 10000}
                                    : std::vector<unsigned>{100, 1000, 10000, 100000, 1000000};
  info.listed_files = options.quick ? 300 : 10000;

  // Interleaved runs unless asked otherwise.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  if (!HasFlag(argc, argv, "--benchmark_enable_random_interleaving")) {
    args.push_back(&interleave[0]);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

  for (const char* tool : {"xsltproc", "grep"}) {
    if (!InPath(tool)) {
      std::fprintf(stderr, "suite_bench: %s is missing (apt-get install xsltproc)\n", tool);
      return 2;
    }
  }
  int status = 0;
  try {
    g_work = std::make_unique<Workspace>();
    RegisterAll(info);
    benchmark::RunSpecifiedBenchmarks();
    for (const std::string& problem : g_problems) {
      std::fprintf(stderr, "suite_bench: %s\n", problem.c_str());
    }
    if (!g_problems.empty()) throw std::runtime_error("some runs did not do their job");
    // The rounds' own times above add up whole rounds; these are the
    // measurements' medians the report's ratios are made of.
    for (const auto& [name, figure] : g_figures) {
      std::printf("median %-36s %9.2f ms wall %9.2f ms cpu  (%zu runs)\n", name.c_str(),
                  figure.Median() * 1000, figure.MedianCpu() * 1000, figure.seconds.size());
    }
    if (!options.report.empty()) {
      if (!InPath("valgrind")) throw std::runtime_error("valgrind is missing");
      if (!InPath("gnuplot")) throw std::runtime_error("gnuplot is missing");
      const Instructions instructions = CountAll(options.quick ? 1 : 10);
      std::vector<BuildOption> builds = {{"native", BesideThisProgram("."), false}};
      builds.insert(builds.end(), options.builds.begin(), options.builds.end());
      const std::vector<BuildFigures> measured = MeasureBuilds(builds, info);
      const std::vector<std::string> missed =
          WriteReport(options.report, std::string(EDIHAL_BENCH_SOURCE_DIR) + "/BENCHMARKS.md.in",
                      g_work->Folder(), g_figures, instructions, measured, info);
      std::printf("wrote %s/BENCHMARKS.md and %s/bench.png\n", options.report.c_str(),
                  options.report.c_str());
      // The bounds guard against getting slower: a missed one fails the run.
      for (const std::string& target : missed) {
        std::fprintf(stderr, "suite_bench: target missed: %s\n", target.c_str());
      }
      if (!missed.empty()) status = 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "suite_bench: %s\n", error.what());
    status = 1;
  }
  g_work.reset();
  benchmark::Shutdown();
  return status;
}
