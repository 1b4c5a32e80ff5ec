// Display on Windows: a console gets the text as UTF-16 read from the ANSI
// code page; a file or a pipe gets the bytes.
#include <io.h>
#include <windows.h>

#include "Console.h"
#include "platform/win32/WideText.h"

namespace vexhost {

namespace {

bool IsConsole(std::FILE* stream) {
  DWORD mode = 0;
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  return GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

Console::Console(bool raw)
    : out_converts_(!raw && IsConsole(stdout)),
      err_converts_(!raw && IsConsole(stderr)),
      err_is_terminal_(IsConsole(stderr)) {}

void Console::Write(std::FILE* stream, bool convert, const std::string& text) {
  std::fflush(stream);
  if (convert && !text.empty()) {
    const std::wstring wide = edihal::Widen(text, edihal::kAnsiCodePage);
    DWORD written = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

// The arguments arrive in the ANSI code page, the module's own.
std::string ToModuleText(const std::string& typed) {
  return typed;
}

}  // namespace vexhost
