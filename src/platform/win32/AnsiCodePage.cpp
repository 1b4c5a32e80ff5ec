// The ANSI code page through the system's own functions, with whatever code
// page the machine has (Windows-1250 where the module is used).
#include <windows.h>

#include <string>

#include "charsets/AnsiCodePage.h"
#include "platform/win32/WideText.h"

namespace edihal {

namespace {

std::string UpToFirstNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::string AnsiUpperCase(const std::string& text) {
  std::wstring wide = Widen(text, kAnsiCodePage);
  if (!wide.empty()) CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
  return Narrow(wide, kAnsiCodePage);
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  const std::wstring wide_a = Widen(a, kAnsiCodePage);
  const std::wstring wide_b = Widen(b, kAnsiCodePage);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide_a.data(),
                                    static_cast<int>(wide_a.size()), wide_b.data(),
                                    static_cast<int>(wide_b.size()));
  return result == 0 ? (a == b ? 0 : 1) : result - CSTR_EQUAL;
}

std::string AnsiToUtf8(const std::string& text) {
  return Narrow(Widen(UpToFirstNul(text), kAnsiCodePage), kUtf8CodePage);
}

std::string Utf8ToAnsi(const std::string& text) {
  return Narrow(Widen(UpToFirstNul(text), kUtf8CodePage), kAnsiCodePage);
}

}  // namespace edihal
