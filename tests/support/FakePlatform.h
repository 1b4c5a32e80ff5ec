// A platform in memory for unit tests: files, folders, registry value,
// decimal separator and scripted dialog answers, all set by the test (the
// date is fixed), and a record of what the code under test did with them.
#ifndef EDIHAL_TESTS_SUPPORT_FAKEPLATFORM_H
#define EDIHAL_TESTS_SUPPORT_FAKEPLATFORM_H

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace testing_support {

class FakePlatform : public edihal::Platform {
 public:
  struct DialogCall {
    std::string product;
    std::vector<std::string> entries;
    int initial;
  };

  // Host path -> bytes.  Paths are compared exactly, backslashes and all.
  mutable std::map<std::string, std::string> files;
  mutable std::set<std::string> folders;
  std::set<std::string> unreadable;     // OpenFile fails: access denied
  std::set<std::string> out_of_memory;  // a read or a write runs out of memory
  std::size_t read_piece = 0;           // a read gives at most this many bytes; 0: all asked
  std::string install_folder_value;     // what the registry holds
  std::string current_folder = "C:\\Praca";
  char decimal_separator = '.';
  // Answers of the dialog, one per call; with none left the user closes it.
  mutable std::deque<edihal::DialogAnswer> dialog_answers;

  // What happened.
  mutable std::vector<DialogCall> dialog_calls;

  std::string InstallFolderValue() const override { return install_folder_value; }
  std::unique_ptr<edihal::FileHandle> OpenFile(const std::string& path,
                                               edihal::FileAccess access) const override;
  bool FileExists(const std::string& path) const override;
  bool ForceDirectories(const std::string& folder) const override;
  std::vector<std::string> FindFiles(const std::string& mask) const override;
  std::string FullPath(const std::string& name) const override {
    return current_folder + "\\" + name;
  }
  char DecimalSeparator() const override { return decimal_separator; }
  edihal::CalendarDate Today() const override { return {2024, 3, 5}; }
  edihal::DialogAnswer ShowAssortmentDialog(const std::string& product,
                                            const std::vector<std::string>& entries,
                                            int initial) const override;
};

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_FAKEPLATFORM_H
