#include "SuiteReport.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "Process.h"

namespace bench {

namespace {

constexpr double kMiB = 1024.0;

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Three significant digits or so, whatever the size.
std::string Number(double value) {
  if (value >= 100) return Format("%.0f", value);
  if (value >= 10) return Format("%.1f", value);
  return Format("%.2f", value);
}

std::string Ratio(double value) {
  return Format(value >= 10 ? "%.0f\xC3\x97" : "%.2f\xC3\x97", value);  // U+00D7
}

const Figure* Find(const Figures& figures, const std::string& name) {
  const auto found = figures.find(name);
  return found != figures.end() && found->second.Measured() ? &found->second : nullptr;
}

std::string Throughput(const Figure* figure) {
  return figure != nullptr ? Number(figure->MegabytesPerSecond()) : "\xE2\x80\x93";  // en dash
}

// How many times longer `slow` ran than `fast`.
std::string TimeRatio(const Figure* slow, const Figure* fast) {
  return slow != nullptr && fast != nullptr ? Ratio(slow->Median() / fast->Median())
                                            : "\xE2\x80\x93";
}

// The same for wall time and, in brackets, for processor time, which a busy
// machine disturbs less.
std::string TimeRatios(const Figure* slow, const Figure* fast) {
  if (slow == nullptr || fast == nullptr) return "\xE2\x80\x93";
  return Ratio(slow->Median() / fast->Median()) + " (" +
         Ratio(slow->MedianCpu() / fast->MedianCpu()) + ")";
}

std::string Peak(const Figure* figure) {
  return figure != nullptr ? Format("%.1f", static_cast<double>(figure->peak_kib) / kMiB)
                           : "\xE2\x80\x93";
}

std::string FirstMatching(const std::string& path, const std::string& key) {
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, key.size(), key) == 0) return line.substr(key.size());
  }
  return std::string();
}

std::string Unquoted(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  const std::size_t start = text.find_first_not_of(" \t:");
  return start == std::string::npos ? std::string() : text.substr(start);
}

std::string MachineTable(const RunInfo& info) {
  utsname system{};
  ::uname(&system);
  const double memory_kib = std::atof(Unquoted(FirstMatching("/proc/meminfo", "MemTotal")).c_str());
  std::ostringstream out;
  out << "| | |\n|---|---|\n"
      << "| CPU | " << Unquoted(FirstMatching("/proc/cpuinfo", "model name")) << ", "
      << ::sysconf(_SC_NPROCESSORS_ONLN) << " cores |\n"
      << "| Memory | " << Format("%.1f", memory_kib / kMiB / kMiB) << " GiB |\n"
      << "| System | " << Unquoted(FirstMatching("/etc/os-release", "PRETTY_NAME=")) << ", "
      << system.sysname << ' ' << system.release << ' ' << system.machine << " |\n"
      << "| Compiler | GCC " << __VERSION__
      << "; every build with the shipped module's flags (-O2): presets `release`, `release32`, "
         "`release-win32` (MinGW-w64 i686, no SSE2) |\n"
      << "| Peer | " << FirstLineOf({"xsltproc", "--version"}) << " |\n"
      << "| Tools | " << FirstLineOf({"grep", "--version"}) << "; "
      << FirstLineOf({"valgrind", "--version"}) << "; " << FirstLineOf({"gnuplot", "--version"})
      << " |\n"
      << "| Load average | " << info.load_at_start << " at the start, " << LoadAverage()
      << " at the end (1, 5 and 15 minutes) |\n";
  return out.str();
}

std::string RunText(const RunInfo& info) {
  const double now = EpochSeconds();
  char date[64];
  const std::time_t started = static_cast<std::time_t>(info.suite_started);
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M UTC", std::gmtime(&started));
  std::ostringstream out;
  out << "Written by `make bench` on " << date << "; every figure comes from that one run. ";
  if (info.make_started > 0) {
    out << "`make bench` took " << Format("%.0f", now - info.make_started)
        << " s up to writing this report: "
        << Format("%.0f", info.suite_started - info.make_started)
        << " s to build and run the micro-benchmarks, then "
        << Format("%.0f", now - info.suite_started) << " s for this suite.";
  } else {
    out << "The suite took " << Format("%.0f", now - info.suite_started) << " s.";
  }
  return out.str();
}

std::string ImportTable(const Figures& figures, const RunInfo& info) {
  std::ostringstream out;
  out << "| invoice | blocks | floor MB/s | module MB/s | module \xC3\xB7 floor "
         "| categorised MB/s | on \xC3\xB7 off | peer MB/s | peer \xC3\xB7 module "
         "| peak MiB: floor / module / categorised / peer |\n"
      << "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n";
  for (const unsigned megabytes : info.megabytes) {
    for (const Encoding encoding : kEncodings) {
      const Figure* floor = Find(figures, ImportName(encoding, megabytes, Kind::kFloor));
      const Figure* module = Find(figures, ImportName(encoding, megabytes, Kind::kModule));
      const Figure* on = Find(figures, ImportName(encoding, megabytes, Kind::kCategorised));
      const Figure* peer = Find(figures, ImportName(encoding, megabytes, Kind::kPeer));
      out << "| " << DeclaredName(encoding) << ", " << megabytes << " MB | "
          << (module != nullptr ? std::to_string(module->blocks) : "") << " | " << Throughput(floor)
          << " | " << Throughput(module) << " | " << TimeRatios(module, floor) << " | "
          << Throughput(on) << " | " << TimeRatios(on, module) << " | " << Throughput(peer) << " | "
          << TimeRatio(peer, module) << " | " << Peak(floor) << " / " << Peak(module) << " / "
          << Peak(on) << " / " << Peak(peer) << " |\n";
    }
  }
  return out.str();
}

std::string SizeTable(const Figures& figures, const RunInfo& info) {
  std::ostringstream out;
  out << "| blocks | MB | floor MB/s | module MB/s | module \xC3\xB7 floor | peer MB/s "
         "| peer \xC3\xB7 module | peak MiB: floor / module / peer |\n"
      << "|--:|--:|--:|--:|--:|--:|--:|--:|\n";
  for (const unsigned blocks : info.block_counts) {
    const Figure* floor = Find(figures, SizeName(blocks, Kind::kFloor));
    const Figure* module = Find(figures, SizeName(blocks, Kind::kModule));
    const Figure* peer = Find(figures, SizeName(blocks, Kind::kPeer));
    out << "| " << blocks << " | "
        << (module != nullptr ? Format("%.2f", static_cast<double>(module->bytes) / 1e6) : "")
        << " | " << Throughput(floor) << " | " << Throughput(module) << " | "
        << TimeRatios(module, floor) << " | " << Throughput(peer) << " | "
        << TimeRatio(peer, module) << " | " << Peak(floor) << " / " << Peak(module) << " / "
        << Peak(peer) << " |\n";
  }
  return out.str();
}

std::string ListTable(const Figures& figures, const RunInfo& info) {
  const Figure* list = Find(figures, kListName);
  const Figure* grep = Find(figures, kGrepName);
  std::ostringstream out;
  out << "| command | files | median ms | \xC3\xB7 grep | peak MiB |\n|---|--:|--:|--:|--:|\n";
  const auto row = [&](const char* command, const Figure* figure) {
    out << "| " << command << " | " << info.listed_files << " | "
        << (figure != nullptr ? Number(figure->Median() * 1000) : "\xE2\x80\x93") << " | "
        << TimeRatios(figure, grep) << " | " << Peak(figure) << " |\n";
  };
  row("`vexhost list` (directory mode)", list);
  row("`grep -m1 -l '<szInvoiceIDPDF>'`", grep);
  return out.str();
}

std::string InstructionTable(const Instructions& counted) {
  std::ostringstream out;
  out << "| invoice | import: instructions | per byte | per byte beyond the empty invoice "
         "| categorised \xC3\xB7 import | floor: per byte | peer: per byte "
         "| import \xC3\xB7 floor | peer \xC3\xB7 import |\n"
      << "|---|--:|--:|--:|--:|--:|--:|--:|--:|\n";
  for (const InstructionCount& row : counted.rows) {
    const double bytes = static_cast<double>(row.bytes);
    const auto module = static_cast<double>(row.module);
    out << "| " << row.invoice << " | " << row.module << " | " << Format("%.1f", module / bytes)
        << " | " << Format("%.1f", static_cast<double>(row.module - counted.empty_invoice) / bytes)
        << " | " << Ratio(static_cast<double>(row.categorised) / module) << " | "
        << Format("%.1f", static_cast<double>(row.floor) / bytes) << " | "
        << Format("%.1f", static_cast<double>(row.peer) / bytes) << " | "
        << Ratio(module / static_cast<double>(row.floor)) << " | "
        << Ratio(static_cast<double>(row.peer) / module) << " |\n";
  }
  out << "\nThe import of an invoice without blocks (process start, loading the module, the "
         "header records) counts "
      << counted.empty_invoice << " instructions.\n";
  return out.str();
}

// The figures of the 10 and 100 MB invoices that the import targets judge.
std::string TenMegabyteTable(const Figures& figures, const Instructions& counted) {
  std::ostringstream out;
  out << "| invoice | import: instructions per byte | module \xC3\xB7 floor, wall (CPU) "
         "| std::getline reader \xC3\xB7 floor | peer \xC3\xB7 module, wall |\n"
      << "|---|--:|--:|--:|--:|\n";
  for (const unsigned megabytes : {10u, 100u}) {
    for (const Encoding encoding : kEncodings) {
      const InstructionCount* count = nullptr;
      for (const InstructionCount& row : counted.rows) {
        if (megabytes == 10 &&
            row.invoice.compare(0, std::strlen(Label(encoding)), Label(encoding)) == 0) {
          count = &row;
        }
      }
      const Figure* floor = Find(figures, ImportName(encoding, megabytes, Kind::kFloor));
      const Figure* module = Find(figures, ImportName(encoding, megabytes, Kind::kModule));
      const Figure* peer = Find(figures, ImportName(encoding, megabytes, Kind::kPeer));
      const Figure* reference = Find(figures, ImportName(encoding, megabytes, Kind::kReference));
      if (module == nullptr) continue;
      out << "| " << DeclaredName(encoding) << ", " << megabytes << " MB | "
          << (count != nullptr ? Format("%.1f", static_cast<double>(count->module) /
                                                    static_cast<double>(count->bytes))
                               : "\xE2\x80\x93")
          << " | " << TimeRatios(module, floor) << " | " << TimeRatio(reference, floor) << " | "
          << TimeRatio(peer, module) << " |\n";
    }
  }
  return out.str();
}

// Every build measured in one process: the medians and their ratios.
std::string BuildsTable(const std::vector<BuildFigures>& builds) {
  std::ostringstream out;
  out << "| build | invoice | floor ms | import ms | import \xC3\xB7 floor | categorised ms "
         "| on \xC3\xB7 off | instructions per byte |\n"
      << "|---|---|--:|--:|--:|--:|--:|--:|\n";
  for (const BuildFigures& build : builds) {
    for (const auto& [label, row] : build.invoices) {
      const auto counted = build.instructions_per_byte.find(label);
      out << "| " << build.name << " | " << label << " | " << Number(row.floor) << " | "
          << Number(row.module) << " | " << Ratio(row.module / row.floor) << " | "
          << Number(row.categorised) << " | " << Ratio(row.categorised / row.module) << " | "
          << (counted != build.instructions_per_byte.end() ? Format("%.1f", counted->second)
                                                           : "\xE2\x80\x93")
          << " |\n";
    }
  }
  return out.str();
}

// One row of the targets table: the figure and whether it meets the bound.
struct Verdict {
  std::string figure;
  bool measured = false;
  bool met = true;
};

void Judge(Verdict& verdict, const std::string& label, double value, bool met) {
  if (!verdict.figure.empty()) verdict.figure += ", ";
  verdict.figure += label + " " + Ratio(value);
  verdict.measured = true;
  verdict.met = verdict.met && met;
}

std::string TargetRow(const std::string& target, const Verdict& verdict,
                      std::vector<std::string>& missed) {
  if (verdict.measured && !verdict.met) missed.push_back(target + ": " + verdict.figure);
  return "| " + target + " | " + (verdict.measured ? verdict.figure : "not measured") + " | " +
         (!verdict.measured ? "\xE2\x80\x93"
          : verdict.met     ? "met"
                            : "**missed**") +
         " |\n";
}

// The bounds each build must hold: they guard against getting slower, with
// room for the spells of a shared machine.  The import against the floor
// depends on the build: the DLL under Wine pays for Wine's byte-at-a-time
// memchr, as the floor beside it does not.
double FloorBound(const std::string& build) {
  if (build == "linux32") return 5.0;
  if (build == "DLL-under-Wine") return 7.5;
  return 3.0;
}
constexpr double kPeerBound = 8;
constexpr double kCategorisedBound = 1.5;  // on the 100 MB invoices

std::string Bound(double bound) {
  return Format("%g", bound) + "\xC3\x97";
}

// The targets of one build measured in one process: import within its
// floor bound on 10 and 100 MB, categorisation within its bound on 100 MB.
std::string BuildTargetRows(const BuildFigures& build, std::vector<std::string>& missed) {
  Verdict floor, categorised;
  const double bound = FloorBound(build.name);
  for (const auto& [label, row] : build.invoices) {
    if (row.floor > 0) Judge(floor, label, row.module / row.floor, row.module / row.floor <= bound);
    if (row.module > 0 && label.find(", 100 MB") != std::string::npos) {
      const double ratio = row.categorised / row.module;
      Judge(categorised, label, ratio, ratio <= kCategorisedBound);
    }
  }
  return TargetRow(build.name + ", in one process: import within " + Bound(bound) + " the floor",
                   floor, missed) +
         TargetRow(build.name + ", in one process: categorisation on within " +
                       Bound(kCategorisedBound) + " of off, 100 MB",
                   categorised, missed);
}

std::string TargetTable(const Figures& figures, const RunInfo& info, const Instructions& counted,
                        const std::vector<BuildFigures>& builds, std::vector<std::string>& missed) {
  const double floor_bound = FloorBound("native");
  Verdict floor, peer, categorised, list, memory, instructions;
  for (const unsigned megabytes : {10u, 100u}) {
    for (const Encoding encoding : kEncodings) {
      const std::string where = std::string(Label(encoding)) + " " + std::to_string(megabytes);
      const Figure* f = Find(figures, ImportName(encoding, megabytes, Kind::kFloor));
      const Figure* m = Find(figures, ImportName(encoding, megabytes, Kind::kModule));
      const Figure* p = Find(figures, ImportName(encoding, megabytes, Kind::kPeer));
      if (f != nullptr && m != nullptr) {
        const double ratio = m->Median() / f->Median();
        Judge(floor, where, ratio, ratio <= floor_bound);
      }
      if (p != nullptr && m != nullptr) {
        const double ratio = p->Median() / m->Median();
        Judge(peer, where, ratio, ratio >= kPeerBound);
      }
    }
  }
  for (const InstructionCount& row : counted.rows) {
    const double per_byte = static_cast<double>(row.module) / static_cast<double>(row.bytes);
    if (!instructions.figure.empty()) instructions.figure += ", ";
    instructions.figure += row.invoice + " " + Format("%.1f", per_byte);
    instructions.measured = true;
  }
  // 100 MB in each encoding.  On smaller invoices, reading the side files
  // once an import weighs more; the throughput table shows it.
  for (const Encoding encoding : kEncodings) {
    double worst = 0;
    std::string where;
    for (const unsigned megabytes : {100u}) {
      const Figure* m = Find(figures, ImportName(encoding, megabytes, Kind::kModule));
      const Figure* c = Find(figures, ImportName(encoding, megabytes, Kind::kCategorised));
      if (m == nullptr || c == nullptr) continue;
      const double ratio = c->Median() / m->Median();
      if (ratio > worst) {
        worst = ratio;
        where = std::string(Label(encoding)) + " " + std::to_string(megabytes) + " MB";
      }
    }
    if (worst > 0) Judge(categorised, where, worst, worst <= kCategorisedBound);
  }
  const Figure* l = Find(figures, kListName);
  const Figure* g = Find(figures, kGrepName);
  if (l != nullptr && g != nullptr) {
    const double ratio = l->Median() / g->Median();
    Judge(list, "", ratio, ratio <= 1.5);
  }
  // Peak memory of the largest invoice against the smallest, each kind.
  const auto flat = [&](const std::string& label, const Figure* small, const Figure* large) {
    if (small == nullptr || large == nullptr) return;
    const double ratio =
        static_cast<double>(large->peak_kib) / static_cast<double>(small->peak_kib);
    if (!memory.figure.empty()) memory.figure += ", ";
    memory.figure += label + " " + Format("%.1f", static_cast<double>(small->peak_kib) / kMiB) +
                     " \xE2\x86\x92 " +
                     Format("%.1f", static_cast<double>(large->peak_kib) / kMiB) + " MiB";
    memory.measured = true;
    memory.met = memory.met && ratio <= 1.1;
  };
  if (!info.block_counts.empty()) {
    flat("module " + std::to_string(info.block_counts.front()) + " \xE2\x86\x92 " +
             std::to_string(info.block_counts.back()) + " blocks:",
         Find(figures, SizeName(info.block_counts.front(), Kind::kModule)),
         Find(figures, SizeName(info.block_counts.back(), Kind::kModule)));
  }
  if (!info.megabytes.empty()) {
    flat("categorised " + std::to_string(info.megabytes.front()) + " \xE2\x86\x92 " +
             std::to_string(info.megabytes.back()) + " MB:",
         Find(figures,
              ImportName(Encoding::kWindows1250, info.megabytes.front(), Kind::kCategorised)),
         Find(figures,
              ImportName(Encoding::kWindows1250, info.megabytes.back(), Kind::kCategorised)));
  }
  std::string table = "| target | figure in this run | |\n|---|---|---|\n";
  table += TargetRow("native, whole processes: import within " + Bound(floor_bound) +
                         " the floor's time, 10 and 100 MB",
                     floor, missed);
  table += TargetRow("native, whole processes: import at least " + Bound(kPeerBound) +
                         " faster than the peer, 10 and 100 MB",
                     peer, missed);
  table += TargetRow("native, whole processes: categorisation on within " +
                         Bound(kCategorisedBound) + " the time of off, 100 MB",
                     categorised, missed);
  for (const BuildFigures& build : builds) table += BuildTargetRows(build, missed);
  table += TargetRow("selection list within 1.5\xC3\x97 the time of grep", list, missed);
  table += TargetRow("peak memory flat in the invoice size (within 10%)", memory, missed);
  instructions.met = true;
  table += TargetRow("instructions per byte, native, 10 MB (reported; the builds below too)",
                     instructions, missed);
  return table;
}

// Throughput for gnuplot, "-" when not measured.
std::string PlotValue(const Figure* figure) {
  return figure != nullptr ? Format("%.3f", figure->MegabytesPerSecond()) : "-";
}

void DrawPlot(const std::string& png, const std::string& scratch, const Figures& figures,
              const RunInfo& info) {
  const std::string data = scratch + "/plot.dat", script = scratch + "/plot.gp";
  {
    std::ofstream out(data);
    out << "# MB floor module peer (MB/s)\n";
    for (const unsigned blocks : info.block_counts) {
      const Figure* module = Find(figures, SizeName(blocks, Kind::kModule));
      if (module == nullptr) continue;
      out << static_cast<double>(module->bytes) / 1e6 << ' '
          << PlotValue(Find(figures, SizeName(blocks, Kind::kFloor))) << ' ' << PlotValue(module)
          << ' ' << PlotValue(Find(figures, SizeName(blocks, Kind::kPeer))) << '\n';
    }
  }
  {
    std::ofstream out(script);
    out << "set terminal pngcairo size 900,560 noenhanced\n"
        << "set output '" << png << "'\n"
        << "set title 'Import throughput against invoice size (Windows-1250, categorisation "
           "off, whole processes)'\n"
        << "set xlabel 'invoice size (MB)'\nset ylabel 'throughput (MB/s)'\n"
        << "set logscale xy\nset grid\nset key top left\nset datafile missing '-'\n"
        << "plot '" << data << "' using 1:2 with linespoints lw 2 title 'floor: read twice, "
        << "line by line', '' using 1:3 with linespoints lw 2 title 'vexhost import (the module)', "
        << "'' using 1:4 with linespoints lw 2 title 'peer: xsltproc'\n";
  }
  if (RunProcess({"gnuplot", script}).status != 0 || ::access(png.c_str(), R_OK) != 0) {
    throw std::runtime_error("gnuplot could not draw " + png);
  }
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Fill(std::string& text, const std::string& key, const std::string& value) {
  const std::string marker = "@" + key + "@";
  const std::size_t at = text.find(marker);
  if (at == std::string::npos) throw std::runtime_error("the report template lacks " + marker);
  text.replace(at, marker.size(), value);
}

}  // namespace

double MedianOf(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Figure::Median() const {
  return MedianOf(seconds);
}

double Figure::MedianCpu() const {
  return MedianOf(cpu_seconds);
}

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kFloor:
      return "floor";
    case Kind::kModule:
      return "module";
    case Kind::kCategorised:
      return "categorised";
    case Kind::kReference:
      return "std-getline";
    default:
      return "peer";
  }
}

std::string ImportName(Encoding encoding, unsigned megabytes, Kind kind) {
  return "import/" + std::string(Label(encoding)) + "/" + std::to_string(megabytes) + "MB/" +
         KindName(kind);
}

std::string SizeName(unsigned blocks, Kind kind) {
  return "size/" + std::to_string(blocks) + "blocks/" + KindName(kind);
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

double EpochSeconds() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::vector<std::string> WriteReport(const std::string& folder, const std::string& template_path,
                                     const std::string& scratch, const Figures& figures,
                                     const Instructions& instructions,
                                     const std::vector<BuildFigures>& builds, const RunInfo& info) {
  std::vector<std::string> missed;
  std::string text = ReadWhole(template_path);
  Fill(text, "TARGETS", TargetTable(figures, info, instructions, builds, missed));
  Fill(text, "BUILDS", BuildsTable(builds));
  Fill(text, "IMPORT", ImportTable(figures, info));
  Fill(text, "SIZES", SizeTable(figures, info));
  Fill(text, "LIST", ListTable(figures, info));
  Fill(text, "INSTRUCTIONS", InstructionTable(instructions));
  Fill(text, "AFTER", TenMegabyteTable(figures, instructions));
  DrawPlot(folder + "/bench.png", scratch, figures, info);
  Fill(text, "MACHINE", MachineTable(info));
  Fill(text, "RUN", RunText(info));
  std::ofstream out(folder + "/BENCHMARKS.md", std::ios::binary);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + folder + "/BENCHMARKS.md");
  return missed;
}

}  // namespace bench
