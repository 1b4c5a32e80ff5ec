// The main of the test programs.
#include <gtest/gtest.h>

#include "SelectedTests.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return testing_support::RunSelectedTests();
}
