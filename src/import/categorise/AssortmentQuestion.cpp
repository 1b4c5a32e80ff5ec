#include "import/categorise/AssortmentQuestion.h"

namespace edihal {

// The one place where the entry the platform reports is checked: a window
// may report only what its list could hold.
const std::string* AssortmentQuestion::Ask(const Platform& platform, const std::string& product) {
  const DialogAnswer answer = platform.ShowAssortmentDialog(product, assortments_, remembered_);
  if (!answer.accepted) return nullptr;
  const bool listed =
      answer.selected >= 0 && static_cast<std::size_t>(answer.selected) < assortments_.size();
  remembered_ = listed ? answer.selected : -1;
  return listed ? &assortments_[static_cast<std::size_t>(remembered_)] : nullptr;
}

}  // namespace edihal
