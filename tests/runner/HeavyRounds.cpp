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
#include <memory>
#include <string>

#include "Cases.h"
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

// What the rounds after the first may add: allocator slack, not a leak per
// round (which would add several times this).
constexpr std::int64_t kSlack = 512 * 1024;
constexpr std::uint16_t kHostWord = 0x1332;

struct Held {
  long handles = 0;
  std::int64_t address_space = 0;
  std::int64_t resident = 0;  // -1 where not measured
};

Held Measure() {
  return {OpenHandles(), AddressSpaceBytes(), ResidentBytes()};
}

void ExpectAsHeld(const Held& first, const Held& last, const char* what) {
  EXPECT_EQ(first.handles, last.handles) << what;
  std::printf(
      "%s: %ld handles, %lld bytes of address space, %lld resident after the first; "
      "%ld, %lld, %lld after the last\n",
      what, first.handles, static_cast<long long>(first.address_space),
      static_cast<long long>(first.resident), last.handles,
      static_cast<long long>(last.address_space), static_cast<long long>(last.resident));
  if (kSanitized) return;
  EXPECT_LE(last.address_space - first.address_space, kSlack) << what;
  if (first.resident > 0) {
    EXPECT_LE(last.resident - first.resident, kSlack) << what;
  }
}

// The control word's bits after `step`, run with the host's word loaded.
template <typename Step>
std::uint16_t WordAfter(Step step) {
  const std::uint16_t own = edihal::ReadControlWord();
  edihal::LoadControlWord(kHostWord);
  step();
  const std::uint16_t after = edihal::ReadControlWord();
  edihal::LoadControlWord(own);
  return after & edihal::kControlWordBits;
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
  }

 private:
  TempFolder folder_;
  std::string path_;
};

TEST(HeavyRounds, EveryCaseAgainInOneProcess) {
  if (g_update) GTEST_SKIP() << "--update rewrites each case once";
  const std::vector<CaseFolder> cases = AllCases();
  for (const CaseFolder& folder : cases) RunCase(folder);
  const Held first = Measure();
  for (int round = 1; round < kRounds && !HasFailure(); ++round) {
    for (const CaseFolder& folder : cases) RunCase(folder);
  }
  ExpectAsHeld(first, Measure(), "every case again");
}

TEST(HeavyRounds, EveryCaseInAModuleLoadedForItAlone) {
  if (g_update) GTEST_SKIP() << "--update rewrites each case once";
  std::vector<CaseFolder> cases = AllCases();
  cases.erase(std::remove_if(cases.begin(), cases.end(),
                             [](const CaseFolder& folder) { return folder.hooks; }),
              cases.end());
  ModuleCopy copy;
  const std::uint16_t word = edihal::ReadControlWord();
  for (const CaseFolder& folder : cases) copy.Run(folder, false);
  const Held first = Measure();
  for (int round = 1; round < kLoadRounds && !HasFailure(); ++round) {
    for (std::size_t i = 0; i < cases.size() && !HasFatalFailure(); ++i) {
      copy.Run(cases[i], !kSanitized && i % 2 == 1);
    }
  }
  ExpectAsHeld(first, Measure(), "every case in a module of its own");
  EXPECT_EQ(word & edihal::kControlWordBits, edihal::ReadControlWord() & edihal::kControlWordBits);
}

}  // namespace

}  // namespace testing_support
