// The modules under test, loaded once per test program from beside it:
// the test-hook build for most tests, the release build where the shipped
// module itself matters.
#ifndef EDIHAL_TESTS_SUPPORT_MODULES_H
#define EDIHAL_TESTS_SUPPORT_MODULES_H

#include "LoadedModule.h"

namespace testing_support {

const hostkit::ModuleApi& TestModule();
const hostkit::ModuleApi& ReleaseModule();

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_MODULES_H
