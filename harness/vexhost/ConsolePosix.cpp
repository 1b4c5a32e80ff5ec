// Display conversion on POSIX: Windows-1250 to the locale's codeset, and
// typed text back, with the platform's conversion.
#include <unistd.h>

#include "Console.h"
#include "platform/posix/Codesets.h"

namespace vexhost {

using edihal::posix::ConvertCodeset;
using edihal::posix::IsWindows1250;
using edihal::posix::LocaleCodeset;

Console::Console(bool raw) : err_is_terminal_(isatty(STDERR_FILENO) != 0) {
  codeset_ = LocaleCodeset();
  out_converts_ = err_converts_ = !raw && !IsWindows1250(codeset_);
}

void Console::Write(std::FILE* stream, bool convert, const std::string& text) {
  std::string shown = text;
  if (convert) ConvertCodeset(text, codeset_, "CP1250", true, shown);
  std::fwrite(shown.data(), 1, shown.size(), stream);
  std::fflush(stream);
}

std::string ToModuleText(const std::string& typed) {
  const std::string codeset = LocaleCodeset();
  std::string text = typed;
  if (!IsWindows1250(codeset)) ConvertCodeset(typed, "CP1250", codeset, true, text);
  return text;
}

}  // namespace vexhost
