// Display conversion on POSIX: Windows-1250 to the locale's codeset through
// iconv, and typed text back.
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "Console.h"

namespace vexhost {

namespace {

// The codeset of the user's locale; UTF-8 where no locale is set (the C
// locale's ASCII could not show the Polish letters at all).
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

// `text` from one codeset to another; what cannot be converted becomes "?".
std::string Convert(const std::string& text, const char* to, const char* from) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 4 + 4, '\0');
  char* in_at = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_at = &out[0];
  std::size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) break;
      // A byte or letter the other side has no form for: "?", and on past
      // the whole of it (a cut UTF-8 sequence counts as one).
      *out_at++ = '?', --out_left, ++in_at, --in_left;
      while (in_left > 0 && std::strcmp(from, "UTF-8") == 0 &&
             (static_cast<unsigned char>(*in_at) & 0xC0) == 0x80) {
        ++in_at, --in_left;
      }
    }
  }
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

Console::Console(bool raw) : err_is_terminal_(isatty(STDERR_FILENO) != 0) {
  codeset_ = LocaleCodeset();
  out_converts_ = err_converts_ = !raw && !IsWindows1250(codeset_);
}

void Console::Write(std::FILE* stream, bool convert, const std::string& text) {
  const std::string shown = convert ? Convert(text, codeset_.c_str(), "CP1250") : text;
  std::fwrite(shown.data(), 1, shown.size(), stream);
  std::fflush(stream);
}

std::string ToModuleText(const std::string& typed) {
  const std::string codeset = LocaleCodeset();
  if (IsWindows1250(codeset)) return typed;
  return Convert(typed, "CP1250", codeset.c_str());
}

}  // namespace vexhost
