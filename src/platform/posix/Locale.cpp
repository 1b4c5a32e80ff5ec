#include <clocale>
#include <ctime>

#include "platform/OsPlatform.h"

namespace edihal {

// The separator of the process's current C locale, which the host sets.
char OsPlatform::DecimalSeparator() const {
  const std::lconv* conventions = std::localeconv();
  const char* point = conventions != nullptr ? conventions->decimal_point : nullptr;
  return point != nullptr && point[0] != '\0' ? point[0] : '.';
}

CalendarDate OsPlatform::Today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace edihal
