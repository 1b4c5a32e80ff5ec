#include "import/categorise/Fasort.h"

namespace edihal {

TFmAsortymenty::TFmAsortymenty(int& remembered_choice, const std::string& product_name,
                               const std::vector<std::string>& assortments)
    : remembered_choice_(remembered_choice) {
  LbNazwaTowaru.Caption = product_name;
  CBAsortymenty.Items = assortments;
  const bool listed =
      remembered_choice >= 0 && static_cast<std::size_t>(remembered_choice) < assortments.size();
  CBAsortymenty.ItemIndex = listed ? remembered_choice : -1;
}

TModalResult TFmAsortymenty::ShowModal(const Platform& platform) {
  ModalResult = mrNone;
  const DialogAnswer answer = platform.ShowAssortmentDialog(
      LbNazwaTowaru.Caption, CBAsortymenty.Items, CBAsortymenty.ItemIndex);
  if (answer.accepted) {
    // The platform may report only what its list could hold.
    const bool listed = answer.selected >= 0 &&
                        static_cast<std::size_t>(answer.selected) < CBAsortymenty.Items.size();
    CBAsortymenty.ItemIndex = listed ? answer.selected : -1;
    Button1Click();
  } else {
    ModalResult = mrCancel;
  }
  return ModalResult;
}

void TFmAsortymenty::Button1Click() {
  remembered_choice_ = CBAsortymenty.ItemIndex;
  ModalResult = mrOk;
}

}  // namespace edihal
