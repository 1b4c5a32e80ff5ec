// The platform of Windows: the registry, the Win32 file functions, the
// user's locale and a real Win32 dialog.
#ifndef EDIHAL_PLATFORM_WIN32_WIN32PLATFORM_H
#define EDIHAL_PLATFORM_WIN32_WIN32PLATFORM_H

#include <string>

#include "platform/Platform.h"

namespace edihal {

class Win32Platform final : public Platform {
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

// Between the ANSI code page and UTF-16, whole texts (NUL bytes included).
std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_WIN32_WIN32PLATFORM_H
