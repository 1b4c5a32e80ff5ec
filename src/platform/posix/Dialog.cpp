#include "platform/posix/PosixPlatform.h"

namespace edihal {

// Without a dialog the question stays unanswered, as if the user closed it.
DialogAnswer PosixPlatform::ShowAssortmentDialog(const std::string& /*product*/,
                                                 const std::vector<std::string>& /*entries*/,
                                                 int /*initial*/) const {
  return DialogAnswer{false, -1};
}

}  // namespace edihal
