// The "Wybór asortymentu" dialog as the import asks it, the host runtime's
// form TFmAsortymenty: a product's name above the list of assortments,
// opened at the user's last choice in this import (the first entry at
// first).  The window itself is the platform's
// (Platform::ShowAssortmentDialog), which reports whether the user pressed
// "Akceptuj" and which entry was selected then.
#ifndef EDIHAL_IMPORT_CATEGORISE_ASSORTMENTQUESTION_H
#define EDIHAL_IMPORT_CATEGORISE_ASSORTMENTQUESTION_H

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

class AssortmentQuestion {
 public:
  explicit AssortmentQuestion(const std::vector<std::string>& assortments)
      : assortments_(assortments), remembered_(assortments.empty() ? -1 : 0) {}

  // Shows the dialog for `product` (Windows-1250).  Returns the entry the
  // user accepted, which the next question opens at, or null: the dialog
  // closed without a choice, or accepted with none selected (the next
  // question then opens with none).
  const std::string* Ask(const Platform& platform, const std::string& product);

 private:
  const std::vector<std::string>& assortments_;
  int remembered_;  // an entry of the list, or -1 for none
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_CATEGORISE_ASSORTMENTQUESTION_H
