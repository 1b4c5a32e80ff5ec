// Single-byte texts as the wide texts of the Win32 functions, and back,
// in the code page named.
#ifndef EDIHAL_PLATFORM_WIN32_WIDETEXT_H
#define EDIHAL_PLATFORM_WIN32_WIDETEXT_H

#include <string>

namespace edihal {

// The code pages the module converts through.
constexpr unsigned kAnsiCodePage = 0;            // the system's ANSI code page (CP_ACP)
constexpr unsigned kUtf8CodePage = 65001;        // CP_UTF8
constexpr unsigned kWindows1250CodePage = 1250;  // the module's own texts

// Whole texts (NUL bytes included); empty for what the system cannot
// convert at all.
std::wstring Widen(const std::string& text, unsigned code_page);
std::string Narrow(const std::wstring& wide, unsigned code_page);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_WIN32_WIDETEXT_H
