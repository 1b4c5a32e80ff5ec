// The platform of Linux and other POSIX systems.  There is no registry, the
// module's code page is always Windows-1250 (file names are converted to
// and from the file system's) and the dialog talks to the terminal.
#ifndef EDIHAL_PLATFORM_POSIX_POSIXPLATFORM_H
#define EDIHAL_PLATFORM_POSIX_POSIXPLATFORM_H

#include "platform/Platform.h"

namespace edihal {

class PosixPlatform final : public Platform {
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

// The host's backslash path as the file system wants it: slashes, and in
// the file system's codeset (FileNames.cpp).
std::string NativePath(const std::string& host_path);
// A name read from the file system in Windows-1250; false when it has no
// Windows-1250 form.
bool HostName(const std::string& native_name, std::string& host_name);
// A path of the file system in Windows-1250, "?" for what it cannot show.
std::string HostPath(const std::string& native_path);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_POSIX_POSIXPLATFORM_H
