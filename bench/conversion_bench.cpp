// Throughput of the character conversions on a 10 MB text of Polish
// product names, next to a plain memcpy of the same bytes (the floor).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "charsets/AnsiCodePage.h"
#include "charsets/Iso88592.h"
#include "charsets/PolishLetters.h"

namespace {

constexpr std::size_t kSize = 10 * 1024 * 1024;

// Windows-1250 text: "Żółć gęśla jaźń, ŁÓDŹ 12,50 zł" and ASCII around it,
// about one Polish letter in five bytes, as in real product names.
std::string PolishText() {
  const std::string phrase =
      "Linia:Nazwa{\xAF\xF3\xB3\xE6 g\xEA\x9Cla ja\x9F\xF1, \xA3\xD3"
      "D\x8F 12,50 z\xB3}\r\n";
  std::string text;
  text.reserve(kSize + phrase.size());
  while (text.size() < kSize) text += phrase;
  text.resize(kSize);
  return text;
}

const std::string& Windows1250Text() {
  static const std::string text = PolishText();
  return text;
}

const std::string& Utf8Text() {
  static const std::string text = edihal::AnsiToUtf8(Windows1250Text());
  return text;
}

void BM_Memcpy(benchmark::State& state) {
  const std::string& source = Windows1250Text();
  std::string target(source.size(), '\0');
  for (auto _ : state) {
    std::memcpy(&target[0], source.data(), source.size());
    benchmark::DoNotOptimize(target.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void BM_ConvertCharSet_0_to_3(benchmark::State& state) {
  const std::string& source = Windows1250Text();
  for (auto _ : state) {
    std::string text = source;
    edihal::ConvertCharSet(text, 0, 3);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void BM_ConvertCharSet_7_to_0(benchmark::State& state) {
  const std::string& source = Utf8Text();
  for (auto _ : state) {
    std::string text = source;
    edihal::ConvertCharSet(text, 7, 0);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void BM_Iso88592ToWin1250(benchmark::State& state) {
  const std::string& source = Windows1250Text();
  for (auto _ : state) {
    std::string text = source;
    edihal::iso88592::ToWindows1250(text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertCharSet_0_to_3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertCharSet_7_to_0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iso88592ToWin1250)->Unit(benchmark::kMillisecond);

}  // namespace
