#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace edihal {

namespace {

// Entries with any of these attributes are left out; everything else
// (read-only, archive, normal and the like) is listed.
constexpr DWORD kExcluded =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::vector<std::string> Win32Platform::FindFiles(const std::string& mask) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Widen(mask).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & kExcluded) == 0) names.push_back(Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace edihal
