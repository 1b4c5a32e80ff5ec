// Categorisation with large side files: loading and indexing a
// "Przypisanie.txt" of 100,000 lines, and looking up 10,000 line blocks
// that are all found in it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "import/Categorisation.h"

namespace {

constexpr int kAssignments = 100000;
constexpr int kAssortments = 500;
constexpr int kBlocks = 10000;

// The numbers of assignment line i: every triple is different.
std::string Structure(int i) {
  return std::to_string(100 + i / 1000);
}
std::string Group(int i) {
  return std::to_string(i / 10 % 100);
}
std::string Subgroup(int i) {
  return std::to_string(i % 10);
}

// A folder holding both side files, made once and made current.
class SideFolder {
 public:
  SideFolder() {
    char pattern[] = "/tmp/edihal-bench-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    std::ofstream assignments(folder_ + "/Przypisanie.txt", std::ios::binary);
    for (int i = 0; i < kAssignments; ++i) {
      assignments << Structure(i) << '\t' << Group(i) << '\t' << Subgroup(i) << "\tK"
                  << i % kAssortments << "\r\n";
    }
    std::ofstream assortments(folder_ + "/Kategoryzacja.txt", std::ios::binary);
    assortments << "Klucz\tNazwa\tUwagi\r\n";
    for (int k = 0; k < kAssortments; ++k) {
      assortments << 'K' << k << "\tAsortyment " << k << "\t\r\n";
    }
    if (::chdir(folder_.c_str()) != 0) std::abort();
  }
  ~SideFolder() {
    std::remove((folder_ + "/Przypisanie.txt").c_str());
    std::remove((folder_ + "/Kategoryzacja.txt").c_str());
    ::rmdir(folder_.c_str());
  }

 private:
  std::string folder_;
};

const SideFolder& Folder() {
  static const SideFolder folder;
  return folder;
}

void BM_LoadSideFiles(benchmark::State& state) {
  Folder();
  for (auto _ : state) {
    benchmark::DoNotOptimize(edihal::Categorisation::Load(edihal::SystemPlatform()));
  }
}
BENCHMARK(BM_LoadSideFiles)->Unit(benchmark::kMillisecond);

void BM_CategoriseBlocks(benchmark::State& state) {
  Folder();
  const auto categorisation = edihal::Categorisation::Load(edihal::SystemPlatform());
  for (auto _ : state) {
    for (int block = 0; block < kBlocks; ++block) {
      // Spread over the whole file, the last lines included.
      const int i = (block * 7919) % kAssignments;
      std::string assortment =
          categorisation->AssortmentFor(Structure(i), Group(i), Subgroup(i), "Towar");
      if (assortment.empty()) state.SkipWithError("a block was not found");
      benchmark::DoNotOptimize(assortment);
    }
  }
  state.SetItemsProcessed(state.iterations() * kBlocks);
}
BENCHMARK(BM_CategoriseBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
