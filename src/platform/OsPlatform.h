// The platform of the running system: one declaration, whose members each
// system defines in its own folder, one concern a file (posix/Files.cpp,
// win32/Registry.cpp, ...).  The build compiles one of the two folders.
#ifndef EDIHAL_PLATFORM_OSPLATFORM_H
#define EDIHAL_PLATFORM_OSPLATFORM_H

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

class OsPlatform final : public Platform {
 public:
  std::string InstallFolderValue() const override;
  std::unique_ptr<FileHandle> OpenFile(const std::string& path, FileAccess access) const override;
  bool FileExists(const std::string& path) const override;
  bool ForceDirectories(const std::string& folder) const override;
  std::vector<std::string> FindFiles(const std::string& mask) const override;
  std::string FullPath(const std::string& name) const override;
  char DecimalSeparator() const override;
  CalendarDate Today() const override;
  DialogAnswer ShowAssortmentDialog(const std::string& product,
                                    const std::vector<std::string>& entries,
                                    int initial) const override;
};

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_OSPLATFORM_H
