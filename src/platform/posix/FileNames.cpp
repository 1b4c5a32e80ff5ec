// The module's paths are Windows-1250 with backslashes; a POSIX file system
// names files in the locale's codeset (UTF-8 on any current system, and
// taken as UTF-8 where no locale is set).  Every path is turned into the
// file system's form where it meets the file system, and every name read
// from it back into Windows-1250.
#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <cerrno>

#include "platform/posix/PosixPlatform.h"

namespace edihal {

namespace {

std::string FileSystemCodeset() {
  const char* codeset = nl_langinfo(CODESET);
  std::string name = codeset != nullptr ? codeset : "";
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.empty() || name == "ANSI_X3.4-1968" || name == "ASCII") return "UTF-8";
  return name;
}

// `text` converted; false when some of it has no form in `to` (or is not
// valid in `from`).  Where a letter is missing and `lenient` is set, "?"
// stands for it and the result is true.
bool Convert(const std::string& text, const std::string& to, const std::string& from, bool lenient,
             std::string& out) {
  if (to == from) {
    out = text;
    return true;
  }
  iconv_t converter = iconv_open(to.c_str(), from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    out = text;
    return true;
  }
  out.assign(text.size() * 4 + 4, '\0');
  char* in_at = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_at = &out[0];
  std::size_t out_left = out.size();
  bool whole = true;
  while (in_left > 0) {
    if (iconv(converter, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1)) {
      continue;
    }
    whole = false;
    if (!lenient || errno == E2BIG) break;
    *out_at++ = '?', --out_left, ++in_at, --in_left;
  }
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return whole || lenient;
}

}  // namespace

std::string NativePath(const std::string& host_path) {
  std::string path(host_path);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  std::string native;
  Convert(path, FileSystemCodeset(), "CP1250", true, native);
  return native;
}

bool HostName(const std::string& native_name, std::string& host_name) {
  return Convert(native_name, "CP1250", FileSystemCodeset(), false, host_name);
}

std::string HostPath(const std::string& native_path) {
  std::string host;
  Convert(native_path, "CP1250", FileSystemCodeset(), true, host);
  return host;
}

}  // namespace edihal
