// Registration and release of library objects, and a null library object
// (the identity exports are case files: cases/identity, the guard's
// reports cases/guard).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"

namespace {

using testing_support::RecordingHost;
using testing_support::ReleaseModule;
using testing_support::TestModule;

TEST(Registration, EachRegistrationMakesItsOwnObject) {
  RecordingHost first(TestModule());
  RecordingHost second(TestModule());
  ASSERT_NE(nullptr, first.Library());
  ASSERT_NE(first.Library(), second.Library());
}

TEST(Registration, ReleasingNullLeavesOtherObjectsWorking) {
  RecordingHost host(TestModule());
  TestModule().ZwolnijBiblioteke(nullptr);
  TestModule().TestArmFailure(host.Library(), 2, "still here");
  EXPECT_EQ(0, TestModule().EdiEksportujDokument(host.Library(), 1, "", ""));
  EXPECT_EQ(std::vector<std::string>{"still here"}, host.TextsOf(EDIHAL_CB_ERROR));
}

TEST(Registration, ReleasingCallsNoCallback) {
  RecordingHost host(TestModule());
  host.ReleaseLibrary();
  EXPECT_TRUE(host.Events().empty());
}

TEST(Registration, ReleaseModuleHasNoTestHook) {
  EXPECT_EQ(nullptr, ReleaseModule().TestArmFailure);
  EXPECT_NE(nullptr, TestModule().TestArmFailure);
}

// The worker exports given no library object do nothing and return 0.
TEST(Registration, NullLibraryReturnsZero) {
  EXPECT_EQ(0, TestModule().EdiEksportujDokument(nullptr, 1, "", ""));
  EXPECT_EQ(0, TestModule().EdiImportujDokument(nullptr, 1, "", ""));
  EXPECT_EQ(0, TestModule().EdiUtworzListeWyboruImportu(nullptr, 1, ""));
  EXPECT_EQ(0, TestModule().EdiPrzedEksportem(nullptr, 1, nullptr, nullptr, nullptr, nullptr));
}

}  // namespace
