// The known tags as a table built by the compiler, and the lookup of the
// tag a "<" and a ">" of a line enclose.  Shared by the scans of a line.
#ifndef EDIHAL_IMPORT_TAGTABLE_H
#define EDIHAL_IMPORT_TAGTABLE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "import/LineTags.h"

namespace edihal {
namespace tag_table {

inline constexpr std::string_view kTexts[] = {
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
constexpr std::size_t kShortest = 8;  // bytes of the shortest tag
constexpr std::size_t kLongest = 32;  // bytes of the longest tag
constexpr std::size_t kSlots = 64;

// Every tag text holds one "<", at its start, and one ">", at its end.  So
// a tag that starts at a "<" of the line ends at the first ">" after it,
// and that ">" gives its length.  The length and the fourth byte tell every
// known tag from every other, and pick its slot in a table: a "<" is
// compared with one tag at most.  The table is built by the compiler, so
// loading the module runs nothing for it.
constexpr std::size_t Slot(std::size_t length, char fourth) {
  return (length * 2 + static_cast<unsigned char>(fourth) * 19u) % kSlots;
}

struct TagIndex {
  std::uint8_t by_slot[kSlots];
  std::uint64_t closing_lengths;  // bit n: a closing tag is n bytes long
  bool one_per_slot;

  constexpr TagIndex() : by_slot(), closing_lengths(0), one_per_slot(true) {
    for (auto& tag : by_slot) tag = kNone;
    for (std::uint8_t tag = 0; tag < static_cast<std::uint8_t>(InvoiceTag::kCount); ++tag) {
      const std::string_view text = kTexts[tag];
      std::uint8_t& slot = by_slot[Slot(text.size(), text[3])];
      if (slot != kNone) one_per_slot = false;
      slot = tag;
      if (text[1] == '/') closing_lengths |= std::uint64_t{1} << text.size();
    }
  }
};

inline constexpr TagIndex kIndex;
static_assert(kIndex.one_per_slot, "no two tags share a slot");

inline std::uint64_t EightBytesAt(const char* at) {
  std::uint64_t bytes;
  std::memcpy(&bytes, at, sizeof bytes);
  return bytes;
}

// memcmp(a, b, length) == 0 without a call: tags and their names are
// short, and a word at a time compares them in a few steps.
__attribute__((always_inline)) inline bool SameBytes(const char* a, const char* b,
                                                     std::size_t length) {
  if (length < 8) return std::memcmp(a, b, length) == 0;
  for (std::size_t at = 0; at + 8 < length; at += 8) {
    if (EightBytesAt(a + at) != EightBytesAt(b + at)) return false;
  }
  return EightBytesAt(a + length - 8) == EightBytesAt(b + length - 8);
}

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

// Every known closing tag begins "</A": the other closing tags of a line,
// one on most lines, are passed over without a look at the table.
constexpr bool ClosingTagsBeginWithA() {
  for (const std::string_view text : kTexts) {
    if (text[1] == '/' && text[2] != 'A') return false;
  }
  return true;
}
static_assert(ClosingTagsBeginWithA(), "every known closing tag begins \"</A\"");

__attribute__((always_inline)) inline bool MayBeKnown(const char* open) {
  return open[1] != '/' || open[2] == 'A';
}

// The tag whose text is the `length` bytes at `open`; false when none is.
// Inlined into the scans, which call it once or twice a line.
__attribute__((always_inline)) inline bool FindTag(const char* open, std::size_t length,
                                                   InvoiceTag& tag) {
  if (length < kShortest || length > kLongest) return false;
  const std::uint8_t known = kIndex.by_slot[Slot(length, open[3])];
  if (known == kNone) return false;
  const std::string_view text = kTexts[known];
  if (text.size() != length || !SameBytes(open, text.data(), length)) return false;
  tag = static_cast<InvoiceTag>(known);
  return true;
}

}  // namespace tag_table
}  // namespace edihal

#endif  // EDIHAL_IMPORT_TAGTABLE_H
