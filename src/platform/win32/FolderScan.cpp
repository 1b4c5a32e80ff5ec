#include <windows.h>

#include "platform/OsPlatform.h"
#include "platform/win32/WideText.h"

namespace edihal {

namespace {

// Entries with any of these attributes are left out; everything else
// (read-only, archive, normal and the like) is listed.
constexpr DWORD kExcluded =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::vector<std::string> OsPlatform::FindFiles(const std::string& mask) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Widen(mask, kAnsiCodePage).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & kExcluded) == 0)
      names.push_back(Narrow(found.cFileName, kAnsiCodePage));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace edihal
