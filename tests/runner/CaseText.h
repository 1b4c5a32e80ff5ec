// The case runner's handling of case files: calls split into tokens, texts
// shown with their control bytes escaped, folder trees listed and written,
// the first line where an expected file and the actual one differ; and the
// case folders themselves.
#ifndef EDIHAL_TESTS_RUNNER_CASETEXT_H
#define EDIHAL_TESTS_RUNNER_CASETEXT_H

#include <string>
#include <vector>

namespace hostkit {
struct ModuleApi;
}

namespace testing_support {

struct Token {
  std::string text;
  bool null = false;  // the token null: a null pointer
  const char* Pointer() const { return null ? nullptr : text.c_str(); }
};

// Words separated by spaces; "..." keeps spaces and may be empty.
std::vector<Token> Tokens(const std::string& line);
// The pieces between the separators: one more than there are separators.
std::vector<std::string> Split(const std::string& text, char separator);
// Lines without their LF or CR LF.
std::vector<std::string> Lines(const std::string& text);
// \xNN as the byte NN; everything else as it is.
std::string Unescaped(const std::string& text);
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);
// In double quotes, bytes below 0x20, 0x7F, '"' and '\' as \xNN; the
// others (Windows-1250 letters too) as they are.
std::string Quoted(const std::string& bytes);
// The first line in which `expected` and `actual` differ, both shown with
// every byte outside printable ASCII as \xNN.
std::string FirstDifference(const std::string& name, const std::string& expected,
                            const std::string& actual);

// Files (or the folders) under `folder`, as paths relative to it with "/",
// sorted.
std::vector<std::string> TreeListing(const std::string& folder, bool folders = false);
// Writes `path`, making the folders it needs.
void WriteTree(const std::string& path, const std::string& bytes);

// The case folders of tests/cases, for the runner and for the rounds that
// run them all again (HeavyRounds.cpp).
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

#endif  // EDIHAL_TESTS_RUNNER_CASETEXT_H
