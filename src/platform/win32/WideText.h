// Texts of the ANSI code page as the wide texts of the Win32 functions.
#ifndef EDIHAL_PLATFORM_WIN32_WIDETEXT_H
#define EDIHAL_PLATFORM_WIN32_WIDETEXT_H

#include <string>

namespace edihal {

// Between the ANSI code page and UTF-16, whole texts (NUL bytes included).
std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_WIN32_WIDETEXT_H
