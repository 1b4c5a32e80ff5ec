// Display conversion on POSIX: Windows-1250 to UTF-8 through iconv.
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <cstring>

#include "Console.h"

namespace vexhost {

namespace {

bool TerminalWantsUtf8(int fd) {
  const char* codeset = nl_langinfo(CODESET);
  return isatty(fd) && codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
}

std::string ToUtf8(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "CP1250");
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 3 + 4, '\0');
  char* in_at = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_at = &out[0];
  std::size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) {
      // A byte Windows-1250 leaves undefined: show it as "?".
      *out_at++ = '?', --out_left, ++in_at, --in_left;
    }
  }
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

Console::Console()
    : out_converts_(TerminalWantsUtf8(STDOUT_FILENO)),
      err_converts_(TerminalWantsUtf8(STDERR_FILENO)),
      err_is_terminal_(isatty(STDERR_FILENO) != 0) {}

void Console::Write(std::FILE* stream, bool convert, const std::string& text) {
  const std::string shown = convert ? ToUtf8(text) : text;
  std::fwrite(shown.data(), 1, shown.size(), stream);
  std::fflush(stream);
}

}  // namespace vexhost
