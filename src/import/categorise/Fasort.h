// TFmAsortymenty, the "Wybór asortymentu" dialog: it shows a product's name
// above the list of assortments and lets the user pick one.  This is the
// form's own logic; the window itself is drawn by the platform
// (Platform::ShowAssortmentDialog), which reports whether the user pressed
// "Akceptuj" and what was selected then.
//
// The form keeps a reference to the remembered choice of the import: it
// opens with that entry selected, and "Akceptuj" stores the selection back
// into it, so the next dialog of the same import starts from the last
// choice.
#ifndef EDIHAL_IMPORT_CATEGORISE_FASORT_H
#define EDIHAL_IMPORT_CATEGORISE_FASORT_H

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

// How a modal form was closed.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,      // "Akceptuj" or Enter
  mrCancel = 2,  // Escape or the window's close button
};

class TFmAsortymenty {
 public:
  struct TLabel {
    std::string Caption;
  };
  struct TComboBox {
    std::vector<std::string> Items;
    int ItemIndex = -1;  // -1: nothing selected
  };

  // Shows `product_name` in LbNazwaTowaru, fills CBAsortymenty with
  // `assortments` and selects the entry at `remembered_choice` (nothing
  // when that is outside the list).
  TFmAsortymenty(int& remembered_choice, const std::string& product_name,
                 const std::vector<std::string>& assortments);
  TFmAsortymenty(const TFmAsortymenty&) = delete;
  TFmAsortymenty& operator=(const TFmAsortymenty&) = delete;

  // Shows the form until the user closes it; the result says how.
  TModalResult ShowModal(const Platform& platform);

  // "Akceptuj": the selected index becomes the remembered choice and the
  // form closes with mrOk.
  void Button1Click();

  TComboBox CBAsortymenty;
  TLabel LbNazwaTowaru;
  TModalResult ModalResult = mrNone;

 private:
  int& remembered_choice_;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_CATEGORISE_FASORT_H
