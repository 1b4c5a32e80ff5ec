// The module's paths are Windows-1250 with backslashes; a POSIX file system
// names files in the locale's codeset (UTF-8 on any current system, and
// taken as UTF-8 where no locale is set).  Every path is turned into the
// file system's form where it meets the file system, and every name read
// from it back into Windows-1250.
#include "platform/posix/FileNames.h"
#include "platform/posix/Codesets.h"

namespace edihal {

std::string NativePath(const std::string& host_path) {
  std::string path(host_path);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  std::string native;
  posix::ConvertCodeset(path, posix::LocaleCodeset(), "CP1250", true, native);
  return native;
}

bool HostName(const std::string& native_name, std::string& host_name) {
  return posix::ConvertCodeset(native_name, "CP1250", posix::LocaleCodeset(), false, host_name);
}

std::string HostPath(const std::string& native_path) {
  std::string host;
  posix::ConvertCodeset(native_path, "CP1250", posix::LocaleCodeset(), true, host);
  return host;
}

}  // namespace edihal
