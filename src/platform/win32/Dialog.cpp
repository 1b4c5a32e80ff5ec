#include "platform/win32/Win32Platform.h"

namespace edihal {

DialogAnswer Win32Platform::ShowAssortmentDialog(const std::string& /*product*/,
                                                 const std::vector<std::string>& /*entries*/,
                                                 int /*initial*/) const {
  return DialogAnswer{false, -1};
}

}  // namespace edihal
