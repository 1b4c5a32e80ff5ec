// What keeping the host's x87 control word costs an import: one import of
// the example invoice through the worker, beside the control-word switches
// that one import makes (the export's scope and one per callback; the
// example asks the host six parameters).  The ratio of the two is the
// guard's share of an import.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "EdiHal_X.h"
#include "host/LibraryObject.h"
#include "import/ImportInvoiceDocument.h"
#include "platform/FpuControl.h"
#include "platform/Platform.h"

namespace {

constexpr int kCallbacksPerImport = 6;

int32_t EDIHAL_STDCALL Answer(EdiHalHostValue, EdiHalHostValue, const char* name, char* answer) {
  std::strcpy(answer, std::strcmp(name, "CzyKategoryzacja") == 0 ? "Nie" : "23");
  return 0;
}

void BM_ImportOfTheExample(benchmark::State& state) {
  edihal::TVEXBibliotekaEDI library(1);
  library.RegisterCallback(reinterpret_cast<void*>(Answer), EDIHAL_CB_PARAMETER_VALUE);
  const std::string invoice = EDIHAL_BENCH_SOURCE_DIR "/../examples/FV_2024_03_0142_cp1250.xml";
  const std::string output = "fpu_bench_dokument.txt";
  for (auto _ : state) {
    const edihal::ModuleFpuScope fpu;
    library.BeginCall(1, fpu.CallerWord());
    edihal::ImportInvoiceDocument(library, edihal::SystemPlatform(), output, invoice);
  }
  std::remove(output.c_str());
}

void BM_ControlWordSwitchesOfOneImport(benchmark::State& state) {
  for (auto _ : state) {
    const edihal::ModuleFpuScope fpu;
    for (int i = 0; i < kCallbacksPerImport; ++i) {
      const edihal::HostFpuScope host(fpu.CallerWord());
      benchmark::ClobberMemory();
    }
  }
}

BENCHMARK(BM_ImportOfTheExample);
BENCHMARK(BM_ControlWordSwitchesOfOneImport);

}  // namespace
