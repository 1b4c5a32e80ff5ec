// Case and code-page services through the system's own functions, with the
// ANSI code page of the machine (Windows-1250 where the module is used).
#include <windows.h>

#include <string>

#include "platform/Platform.h"

namespace edihal::os {

namespace {

std::string UpToFirstNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

std::wstring FromCodePage(UINT code_page, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, &wide[0], length);
  return wide;
}

std::string ToCodePage(UINT code_page, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
  return text;
}

}  // namespace

std::string UpperCase(const std::string& text) {
  std::wstring wide = FromCodePage(CP_ACP, text);
  if (!wide.empty()) CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
  return ToCodePage(CP_ACP, wide);
}

int CompareTextIgnoringCase(const std::string& a, const std::string& b) {
  const std::wstring wide_a = FromCodePage(CP_ACP, a);
  const std::wstring wide_b = FromCodePage(CP_ACP, b);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide_a.data(),
                                    static_cast<int>(wide_a.size()), wide_b.data(),
                                    static_cast<int>(wide_b.size()));
  return result == 0 ? (a == b ? 0 : 1) : result - CSTR_EQUAL;
}

std::string AnsiToUtf8(const std::string& text) {
  return ToCodePage(CP_UTF8, FromCodePage(CP_ACP, UpToFirstNul(text)));
}

std::string Utf8ToAnsi(const std::string& text) {
  return ToCodePage(CP_ACP, FromCodePage(CP_UTF8, UpToFirstNul(text)));
}

}  // namespace edihal::os
