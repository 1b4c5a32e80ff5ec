#include "import/categorise/Categorisation.h"

#include <utility>

#include "import/categorise/AssortmentQuestion.h"
#include "import/categorise/SideFiles.h"

namespace edihal {

namespace {

// Looks each line block up in the side files and asks the user where they
// give no assortment.  The user's answers are kept only for this import:
// nothing is written back to the side files.
class SideFileCategorisation final : public Categorisation {
 public:
  SideFileCategorisation(const Platform& platform, const TVEXBibliotekaEDI& host,
                         std::unique_ptr<SideFiles> side_files)
      : platform_(platform),
        host_(host),
        side_files_(std::move(side_files)),
        question_(side_files_->AssortmentList()) {}

  std::string AssortmentFor(std::string_view structure, std::string_view group,
                            std::string_view subgroup, const std::string& product_name) override {
    std::string assortment = side_files_->AssortmentOf(GroupKey(structure, group, subgroup));
    if (!assortment.empty()) return assortment;
    const std::string* chosen = nullptr;
    host_.CallHostSide([&] { chosen = question_.Ask(platform_, product_name); });
    return chosen != nullptr ? *chosen : std::string();
  }

 private:
  const Platform& platform_;
  const TVEXBibliotekaEDI& host_;
  std::unique_ptr<SideFiles> side_files_;
  AssortmentQuestion question_;
};

}  // namespace

std::unique_ptr<Categorisation> Categorisation::Load(const Platform& platform,
                                                     const TVEXBibliotekaEDI& host) {
  return std::make_unique<SideFileCategorisation>(platform, host, SideFiles::Load(platform));
}

}  // namespace edihal
