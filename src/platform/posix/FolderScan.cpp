// Folder listing on POSIX, made to list as Windows does: the wildcard
// matched ignoring case, dot files counted as hidden, only regular files,
// and the names in the order NTFS keeps them.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "charsets/AnsiCodePage.h"
#include "charsets/Windows1250.h"
#include "platform/OsPlatform.h"
#include "platform/posix/FileNames.h"

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

// The entry's type from the listing itself where the file system gives
// it, so that a large folder costs no stat per file; links and unknown
// types are looked up.
bool IsRegularFile(const std::string& folder, const dirent& entry) {
#if defined(_DIRENT_HAVE_D_TYPE)
  if (entry.d_type == DT_REG) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
#endif
  struct stat info {};
  const std::string path = folder + (folder.back() == '/' ? "" : "/") + entry.d_name;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// NTFS keeps a folder's names ordered by their upper-case UTF-16 code
// units.  The names here are Windows-1250, so each byte is upper-cased and
// then weighed by its Unicode code point: "Ą" (U+0104) comes before "Ś"
// (U+015A) although its byte 0xA5 is greater than 0x8C.
std::u16string NtfsKey(const std::string& upper_name) {
  std::u16string key;
  key.reserve(upper_name.size());
  for (const char c : upper_name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    key += static_cast<char16_t>(windows1250::ToUnicode(byte));
  }
  return key;
}

struct Listed {
  std::u16string key;
  std::string name;
};

bool ListsBefore(const Listed& a, const Listed& b) {
  // Names equal but for case cannot share an NTFS folder; here they can,
  // and their bytes settle the order.
  return a.key != b.key ? a.key < b.key : a.name < b.name;
}

}  // namespace

std::vector<std::string> OsPlatform::FindFiles(const std::string& mask) const {
  const std::size_t cut = mask.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? "." : NativePath(mask.substr(0, cut + 1));
  const std::string pattern = AnsiUpperCase(cut == std::string::npos ? mask : mask.substr(cut + 1));
  std::vector<Listed> listed;
  if (DIR* listing = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(listing)) {
      // A name with no Windows-1250 form could not be named to the host.
      std::string name;
      if (!HostName(entry->d_name, name)) continue;
      if (name.empty() || name[0] == '.') continue;  // hidden, as Windows shows dot files
      std::string upper = AnsiUpperCase(name);
      if (!WildcardMatch(pattern, upper) || !IsRegularFile(folder, *entry)) continue;
      listed.push_back({NtfsKey(upper), name});
    }
    ::closedir(listing);
  }
  std::sort(listed.begin(), listed.end(), ListsBefore);
  std::vector<std::string> names;
  names.reserve(listed.size());
  for (Listed& entry : listed) names.push_back(std::move(entry.name));
  return names;
}

}  // namespace edihal
