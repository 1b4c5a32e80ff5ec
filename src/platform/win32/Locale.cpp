#include <windows.h>

#include "platform/OsPlatform.h"
#include "platform/win32/WideText.h"

namespace edihal {

char OsPlatform::DecimalSeparator() const {
  wchar_t separator[8] = {0};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return '.';
  const std::string narrow = Narrow(std::wstring(1, separator[0]), kAnsiCodePage);
  return narrow.empty() ? '.' : narrow[0];
}

CalendarDate OsPlatform::Today() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return CalendarDate{now.wYear, now.wMonth, now.wDay};
}

}  // namespace edihal
