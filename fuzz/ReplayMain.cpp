// Runs a fuzz target over stored inputs, for builds without libFuzzer: each
// argument is a file or a folder of files under the source tree (its path
// relative to the tree's root).  Every input is named before it runs, so a
// crash names the input that caused it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> Inputs(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
  } else {
    inputs.push_back(path);
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path root(testing_support::SourcePath(argv[i]));
    if (!std::filesystem::exists(root)) {
      std::fprintf(stderr, "no input at %s\n", root.string().c_str());
      return 1;
    }
    for (const auto& path : Inputs(root)) {
      std::printf("%s\n", path.filename().string().c_str());
      std::fflush(stdout);
      std::ifstream file(path, std::ios::binary);
      const std::string read{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
      // In a buffer of exactly its size, as libFuzzer hands an input over:
      // a string's terminating NUL would hide a read one byte too far.
      const std::vector<std::uint8_t> bytes(read.begin(), read.end());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++count;
    }
  }
  std::printf("%d inputs ran\n", count);
  return count > 0 ? 0 : 1;
}
