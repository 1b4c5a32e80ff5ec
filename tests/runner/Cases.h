// The case folders of tests/cases, for the runner's own tests and for the
// rounds that run them all again (HeavyRounds.cpp).
#ifndef EDIHAL_TESTS_RUNNER_CASES_H
#define EDIHAL_TESTS_RUNNER_CASES_H

#include <string>
#include <vector>

#include "LoadedModule.h"

namespace testing_support {

struct CaseFolder {
  std::string path;   // in the source tree
  std::string group;  // e.g. "import"
  std::string name;
  bool hooks = false;  // it arms a test hook: the test-hook module runs it
  std::string Label() const { return group + "/" + name; }
};

// Set by --update: expected files are rewritten, not compared.
extern bool g_update;

// Every case folder, by group and name.
std::vector<CaseFolder> AllCases();

// Runs one case; a failure is the running test's.  `module` replaces the
// one the case would get (the shipped module, or the test-hook module).
void RunCase(const CaseFolder& folder, const hostkit::ModuleApi* module = nullptr);

}  // namespace testing_support

#endif  // EDIHAL_TESTS_RUNNER_CASES_H
