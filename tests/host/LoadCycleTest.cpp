// A host may load and free the module many times in one process.  A
// thousand rounds of loading a copy of the shipped module, registering a
// library object, importing an invoice, releasing the object (or not) and
// freeing the module leave the process as they found it: the same number
// of handles (open files on Linux), the same address space give or take a
// page or two, and the x87 control word untouched.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "Footprint.h"
#include "LoadedModule.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"
#include "platform/FpuControl.h"

namespace {

using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::SourcePath;
using testing_support::TempFolder;
using testing_support::WriteFile;

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's quarantine and shadow memory grow on their own, and it
// reports the objects a host forgets as the host's leak, rightly.
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

constexpr int kRounds = 1000;
constexpr std::uint16_t kHostWord = 0x1332;
constexpr int kSettlingRounds = 10;
// What the last 990 rounds may add to the address space: allocator slack,
// not a leak per round.
constexpr std::int64_t kAddressSpaceSlack = 256 * 1024;

struct Footprint {
  long handles = 0;
  std::int64_t address_space = 0;
};

Footprint Measure() {
  return {testing_support::OpenHandles(), testing_support::AddressSpaceBytes()};
}

class HeavyLoadCycles : public testing::Test {
 protected:
  HeavyLoadCycles() {
    // A copy under a name of its own, so that freeing it unloads it even
    // while this program keeps the shipped module loaded for other tests.
    copy = folder.File(hostkit::ModuleFileName("EdiHal_X_cykl"));
    WriteFile(copy, ReadFile(hostkit::BesideExecutable(hostkit::ModuleFileName("EdiHal_X"))));
    invoice = SourcePath("examples/FV_2024_03_0142_cp1250.xml");
    expected = ReadFile(SourcePath("examples/expected/FV_2024_03_0142_cp1250.txt"));
    output = folder.File("dokument.txt");
  }

  // One round: load, register, import, release unless told not to, free;
  // loading and freeing with a real host's control word, which they keep.
  void Round(bool release) {
    std::string error;
    const std::uint16_t own = edihal::ReadControlWord();
    edihal::LoadControlWord(kHostWord);
    std::unique_ptr<hostkit::LoadedModule> module = hostkit::LoadedModule::Load(copy, error);
    const std::uint16_t after_loading = edihal::ReadControlWord();
    edihal::LoadControlWord(own);
    ASSERT_TRUE(module) << error;
    ASSERT_EQ(kHostWord & edihal::kControlWordBits, after_loading & edihal::kControlWordBits)
        << "loading the module changed the control word";
    {
      // The callbacks check that they get the host's word.
      const testing_support::HostControlWordScope as_host(kHostWord);
      edihal::LoadControlWord(kHostWord);
      Work(module->Api(), release);
      const std::uint16_t after_work = edihal::ReadControlWord();
      edihal::LoadControlWord(own);
      ASSERT_EQ(kHostWord & edihal::kControlWordBits, after_work & edihal::kControlWordBits);
    }
    edihal::LoadControlWord(kHostWord);
    module.reset();
    const std::uint16_t after_freeing = edihal::ReadControlWord();
    edihal::LoadControlWord(own);
    ASSERT_EQ(kHostWord & edihal::kControlWordBits, after_freeing & edihal::kControlWordBits)
        << "freeing the module changed the control word";
  }

  void Work(const hostkit::ModuleApi& api, bool release) {
    if (release) {
      RecordingHost host(api);
      AnswerLikeAShop(host);
      ASSERT_EQ(1, api.EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str()));
      ASSERT_EQ(expected, ReadFile(output));
    } else {
      // The host forgets its object; the module goes all the same.
      const EdiHalLibrary library = api.RejestrujBiblioteke(1, 0, 0, 0);
      ASSERT_EQ(1, api.EdiImportujDokument(library, 1, output.c_str(), invoice.c_str()));
    }
  }

  void ExpectFlat(bool release) {
    const std::uint16_t word = edihal::ReadControlWord();
    for (int round = 0; round < kSettlingRounds; ++round) Round(release);
    const Footprint settled = Measure();
    for (int round = kSettlingRounds; round < kRounds && !HasFatalFailure(); ++round) {
      Round(release);
    }
    const Footprint after = Measure();
    EXPECT_EQ(settled.handles, after.handles) << "handles after round 10 and after " << kRounds;
    if (!kSanitized) {
      EXPECT_LE(after.address_space - settled.address_space, kAddressSpaceSlack)
          << "address space after round 10: " << settled.address_space << ", after " << kRounds
          << ": " << after.address_space;
    }
    EXPECT_EQ(word & edihal::kControlWordBits,
              edihal::ReadControlWord() & edihal::kControlWordBits);
    std::printf(
        "%s: after round %d %ld handles, %lld bytes of address space; after round %d "
        "%ld handles, %lld bytes\n",
        release ? "released" : "unreleased", kSettlingRounds, settled.handles,
        static_cast<long long>(settled.address_space), kRounds, after.handles,
        static_cast<long long>(after.address_space));
  }

  TempFolder folder;
  std::string copy, invoice, expected, output;
};

TEST_F(HeavyLoadCycles, WithTheLibraryObjectReleased) {
  ExpectFlat(true);
}

TEST_F(HeavyLoadCycles, WithTheLibraryObjectLeftUnreleased) {
  if (kSanitized) GTEST_SKIP() << "the forgotten objects are the host's leak";
  ExpectFlat(false);
}

}  // namespace
