// The system's ANSI code page, in which the host hands the module its texts
// and reads the module's own: Windows-1250 on the Polish systems the module
// runs on.  Declared here with the code pages and defined by each platform:
// on Windows the system converts (platform/win32/AnsiCodePage.cpp, which
// follows whatever code page the system has); elsewhere Windows-1250 stands
// in, through this folder's tables (platform/posix/AnsiCodePage.cpp).
#ifndef EDIHAL_CHARSETS_ANSICODEPAGE_H
#define EDIHAL_CHARSETS_ANSICODEPAGE_H

#include <string>

namespace edihal {

// Upper case by the code page's letter rules, Polish letters included.
std::string AnsiUpperCase(const std::string& text);
// 0 when the texts are equal ignoring case, else negative or positive;
// callers only ever test for 0.
int AnsiCompareText(const std::string& a, const std::string& b);
// The text up to its first NUL, from the code page to UTF-8.
std::string AnsiToUtf8(const std::string& text);
// The text up to its first NUL, from UTF-8 to the code page; what the code
// page lacks, and invalid UTF-8, become "?".
std::string Utf8ToAnsi(const std::string& text);

}  // namespace edihal

#endif  // EDIHAL_CHARSETS_ANSICODEPAGE_H
