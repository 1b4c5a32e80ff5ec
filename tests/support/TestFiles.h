// Files for tests: a temporary folder removed afterwards, whole-file reads
// and writes, and paths of the source tree's test data.  Portable: the same
// tests run on Linux and, built with MinGW, under Wine.
#ifndef EDIHAL_TESTS_SUPPORT_TESTFILES_H
#define EDIHAL_TESTS_SUPPORT_TESTFILES_H

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// The platform's path separator as the module's host would write it.
#if defined(_WIN32)
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // `name` inside the folder.
  std::string File(const std::string& name) const { return path_ + kSeparator + name; }

 private:
  std::string path_;
};

// The path as the file system names it: paths in tests are Windows-1250,
// as the host gives them to the module; on POSIX they are converted to the
// file system's UTF-8 as the module does.
std::filesystem::path PathOf(const std::string& path);

void WriteFile(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void MakeFolder(const std::string& path);
void RemoveTree(const std::string& path);
// Copies everything in `from` (which may be missing) into the folder `to`,
// names as the file system holds them, even those Windows-1250 lacks.
void CopyFolder(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);

// Names in `path` (files and folders, without "." and ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& path);

// Makes `folder` the process's current folder until destroyed, as the host
// runs in its own folder (where the module finds its side files).
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string previous_;
};

// A file of the source tree, e.g. SourcePath("examples/fv.xml"); on
// Windows the tree is reached through drive Z:, as Wine maps it.
std::string SourcePath(const std::string& relative);

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_TESTFILES_H
