// The import inside one process, next to the read floor inside the same
// process: for a build whose processes cannot be compared whole (the DLL
// under Wine, where starting a Windows program costs far more than
// importing a 10 MB invoice), and for every build alike.  Loads the module
// the way the host does and, in each round, reads the invoice twice with
// the floor's reader (1 MiB blocks, every line end found with memchr) and
// imports it once, alternately.  Prints the medians in milliseconds.
//
//   importtime MODULE INVOICE OUTPUT ROUNDS [categorised]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "LoadedModule.h"

namespace {

bool g_categorised = false;

int32_t EDIHAL_STDCALL Answer(EdiHalHostValue, EdiHalHostValue, const char* name, char* answer) {
  const std::string asked = name;
  const char* value = "";
  if (asked == "CzyKategoryzacja") value = g_categorised ? "Tak" : "Nie";
  if (asked == "StawkaA") value = "23";
  if (asked == "StawkaB") value = "8";
  if (asked == "StawkaC") value = "5";
  if (asked == "StawkaD") value = "0";
  if (asked == "StawkaG") value = "ZW";
  std::strcpy(answer, value);
  return 1;
}

int32_t EDIHAL_STDCALL Fail(EdiHalHostValue, EdiHalHostValue, const char* text) {
  std::fprintf(stderr, "importtime: the module failed: %s\n", text);
  std::exit(1);
}

// The floor: the bytes of two readings, every line end found.
long long ReadTwice(const char* path, std::vector<char>& buffer) {
  long long total = 0, lines = 0;
  for (int pass = 0; pass < 2; ++pass) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return -1;
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0;) {
      total += static_cast<long long>(got);
      const char* end = buffer.data() + got;
      for (const char* at = buffer.data();
           (at = static_cast<const char*>(std::memchr(at, '\n', end - at))) != nullptr; ++at) {
        ++lines;
      }
    }
    std::fclose(file);
  }
  return lines > 0 ? total : -1;
}

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: importtime MODULE INVOICE OUTPUT ROUNDS [categorised]\n");
    return 2;
  }
  g_categorised = argc == 6;
  std::string error;
  const auto module = hostkit::LoadedModule::Load(argv[1], error);
  if (!module) {
    std::fprintf(stderr, "importtime: %s\n", error.c_str());
    return 2;
  }
  const hostkit::ModuleApi& api = module->Api();
  EdiHalLibrary library = api.RejestrujBiblioteke(1, 0, 0, 0);
  api.RejestrujCallback(library, reinterpret_cast<void*>(Answer), EDIHAL_CB_PARAMETER_VALUE);
  api.RejestrujCallback(library, reinterpret_cast<void*>(Fail), EDIHAL_CB_ERROR);
  std::vector<char> buffer(1 << 20);
  std::vector<double> floor, import;
  const int rounds = std::atoi(argv[4]);
  for (int round = 0; round < rounds; ++round) {
    const auto started = std::chrono::steady_clock::now();
    if (ReadTwice(argv[2], buffer) < 0) return 1;
    const auto read = std::chrono::steady_clock::now();
    std::remove(argv[3]);
    const auto removed = std::chrono::steady_clock::now();
    if (api.EdiImportujDokument(library, round, argv[3], argv[2]) != 1) return 1;
    const auto imported = std::chrono::steady_clock::now();
    floor.push_back(Milliseconds(read - started));
    import.push_back(Milliseconds(imported - removed));
  }
  api.ZwolnijBiblioteke(library);
  std::printf("%.3f %.3f\n", Median(floor), Median(import));
  return 0;
}
