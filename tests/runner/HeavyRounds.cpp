// Every case again, the way a host lives with the module for days: all of
// them many times in one process, and each in a copy of the module loaded
// for it alone and freed afterwards (a host may load and free a plug-in
// many times).  Every round must give what the case expects, and the
// process must end holding what it held after the first round: the same
// handles (open files on Linux), the same memory give or take allocator
// slack, and the x87 control word a host of its own loaded it with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "CaseText.h"
#include "ControlWord.h"
#include "Footprint.h"
#include "RealHost.h"
#include "TestFiles.h"
#include "platform/FpuControl.h"

namespace testing_support {

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's quarantine and shadow memory grow on their own, and it
// reports the objects a host forgets as the host's leak, rightly.
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

#if defined(__i386__) && !defined(_WIN32)
// 32-bit programs run emulated on the test machines, ten times slower.
constexpr int kRounds = 4;
constexpr int kLoadRounds = 1;
#elif defined(_WIN32)
constexpr int kRounds = 6;
constexpr int kLoadRounds = 2;
#else
constexpr int kRounds = 30;
constexpr int kLoadRounds = 4;
#endif

// Where Wine runs in a virtual machine (tools/test-all.sh sets
// EDIHAL_HEAVY_SAMPLE), every program step costs many times more: there
// the rounds take every fourth case, twice; wherever the programs run
// natively, all of them.
const bool kSampled = std::getenv("EDIHAL_HEAVY_SAMPLE") != nullptr;

int Rounds(int full) {
  return kSampled ? std::min(full, 2) : full;
}

// The cases of the rounds, without those that arm a test hook on request.
std::vector<CaseFolder> RoundCases(bool without_hooks) {
  std::vector<CaseFolder> cases;
  std::size_t seen = 0;
  for (const CaseFolder& folder : AllCases()) {
    if (without_hooks && folder.hooks) continue;
    if (!kSampled || seen++ % 4 == 0) cases.push_back(folder);
  }
  return cases;
}

// What the rounds after the first may add: allocator slack, not a leak per
// round (which would add several times this).
constexpr std::int64_t kSlack = 512 * 1024;
constexpr std::uint16_t kHostWord = 0x1332;

struct Held {
  long handles;
  std::int64_t address_space;
  std::int64_t resident;  // -1 where not measured
};

Held Measure() {
  return {OpenHandles(), AddressSpaceBytes(), ResidentBytes()};
}

void ExpectAsHeld(const Held& first, const Held& last, const char* what) {
  std::printf("%s: handles %ld, %ld; address space %lld, %lld; resident %lld, %lld\n", what,
              first.handles, last.handles, static_cast<long long>(first.address_space),
              static_cast<long long>(last.address_space), static_cast<long long>(first.resident),
              static_cast<long long>(last.resident));
  EXPECT_EQ(first.handles, last.handles) << what;
  if (kSanitized) return;
  EXPECT_LE(last.address_space - first.address_space, kSlack) << what;
  EXPECT_LE(last.resident - first.resident, kSlack) << what;  // -1 - -1 where not measured
}

// The control word's bits after `step`, run with the host's word loaded.
template <typename Step>
std::uint16_t WordAfter(Step step) {
  const ControlWordScope as_host(kHostWord);
  step();
  return edihal::ReadControlWord() & edihal::kControlWordBits;
}

// A copy of the shipped module under a name of its own, so that freeing it
// unloads it while this program keeps the shipped one loaded.
class ModuleCopy {
 public:
  ModuleCopy() : path_(folder_.File(hostkit::ModuleFileName("EdiHal_X_cykl"))) {
    WriteFile(path_, ReadFile(hostkit::BesideExecutable(hostkit::ModuleFileName("EdiHal_X"))));
  }

  // Loads the copy, runs `folder` in it, and frees it; a host that forgets
  // its library object leaves one behind, which must not keep the module.
  void Run(const CaseFolder& folder, bool forget_an_object) {
    std::unique_ptr<hostkit::LoadedModule> module;
    std::string error;
    const auto load = [&] { module = hostkit::LoadedModule::Load(path_, error); };
    ASSERT_EQ(kHostWord & edihal::kControlWordBits, WordAfter(load)) << "loading";
    ASSERT_TRUE(module) << error;
    {
      const HostControlWordScope as_host(kHostWord);
      const hostkit::ModuleApi api = LikeRealHost(module->Api(), 2);
      RunCase(folder, &api);
      if (forget_an_object) api.RejestrujBiblioteke(1, 0, 0, 0);
    }
    const auto free = [&] { module.reset(); };
    EXPECT_EQ(kHostWord & edihal::kControlWordBits, WordAfter(free)) << "freeing";
    // Nothing the module made, a library object forgotten included, keeps
    // it loaded once the host has freed it.
    EXPECT_FALSE(ModuleLoaded(path_)) << folder.Label() << " left the module loaded";
  }

 private:
  TempFolder folder_;
  std::string path_;
};

TEST(HeavyRounds, EveryCaseAgainInOneProcess) {
  if (g_update) GTEST_SKIP() << "--update rewrites each case once";
  const std::vector<CaseFolder> cases = RoundCases(false);
  for (const CaseFolder& folder : cases) RunCase(folder);
  const Held first = Measure();
  for (int round = 1; round < Rounds(kRounds) && !HasFailure(); ++round) {
    for (const CaseFolder& folder : cases) RunCase(folder);
  }
  ExpectAsHeld(first, Measure(), "every case again");
}

TEST(HeavyRounds, EveryCaseInAModuleLoadedForItAlone) {
  if (g_update) GTEST_SKIP() << "--update rewrites each case once";
  const std::vector<CaseFolder> cases = RoundCases(true);
  ModuleCopy copy;
  const std::uint16_t word = edihal::ReadControlWord();
  for (const CaseFolder& folder : cases) copy.Run(folder, false);
  const Held first = Measure();
  for (int round = 1; round < Rounds(kLoadRounds) && !HasFailure(); ++round) {
    for (std::size_t i = 0; i < cases.size() && !HasFatalFailure(); ++i) {
      copy.Run(cases[i], !kSanitized && i % 2 == 1);
    }
  }
  ExpectAsHeld(first, Measure(), "every case in a module of its own");
  EXPECT_EQ(word & edihal::kControlWordBits, edihal::ReadControlWord() & edihal::kControlWordBits);
}

}  // namespace

}  // namespace testing_support
