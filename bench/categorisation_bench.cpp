// Categorisation with large side files.  An import of a 10,000-block
// invoice with categorisation on, every block found in a "Przypisanie.txt"
// of 100,000 lines, next to the same import with categorisation off
// (BM_Import/categorised:1 against /categorised:0); and its two parts
// alone: loading and indexing the side files, and looking up the 10,000
// blocks.  Run with --benchmark_repetitions=10
// --benchmark_enable_random_interleaving=true on a busy machine.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "InvoiceGenerator.h"
#include "host/LibraryObject.h"
#include "import/ImportInvoiceDocument.h"
#include "import/categorise/Categorisation.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kBlocks = 10000;
constexpr unsigned kAssignmentLines = 100000;
constexpr unsigned kAssortments = 500;

// A folder holding the invoice and both side files, made once and made
// the current folder, where the import looks for the side files.
class Workspace {
 public:
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "edihal-bench-XXXXXX").string();
    if (::mkdtemp(&pattern[0]) == nullptr) std::abort();
    folder_ = pattern;
    bench::WriteInvoiceBlocks(Invoice(), kBlocks);
    // Every tenth line assigns one block of the invoice, the last block on
    // the last line; the lines between hold structures the invoice never
    // uses.
    std::ofstream assignments(folder_ / "Przypisanie.txt", std::ios::binary);
    for (unsigned i = 0; i < kAssignmentLines; ++i) {
      const unsigned block = i / 10 + 1;
      if (i % 10 == 9) {
        assignments << bench::StructureOf(block) << '\t' << bench::GroupOf(block) << '\t'
                    << bench::SubgroupOf(block) << "\tK" << block % kAssortments << "\r\n";
      } else {
        assignments << 20 + i % 50 << '\t' << i % 37 << '\t' << i << "\tK" << i % kAssortments
                    << "\r\n";
      }
    }
    std::ofstream assortments(folder_ / "Kategoryzacja.txt", std::ios::binary);
    assortments << "Klucz\tNazwa\tUwagi\r\n";
    for (unsigned k = 0; k < kAssortments; ++k) {
      assortments << 'K' << k << "\tAsortyment " << k << "\t\r\n";
    }
    assignments.close();
    assortments.close();
    fs::current_path(folder_);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(folder_, ignored);
  }
  std::string Invoice() const { return (folder_ / "invoice.xml").string(); }
  std::string Output() const { return (folder_ / "dokument.txt").string(); }

 private:
  fs::path folder_;
};

const Workspace& Files() {
  static const Workspace workspace;
  return workspace;
}

bool g_categorised = false;

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                       char* answer) {
  const char* value = "";
  if (std::strcmp(name, "CzyKategoryzacja") == 0) value = g_categorised ? "Tak" : "Nie";
  if (std::strncmp(name, "Stawka", 6) == 0) value = "23";
  std::strcpy(answer, value);
  return 1;
}

void BM_Import(benchmark::State& state) {
  const Workspace& files = Files();
  g_categorised = state.range(0) != 0;
  edihal::TVEXBibliotekaEDI library(1);
  library.RegisterCallback(reinterpret_cast<void*>(AnswerParameter), EDIHAL_CB_PARAMETER_VALUE);
  for (auto _ : state) {
    edihal::ImportInvoiceDocument(library, edihal::SystemPlatform(), files.Output(),
                                  files.Invoice());
  }
  // Every block found: no record without its assortment.
  std::ifstream document(files.Output(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(document)),
                         std::istreambuf_iterator<char>());
  if (g_categorised && text.find("Asortyment{}") != std::string::npos) {
    state.SkipWithError("a block was not found in the side files");
  }
  state.SetItemsProcessed(state.iterations() * kBlocks);
}
BENCHMARK(BM_Import)->ArgName("categorised")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The library object the dialog would run as the host's code with; every
// block is found, so no dialog is shown.
const edihal::TVEXBibliotekaEDI& Host() {
  static const edihal::TVEXBibliotekaEDI library(1);
  return library;
}

// The indexes are built on the first lookup that needs them: one lookup
// is part of loading here.
void BM_LoadAndIndexSideFiles(benchmark::State& state) {
  Files();
  for (auto _ : state) {
    const auto categorisation = edihal::Categorisation::Load(edihal::SystemPlatform(), Host());
    benchmark::DoNotOptimize(categorisation->AssortmentFor(
        bench::StructureOf(kBlocks), bench::GroupOf(kBlocks), bench::SubgroupOf(kBlocks), "x"));
  }
}
BENCHMARK(BM_LoadAndIndexSideFiles)->Unit(benchmark::kMillisecond);

void BM_LookUpBlocks(benchmark::State& state) {
  Files();
  const auto categorisation = edihal::Categorisation::Load(edihal::SystemPlatform(), Host());
  categorisation->AssortmentFor(bench::StructureOf(1), bench::GroupOf(1), bench::SubgroupOf(1),
                                "x");
  for (auto _ : state) {
    for (unsigned block = 1; block <= kBlocks; ++block) {
      std::string assortment = categorisation->AssortmentFor(
          bench::StructureOf(block), bench::GroupOf(block), bench::SubgroupOf(block), "Towar");
      if (assortment.empty()) state.SkipWithError("a block was not found");
      benchmark::DoNotOptimize(assortment);
    }
  }
  state.SetItemsProcessed(state.iterations() * kBlocks);
}
BENCHMARK(BM_LookUpBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
