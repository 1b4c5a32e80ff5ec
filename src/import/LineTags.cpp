#include "import/LineTags.h"

#include <algorithm>
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
constexpr std::size_t kShortest = 8;       // bytes of the shortest tag
constexpr std::size_t kLongest = 32;       // bytes of the longest tag
constexpr std::size_t kMostPerLength = 4;  // tags of one length

// Every tag text holds one "<", at its start, and one ">", at its end.  So
// a tag that starts at a "<" of the line ends at the first ">" after it,
// and that ">" gives its length: a "<" is compared only with the few tags
// of that length (most lengths have one or two), not with every tag.  The
// table is built by the compiler, so loading the module runs nothing for
// it.
struct TagIndex {
  std::uint8_t by_length[kLongest + 1][kMostPerLength + 1];

  constexpr TagIndex() : by_length() {
    std::size_t used[kLongest + 1] = {};
    for (auto& row : by_length) {
      for (auto& tag : row) tag = kNone;
    }
    for (std::uint8_t tag = 0; tag < static_cast<std::uint8_t>(InvoiceTag::kCount); ++tag) {
      const std::size_t length = kTexts[tag].size();
      by_length[length][used[length]++] = tag;
    }
  }
};

constexpr TagIndex kIndex;

constexpr bool EveryTagFits() {
  for (const std::string_view text : kTexts) {
    if (text.size() < kShortest || text.size() > kLongest || text.front() != '<' ||
        text.back() != '>' || text.find('<', 1) != std::string_view::npos ||
        text.find('>') != text.size() - 1) {
      return false;
    }
  }
  return true;
}
static_assert(EveryTagFits(), "tags are 8 to 32 bytes from one \"<\" to one \">\"");

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
    const char* const open = static_cast<const char*>(found);
    const std::size_t left = static_cast<std::size_t>(end - open);
    if (left < kShortest) break;
    at = open + 1;
    const void* close = std::memchr(at, '>', std::min(left, kLongest) - 1);
    if (close == nullptr) continue;
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(close) - open) + 1;
    for (const std::uint8_t* tag = kIndex.by_length[length]; *tag != kNone; ++tag) {
      const std::string_view text = kTexts[*tag];
      if (open[1] == text[1] && std::memcmp(open, text.data(), length) == 0) {
        bits_ |= 1u << *tag;
      }
    }
  }
}

}  // namespace edihal
