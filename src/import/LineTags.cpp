#include "import/LineTags.h"

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

// For every byte that may follow "<", the tags whose second byte it is,
// ending with kNone: a "<" is compared with a few tags only.  Built by the
// compiler, so loading the module runs nothing for it.
struct TagIndex {
  std::uint8_t rows[256][kMostPerByte + 1];

  constexpr TagIndex() : rows() {
    std::size_t used[256] = {};
    for (auto& row : rows) {
      for (auto& tag : row) tag = kNone;
    }
    for (std::uint8_t tag = 0; tag < static_cast<std::uint8_t>(InvoiceTag::kCount); ++tag) {
      const auto second = static_cast<unsigned char>(kTexts[tag][1]);
      rows[second][used[second]++] = tag;
    }
  }
  constexpr const std::uint8_t* For(char second) const {
    return rows[static_cast<unsigned char>(second)];
  }
};

constexpr TagIndex kIndex;

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
    for (const std::uint8_t* tag = kIndex.For(at[1]); *tag != kNone; ++tag) {
      const std::string_view text = kTexts[*tag];
      if (text.size() <= left && std::memcmp(at, text.data(), text.size()) == 0) {
        bits_ |= 1u << *tag;
      }
    }
    ++at;
  }
}

}  // namespace edihal
