// Files every product of an import under one of the host's assortments:
// through the side files "Przypisanie.txt" (merchandise numbers to an
// assortment key) and "Kategoryzacja.txt" (keys to assortment names), or,
// where they give none, by asking the user in the assortment dialog.
#ifndef EDIHAL_IMPORT_CATEGORISE_CATEGORISATION_H
#define EDIHAL_IMPORT_CATEGORISE_CATEGORISATION_H

#include <memory>
#include <string>
#include <string_view>

#include "host/LibraryObject.h"
#include "platform/Platform.h"

namespace edihal {

class Categorisation {
 public:
  // Reads both side files from the current folder.  A file that is missing
  // or cannot be read raises EInOutError naming it and the path tried.
  // The dialog's message loop also runs the host's own windows, so it runs
  // as the host's code through `host` (see TVEXBibliotekaEDI::CallHostSide).
  static std::unique_ptr<Categorisation> Load(const Platform& platform,
                                              const TVEXBibliotekaEDI& host);
  virtual ~Categorisation() = default;

  // The assortment of one line block from its structure, group and
  // subgroup numbers ("0" where the block gives none).  When the side files
  // give none, the dialog asks the user, showing `product_name` (in
  // Windows-1250); empty when the user closes it without a choice.
  virtual std::string AssortmentFor(std::string_view structure, std::string_view group,
                                    std::string_view subgroup, const std::string& product_name) = 0;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_CATEGORISE_CATEGORISATION_H
