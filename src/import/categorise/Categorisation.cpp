#include "import/categorise/Categorisation.h"

#include <utility>
#include <vector>

#include "import/categorise/Fasort.h"
#include "import/categorise/SideFiles.h"

namespace edihal {

namespace {

// Looks each line block up in the side files and asks the user where they
// give no assortment.  The user's answers are kept only for this import:
// nothing is written back to the side files.
class SideFileCategorisation final : public Categorisation {
 public:
  SideFileCategorisation(const Platform& platform, const TVEXBibliotekaEDI* host,
                         std::unique_ptr<SideFiles> side_files)
      : platform_(platform), host_(host), side_files_(std::move(side_files)) {}

  std::string AssortmentFor(std::string_view structure, std::string_view group,
                            std::string_view subgroup, const std::string& product_name) override {
    std::string assortment = side_files_->AssortmentOf(GroupKey(structure, group, subgroup));
    if (!assortment.empty()) return assortment;

    const std::vector<std::string>& list = side_files_->AssortmentList();
    TFmAsortymenty form(remembered_choice_, product_name, list);
    if (Show(form) == mrOk && remembered_choice_ >= 0 &&
        static_cast<std::size_t>(remembered_choice_) < list.size()) {
      assortment = list[static_cast<std::size_t>(remembered_choice_)];
    }
    return assortment;
  }

 private:
  TModalResult Show(TFmAsortymenty& form) const {
    if (host_ == nullptr) return form.ShowModal(platform_);
    TModalResult result = mrNone;
    host_->CallHostSide([&] { result = form.ShowModal(platform_); });
    return result;
  }

  const Platform& platform_;
  const TVEXBibliotekaEDI* host_;
  std::unique_ptr<SideFiles> side_files_;
  int remembered_choice_ = 0;  // index into the assortment list
};

}  // namespace

std::unique_ptr<Categorisation> Categorisation::Load(const Platform& platform,
                                                     const TVEXBibliotekaEDI* host) {
  return std::make_unique<SideFileCategorisation>(platform, host, SideFiles::Load(platform));
}

}  // namespace edihal
