// Running a test program's tests.
#ifndef EDIHAL_TESTS_SUPPORT_SELECTEDTESTS_H
#define EDIHAL_TESTS_SUPPORT_SELECTEDTESTS_H

namespace testing_support {

// RUN_ALL_TESTS, failing as well when the filter selects no test: a run
// that runs nothing must not pass for one that checked something.
int RunSelectedTests();

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_SELECTEDTESTS_H
