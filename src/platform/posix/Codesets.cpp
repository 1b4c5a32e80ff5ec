#include "platform/posix/Codesets.h"

#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <cerrno>

namespace edihal::posix {

std::string LocaleCodeset() {
  const char* codeset = nl_langinfo(CODESET);
  std::string name = codeset != nullptr ? codeset : "";
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.empty() || name == "ANSI_X3.4-1968" || name == "ASCII" || name == "UTF8") {
    return "UTF-8";
  }
  return name;
}

bool IsWindows1250(const std::string& codeset) {
  return codeset == "CP1250" || codeset == "WINDOWS-1250" || codeset == "WINDOWS1250";
}

bool ConvertCodeset(const std::string& text, const std::string& to, const std::string& from,
                    bool lenient, std::string& out) {
  iconv_t converter = iconv_open(to.c_str(), from.c_str());
  if (to == from || converter == reinterpret_cast<iconv_t>(-1)) {
    if (converter != reinterpret_cast<iconv_t>(-1)) iconv_close(converter);
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
    while (in_left > 0 && from == "UTF-8" && (static_cast<unsigned char>(*in_at) & 0xC0) == 0x80) {
      ++in_at, --in_left;
    }
  }
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return whole || lenient;
}

}  // namespace edihal::posix
