#include "host/InstallFolder.h"

#include "text/Text.h"

namespace edihal {

namespace {

constexpr char kDefaultInstallFolder[] = "c:\\VexWin\\";

}  // namespace

std::string InstallFolder(const Platform& platform) {
  std::string folder;
  try {
    folder = Trim(platform.InstallFolderValue());
  } catch (...) {
    // A registry that cannot be read is the same as an empty one.
    folder.clear();
  }
  if (folder.empty()) return kDefaultInstallFolder;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace edihal
