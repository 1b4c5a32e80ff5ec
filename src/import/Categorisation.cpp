#include "import/Categorisation.h"

#include "import/Fasort.h"
#include "import/SideFiles.h"

#include <cstdint>
#include <unordered_map>

namespace edihal {

namespace {

// FNV-1a over the key's bytes: a group key is a dozen digits and TABs,
// hashed for every block, where the library's hash costs half as much
// again.
struct GroupKeyHash {
  std::size_t operator()(const std::string& key) const noexcept {
    std::uint32_t hash = 2166136261u;
    for (const char byte : key) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    return hash;
  }
};

// Looks each line block up in the side files and asks the user where they
// give no assortment.  The user's answers are kept only for this import:
// nothing is written back to the side files.
class SideFileCategorisation final : public Categorisation {
 public:
  SideFileCategorisation(const Platform& platform, const TVEXBibliotekaEDI* host,
                         std::unique_ptr<SideFiles> side_files)
      : platform_(platform), host_(host), side_files_(std::move(side_files)) {}

  std::string_view KnownAssortment(std::string_view structure, std::string_view group,
                                   std::string_view subgroup) override {
    // The key is built in a string kept from block to block: no allocation
    // once it is long enough.
    GroupKey(structure, group, subgroup, key_);
    const auto known = found_.find(key_);
    if (known != found_.end()) return known->second;
    std::string assortment = side_files_->AssortmentOf(key_);
    if (assortment.empty()) return std::string_view();
    // Values in the map stay where they are as it grows.
    return found_.emplace(key_, std::move(assortment)).first->second;
  }

  std::string AssortmentFor(const std::string& structure, const std::string& group,
                            const std::string& subgroup, const std::string& product_name) override {
    std::string assortment(KnownAssortment(structure, group, subgroup));
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
  // What the side files gave for each group met so far: an invoice has far
  // fewer groups than blocks, and the side files bound their number.
  std::unordered_map<std::string, std::string, GroupKeyHash> found_;
  std::string key_;  // GroupKey of the block looked up last
};

}  // namespace

std::unique_ptr<Categorisation> Categorisation::Load(const Platform& platform,
                                                     const TVEXBibliotekaEDI* host) {
  return std::make_unique<SideFileCategorisation>(platform, host, SideFiles::Load(platform));
}

}  // namespace edihal
