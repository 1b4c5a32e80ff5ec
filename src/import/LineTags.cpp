#include "import/LineTags.h"

#include <array>
#include <cstring>

namespace edihal {

namespace {

constexpr std::string_view kTexts[] = {
    "<ART_SALE>",
    "<ART_RETURN>",
    "</ART_SALE>",
    "</ART_RETURN>",
    "<szInvoiceIDPDF>",
    "<szDate>",
    "<lMediaNmbr>",
    "<szItemID>",
    "<szDesc1>",
    "<szDescription>",
    "<szPackagePrintCode>",
    "<szVatPrintCode>",
    "<szInputString>",
    "<EanSingle>",
    "<dPieceQuantity>",
    "<dQuantityEntry>",
    "<dPieceContentsQuantity>",
    "<dTaAveragePiecePriceDiscounted>",
    "<dTaTotal>",
    "<dMeasurementEntry1>",
    "<lMerchandiseStructureID>",
    "<lMerchandiseGroupID>",
    "<lMerchandiseSubGroupID>",
};
static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<unsigned>(InvoiceTag::kCount),
              "one text per tag");

constexpr std::uint8_t kNone = 0xFF;
constexpr std::size_t kShortest = 8;     // bytes of the shortest tag
constexpr std::size_t kMostPerByte = 8;  // tags that share a second byte

std::uint64_t FirstEightBytes(const char* text) {
  std::uint64_t bytes;
  std::memcpy(&bytes, text, sizeof bytes);
  return bytes;
}

// For every byte that may follow "<", the tags whose second byte it is,
// ending with kNone, and the first eight bytes of every tag: a "<" is
// compared with a few tags, eight bytes at a time.
class TagIndex {
 public:
  TagIndex() {
    for (auto& row : rows_) row.fill(kNone);
    std::array<std::size_t, 256> used{};
    for (std::uint8_t tag = 0; tag < static_cast<std::uint8_t>(InvoiceTag::kCount); ++tag) {
      const auto second = static_cast<unsigned char>(kTexts[tag][1]);
      rows_[second][used[second]++] = tag;
      prefixes_[tag] = FirstEightBytes(kTexts[tag].data());
    }
  }
  const std::uint8_t* For(char second) const {
    return rows_[static_cast<unsigned char>(second)].data();
  }
  std::uint64_t Prefix(std::uint8_t tag) const { return prefixes_[tag]; }

 private:
  std::array<std::array<std::uint8_t, kMostPerByte + 1>, 256> rows_;
  std::array<std::uint64_t, static_cast<std::size_t>(InvoiceTag::kCount)> prefixes_;
};

const TagIndex kIndex;

}  // namespace

std::string_view TagText(InvoiceTag tag) {
  return kTexts[static_cast<unsigned>(tag)];
}

LineTags::LineTags(std::string_view line) {
  const char* const end = line.data() + line.size();
  const char* at = line.data();
  while (static_cast<std::size_t>(end - at) >= kShortest) {
    const void* found = std::memchr(at, '<', static_cast<std::size_t>(end - at));
    if (found == nullptr) break;
    at = static_cast<const char*>(found);
    const std::size_t left = static_cast<std::size_t>(end - at);
    if (left < kShortest) break;
    const std::uint64_t head = FirstEightBytes(at);
    for (const std::uint8_t* tag = kIndex.For(at[1]); *tag != kNone; ++tag) {
      const std::string_view text = kTexts[*tag];
      if (head == kIndex.Prefix(*tag) && text.size() <= left &&
          std::memcmp(at + kShortest, text.data() + kShortest, text.size() - kShortest) == 0) {
        bits_ |= 1u << *tag;
      }
    }
    ++at;
  }
}

}  // namespace edihal
