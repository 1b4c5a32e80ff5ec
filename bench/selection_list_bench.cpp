// The import selection list over a large import folder: `vexhost list` in
// directory mode next to `grep -m1 -l '<szInvoiceIDPDF>'` over the same
// files, both as whole processes with a warm cache, in the same run.
//
// The folder is made in a temporary place and removed afterwards:
// EDIHAL_BENCH_FILES invoices (10,000 unless set) of about 200 KB, each
// with its invoice number within the first 2 KB, as the wholesaler writes
// them.  After the runs the ratio of the medians is printed.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr std::size_t kInvoiceSize = 200 * 1024;

struct Setup {
  std::string root;    // temporary folder
  std::string folder;  // the import folder inside it
  std::string list;    // the list file vexhost writes
  std::string vexhost;
  std::vector<std::string> files;
};
Setup g_setup;

std::string HeadOf(int number) {
  const std::string n = std::to_string(number);
  return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
         "<Invoice>\r\n"
         "  <InvoiceHeader>\r\n"
         "    <szDocumentType>VAT</szDocumentType>\r\n"
         "    <szDate>20240131</szDate>\r\n"
         "    <szSaleDate>20240130</szSaleDate>\r\n"
         "    <szPaymentForm>przelew</szPaymentForm>\r\n"
         "    <szPaymentDate>20240214</szPaymentDate>\r\n"
         "    <szHeadOfficePartyAddressDescription>Hurtownia Spo\xBFywcza Halvo Sp. z o.o. "
         "Oddzia\xB3 P\xF3\xB3noc</szHeadOfficePartyAddressDescription>\r\n"
         "    <szHeadOfficeStreet>ul. Magazynowa 12</szHeadOfficeStreet>\r\n"
         "    <szHeadOfficeCity>Pozna\xF1</szHeadOfficeCity>\r\n"
         "    <szHeadOfficeCompanyTaxNmbr>526-000-12-34</szHeadOfficeCompanyTaxNmbr>\r\n"
         "    <szBuyerDescription>Sklep Ma\xB3y " +
         n +
         "</szBuyerDescription>\r\n"
         "    <szBuyerCompanyTaxNmbr>777-111-22-33</szBuyerCompanyTaxNmbr>\r\n"
         "    <szInvoiceIDPDF>FV/" +
         n +
         "/01/2024</szInvoiceIDPDF>\r\n"
         "  </InvoiceHeader>\r\n"
         "  <InvoiceLines>\r\n";
}

// Line blocks up to the invoice size; the same for every file.
std::string Body() {
  std::string body;
  for (int i = 1; body.size() < kInvoiceSize; ++i) {
    const std::string n = std::to_string(i);
    body += "    <Line>\r\n      <iLineNumber>" + n +
            "</iLineNumber>\r\n      <szProductCode>59012345" + n +
            "</szProductCode>\r\n      <szProductName>Mas\xB3o extra 200 g</szProductName>\r\n"
            "      <szUnit>szt</szUnit>\r\n      <dQuantity>12.000</dQuantity>\r\n"
            "      <dNetPrice>6.49</dNetPrice>\r\n      <szVatSymbol>A</szVatSymbol>\r\n"
            "      <dNetValue>77.88</dNetValue>\r\n    </Line>\r\n";
  }
  return body + "  </InvoiceLines>\r\n</Invoice>\r\n";
}

void WriteWhole(const std::string& path, const std::string& a, const std::string& b) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) throw std::runtime_error("cannot write " + path);
  const bool ok = ::write(fd, a.data(), a.size()) == static_cast<ssize_t>(a.size()) &&
                  ::write(fd, b.data(), b.size()) == static_cast<ssize_t>(b.size());
  ::close(fd);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

std::string BesideThisProgram(const std::string& name) {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) throw std::runtime_error("cannot find this program");
  std::string path(self, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1) + name;
}

void MakeFolder(int count) {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base ? base : "/tmp") + "/edihal-bench-XXXXXX";
  if (::mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("no temporary folder");
  g_setup.root = pattern;
  g_setup.folder = pattern + "/imp";
  g_setup.list = pattern + "/lista.txt";
  ::mkdir(g_setup.folder.c_str(), 0755);
  const std::string body = Body();
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "fv%05d.xml", i);
    const std::string path = g_setup.folder + "/" + name;
    WriteWhole(path, HeadOf(i), body);
    g_setup.files.push_back(path);
  }
}

void RemoveFolder() {
  for (const std::string& file : g_setup.files) ::unlink(file.c_str());
  ::unlink(g_setup.list.c_str());
  ::rmdir(g_setup.folder.c_str());
  ::rmdir(g_setup.root.c_str());
}

// Runs `argv` with its output going to `out` (or nowhere) and returns its
// exit status.
int Spawn(const std::vector<std::string>& argv, const char* out = "/dev/null") {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int error = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + argv[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> VexhostList() {
  return {g_setup.vexhost, "--quiet",
          "--set",         "KatalogImp=" + g_setup.folder,
          "--set",         "ListaImp=wg zaw. katalogu",
          "--set",         "PrefixImp=fv",
          "list",          g_setup.list};
}

std::vector<std::string> GrepFirst() {
  std::vector<std::string> argv = {"grep", "-m1", "-l", "<szInvoiceIDPDF>"};
  argv.insert(argv.end(), g_setup.files.begin(), g_setup.files.end());
  return argv;
}

std::size_t CountLines(const std::string& path, const std::string& start) {
  std::ifstream file(path);
  std::size_t count = 0;
  for (std::string line; std::getline(file, line);)
    count += line.compare(0, start.size(), start) == 0;
  return count;
}

// Both commands once, checking that they do the full job; this also warms
// the cache for the timed runs.
void CheckAndWarm() {
  const std::size_t count = g_setup.files.size();
  if (Spawn(VexhostList()) != 0) throw std::runtime_error("vexhost list failed");
  if (CountLines(g_setup.list, "Dokument:") != count) throw std::runtime_error("entries missing");
  const std::string found = g_setup.root + "/grep.txt";
  if (Spawn(GrepFirst(), found.c_str()) != 0) throw std::runtime_error("grep failed");
  if (CountLines(found, g_setup.folder) != count) throw std::runtime_error("grep missed files");
  ::unlink(found.c_str());
}

void BM_VexhostList(benchmark::State& state) {
  const std::vector<std::string> argv = VexhostList();
  for (auto _ : state) {
    if (Spawn(argv) != 0) state.SkipWithError("vexhost list failed");
  }
  state.counters["files"] = static_cast<double>(g_setup.files.size());
}

void BM_GrepFirstMatch(benchmark::State& state) {
  const std::vector<std::string> argv = GrepFirst();
  for (auto _ : state) {
    if (Spawn(argv) != 0) state.SkipWithError("grep failed");
  }
  state.counters["files"] = static_cast<double>(g_setup.files.size());
}

BENCHMARK(BM_VexhostList)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);
BENCHMARK(BM_GrepFirstMatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);

// Keeps the median time of each benchmark for the ratio.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medians;  // benchmark name -> ms

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const char* wanted = std::getenv("EDIHAL_BENCH_FILES");
  const int count = wanted != nullptr && std::atoi(wanted) > 0 ? std::atoi(wanted) : 10000;
  g_setup.vexhost = BesideThisProgram("vexhost");
  std::printf("making %d invoices of %zu KB ...\n", count, kInvoiceSize / 1024);
  std::fflush(stdout);
  int status = 0;
  try {
    MakeFolder(count);
    CheckAndWarm();
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double list = reporter.medians["BM_VexhostList"];
    const double grep = reporter.medians["BM_GrepFirstMatch"];
    if (list > 0 && grep > 0) {
      std::printf("\nvexhost list %.1f ms, grep %.1f ms over %d files: %.2fx grep (target 1.5x)\n",
                  list, grep, count, list / grep);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "selection_list_bench: %s\n", error.what());
    status = 1;
  }
  RemoveFolder();
  benchmark::Shutdown();
  return status;
}
