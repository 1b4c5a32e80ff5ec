#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace edihal {

char Win32Platform::DecimalSeparator() const {
  wchar_t separator[8] = {0};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return '.';
  const std::string narrow = Narrow(std::wstring(1, separator[0]));
  return narrow.empty() ? '.' : narrow[0];
}

CalendarDate Win32Platform::Today() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return CalendarDate{now.wYear, now.wMonth, now.wDay};
}

}  // namespace edihal
