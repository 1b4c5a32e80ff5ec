// Folder listing on POSIX, made to list as Windows does: wildcard matched
// ignoring case, dot files counted as hidden, names in case-insensitive
// order (NTFS returns them so).
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/posix/PosixPlatform.h"

namespace edihal {

namespace {

// Windows wildcard match of `name` against `pattern` (both upper-cased):
// * stands for any run of bytes, ? for one byte.
bool WildcardMatch(const std::string& pattern, const std::string& name) {
  std::size_t p = 0, n = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++, resume = n;
    } else if (star != std::string::npos) {
      p = star + 1, n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ListsBefore(const std::string& a, const std::string& b) {
  const int order = os::CompareTextIgnoringCase(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace

std::vector<std::string> PosixPlatform::FindFiles(const std::string& mask) const {
  const std::size_t cut = mask.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? "." : NativePath(mask.substr(0, cut + 1));
  const std::string pattern = os::UpperCase(cut == std::string::npos ? mask : mask.substr(cut + 1));
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;  // hidden, as Windows shows dot files
    if (!WildcardMatch(pattern, os::UpperCase(name))) continue;
    if (IsRegularFile(folder + (folder.back() == '/' ? "" : "/") + name)) names.push_back(name);
  }
  ::closedir(listing);
  std::sort(names.begin(), names.end(), ListsBefore);
  return names;
}

}  // namespace edihal
