// The version resource of a Windows file, read the way the file's
// properties dialog reads it (the version functions of version.dll).
#include <windows.h>

#include <string>
#include <vector>

#include "FileVersion.h"

namespace hostkit {

namespace {

// A text of the resource's string table for its first translation; empty
// when the resource has no such value.
std::string StringValue(const std::vector<char>& data, const char* name) {
  struct Translation {
    WORD language;
    WORD code_page;
  };
  void* found = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &found, &size) ||
      size < sizeof(Translation)) {
    return "";
  }
  const Translation* translation = static_cast<const Translation*>(found);
  char key[64];
  wsprintfA(key, "\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->code_page,
            name);
  if (!VerQueryValueA(data.data(), key, &found, &size) || size == 0) return "";
  return std::string(static_cast<const char*>(found));
}

}  // namespace

bool ReadFileVersion(const std::string& path, FileVersion& version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", &found, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
  version.file_version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                         std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                         std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                         std::to_string(LOWORD(fixed->dwFileVersionLS));
  version.product_name = StringValue(data, "ProductName");
  version.product_version = StringValue(data, "ProductVersion");
  version.description = StringValue(data, "FileDescription");
  return true;
}

}  // namespace hostkit
