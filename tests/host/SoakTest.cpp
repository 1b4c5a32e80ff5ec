// Ten thousand mixed calls in one process through the shipped module:
// imports with and without categorisation, selection lists, export
// pre-steps and refusals, and failing calls.  After them the process holds
// what it held after the first hundred: the same open files (handles under
// Windows) and, on Linux, the same resident memory give or take allocator
// slack.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "Footprint.h"
#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::SourcePath;
using testing_support::TempFolder;
using testing_support::WriteFile;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

struct Resources {
  long handles;         // open descriptors, or handles under Windows
  long resident_bytes;  // -1 where not measured
};

Resources Measure() {
  return {testing_support::OpenHandles(), static_cast<long>(testing_support::ResidentBytes())};
}

std::string Block(const std::string& name) {
  return "<ART_SALE>\r\n<szDescription>" + name +
         "</szDescription>\r\n<dQuantityEntry>1</dQuantityEntry>\r\n"
         "<lMerchandiseStructureID>10</lMerchandiseStructureID>\r\n"
         "<lMerchandiseGroupID>101</lMerchandiseGroupID>\r\n"
         "<lMerchandiseSubGroupID>1011</lMerchandiseSubGroupID>\r\n</ART_SALE>\r\n";
}

class Soak {
 public:
  Soak() : host_(testing_support::ReleaseModule()), here_(folder_.Path()) {
    for (const char* name : {"FV_2024_03_0142_cp1250", "FV_2024_03_0150_utf8"}) {
      WriteFile(folder_.File(std::string("fv") + name + ".xml"),
                ReadFile(SourcePath(std::string("examples/") + name + ".xml")));
    }
    WriteFile(folder_.File("kat.xml"), Block("Woda") + Block("Sok"));
    WriteFile(folder_.File("Przypisanie.txt"), "10\t101\t1011\tA01\r\n");
    WriteFile(folder_.File("Kategoryzacja.txt"), "Klucz\tNazwa\t\r\nA01\tNapoje\t\r\n");
    AnswerLikeAShop(host_);
    host_.Answer("KatalogImp", folder_.Path());
    host_.Answer("PrefixImp", "fv");
    host_.Answer("ListaImp", "wg zaw. katalogu");
    host_.Answer("KatalogExp", folder_.Path());
    host_.Answer("PrefixExp", "EX");
    host_.Answer("ListaExp", "Tak");
    host_.Answer("NumeracjaExp", "Kolejny");
  }

  // One call of kind `i` modulo 8; false when it did not do what it must.
  bool Call(int i) {
    host_.ClearEvents();
    const std::string output = folder_.File("dok.txt");
    const std::string missing = folder_.File("brak") + testing_support::kSeparator + "dok.txt";
    host_.Answer("CzyKategoryzacja", i % 8 == 1 ? "Tak" : "Nie");
    switch (i % 8) {
      case 0:
        return Import(output, folder_.File("fvFV_2024_03_0142_cp1250.xml")) == 1;
      case 1:
        return Import(output, folder_.File("kat.xml")) == 1 &&
               ReadFile(output).find("Napoje") != std::string::npos;
      case 2:
        return host_.Api().EdiUtworzListeWyboruImportu(host_.Library(), i,
                                                       folder_.File("lista.txt").c_str()) == 1;
      case 3: {
        char path[EDIHAL_BUFFER_SIZE] = "";
        char filter[EDIHAL_BUFFER_SIZE] = "";
        char prompt[EDIHAL_BUFFER_SIZE] = "";
        int32_t flag = 0;
        return host_.Api().EdiPrzedEksportem(host_.Library(), i, path, filter, prompt, &flag) == 1;
      }
      case 4:
        return Import(output, folder_.File("brak.xml")) == 0 &&
               host_.TextsOf(EDIHAL_CB_ERROR).size() == 1;
      case 5:
        return Import(missing, folder_.File("kat.xml")) == 0 &&
               host_.TextsOf(EDIHAL_CB_ERROR).size() == 1;
      case 6:
        return Import(output, folder_.File("fvFV_2024_03_0150_utf8.xml")) == 1;
      default:
        // Refused with a message, as every export of a document is.
        return host_.Api().EdiEksportujDokument(host_.Library(), i, "a", "b") == 1 &&
               host_.TextsOf(EDIHAL_CB_MESSAGE).size() == 1;
    }
  }

 private:
  int32_t Import(const std::string& output, const std::string& invoice) {
    return host_.Api().EdiImportujDokument(host_.Library(), 9, output.c_str(), invoice.c_str());
  }

  TempFolder folder_;
  RecordingHost host_;
  testing_support::CurrentFolder here_;
};

TEST(Soak, ThousandsOfMixedCallsKeepHandlesAndMemory) {
  Soak soak;
  constexpr int kWarmUp = 100;
#if defined(__i386__)
  // 32-bit programs run emulated on the test machines, ten times slower;
  // the full count runs natively and under 64-bit Wine.
  constexpr int kCalls = 2000;
#else
  constexpr int kCalls = 10000;
#endif
  std::map<int, int> failures;  // by kind of call
  for (int i = 0; i < kWarmUp; ++i) failures[i % 8] += soak.Call(i) ? 0 : 1;
  const Resources warm = Measure();
  for (int i = kWarmUp; i < kCalls; ++i) failures[i % 8] += soak.Call(i) ? 0 : 1;
  const Resources end = Measure();

  for (const auto& [kind, count] : failures) EXPECT_EQ(0, count) << "calls of kind " << kind;
  EXPECT_EQ(warm.handles, end.handles);
  std::printf("after %d calls: %ld handles, %ld bytes resident; after %d: %ld, %ld\n", kWarmUp,
              warm.handles, warm.resident_bytes, kCalls, end.handles, end.resident_bytes);
  // AddressSanitizer keeps freed memory in quarantine: no measure there.
  if (warm.resident_bytes > 0 && !kSanitized) {
    // Leaking even one small block per call would add far more than this.
    EXPECT_LT(end.resident_bytes - warm.resident_bytes, 512 * 1024);
  }
}

}  // namespace
