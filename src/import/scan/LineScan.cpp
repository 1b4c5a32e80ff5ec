#include "import/scan/LineScan.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace edihal {

namespace {

constexpr std::string_view kTagTexts[] = {
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
constexpr unsigned kTagCount = static_cast<unsigned>(InvoiceTag::kCount);
static_assert(sizeof kTagTexts / sizeof kTagTexts[0] == kTagCount, "one text per tag");

// Every tag text holds one "<", at its start, and one ">", at its end: a
// tag that starts at a "<" of a line ends at the first ">" after it.  The
// tag's length and its fourth byte tell every known tag from every other
// and pick its slot in a table the compiler builds, so the text from a "<"
// to its ">" is compared with one known tag at most.
constexpr std::size_t kShortest = 8;
constexpr std::size_t kLongest = 32;
constexpr std::size_t kSlots = 64;
constexpr std::uint8_t kNoTag = 0xFF;

constexpr std::size_t Slot(std::size_t length, char fourth) {
  return (length * 2 + static_cast<unsigned char>(fourth) * 19u) % kSlots;
}

struct TagSlots {
  std::uint8_t tag[kSlots];
  bool one_per_slot;

  constexpr TagSlots() : tag(), one_per_slot(true) {
    for (auto& slot : tag) slot = kNoTag;
    for (unsigned known = 0; known < kTagCount; ++known) {
      const std::string_view text = kTagTexts[known];
      std::uint8_t& slot = tag[Slot(text.size(), text[3])];
      if (slot != kNoTag) one_per_slot = false;
      slot = static_cast<std::uint8_t>(known);
    }
  }
};
constexpr TagSlots kTagSlots;
static_assert(kTagSlots.one_per_slot, "no two tags share a slot");

constexpr bool EveryTagFits() {
  for (const std::string_view text : kTagTexts) {
    if (text.size() < kShortest || text.size() > kLongest || text.front() != '<' ||
        text.back() != '>' || text.find('<', 1) != std::string_view::npos ||
        text.find('>') != text.size() - 1) {
      return false;
    }
  }
  return true;
}
static_assert(EveryTagFits(), "tags are 8 to 32 bytes from one \"<\" to one \">\"");

// The known tag from the "<" at `open` to the ">" at `close`; kCount when
// it is none.
inline InvoiceTag TagAt(const char* open, const char* close) {
  const auto length = static_cast<std::size_t>(close - open) + 1;
  if (length < kShortest || length > kLongest) return InvoiceTag::kCount;
  const std::uint8_t known = kTagSlots.tag[Slot(length, open[3])];
  if (known == kNoTag) return InvoiceTag::kCount;
  const std::string_view text = kTagTexts[known];
  if (text.size() != length || std::memcmp(text.data(), open, length) != 0) {
    return InvoiceTag::kCount;
  }
  return static_cast<InvoiceTag>(known);
}

const char* Find(const char* from, const char* end, char byte) {
  return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(end - from)));
}

}  // namespace

std::string_view TagText(InvoiceTag tag) {
  return kTagTexts[static_cast<unsigned>(tag)];
}

std::string_view ElementValue(std::string_view line) {
  const std::size_t open = line.find('>');
  if (open == std::string_view::npos) return std::string_view();
  const std::size_t close = line.find('<', open + 1);
  if (close == std::string_view::npos) return std::string_view();
  return line.substr(open + 1, close - open - 1);
}

// Every "<" of the line can begin only the tag that ends at the first ">"
// after it.
std::size_t FindTag(std::string_view line, std::size_t from, InvoiceTag& tag) {
  const char* const end = line.data() + line.size();
  if (from >= line.size()) return std::string_view::npos;
  for (const char* open = Find(line.data() + from, end, '<'); open != nullptr;
       open = Find(open + 1, end, '<')) {
    const char* close = Find(open + 1, std::min(end, open + kLongest), '>');
    if (close == nullptr) continue;
    tag = TagAt(open, close);
    if (tag != InvoiceTag::kCount) return static_cast<std::size_t>(open - line.data());
  }
  return std::string_view::npos;
}

namespace {

ScannedLine ScanAnyLine(std::string_view line) {
  ScannedLine scanned;
  InvoiceTag tag = InvoiceTag::kCount;
  for (std::size_t at = FindTag(line, 0, tag); at != std::string_view::npos;
       at = FindTag(line, at + 1, tag)) {
    scanned.tags.Add(tag);
  }
  scanned.value = ElementValue(line);
  return scanned;
}

// A line that is one element, "<NAME>value</NAME>", or an opening tag with
// no "<" after it, holds no "<" but at its start and where its value ends:
// the tags ScanAnyLine would find are the opening one and the closing one,
// and the value is what lies between them.  Of the closing tags only those
// of the blocks are known, and they close known opening tags.
inline bool ScanOneElement(const char* text, const char* end, ScannedLine& scanned) {
  if (end - text < static_cast<std::ptrdiff_t>(kShortest) || text[0] != '<') return false;
  const char* const close = Find(text + 1, std::min(end, text + kLongest), '>');
  if (close == nullptr) return false;
  const char* const value_end = Find(text + 1, end, '<');
  const auto name = static_cast<std::size_t>(close - text);  // with its ">"
  if (value_end != nullptr &&
      (value_end < close || static_cast<std::size_t>(end - value_end) != name + 2 ||
       value_end[1] != '/' || std::memcmp(value_end + 2, text + 1, name) != 0)) {
    return false;
  }
  scanned = ScannedLine();
  scanned.one_element = true;
  scanned.element = std::string_view(text, name + 1);
  const InvoiceTag tag = TagAt(text, close);
  if (tag != InvoiceTag::kCount) scanned.tags.Add(tag);
  if (value_end == nullptr) return true;
  scanned.closed = true;
  scanned.value = std::string_view(close + 1, static_cast<std::size_t>(value_end - close - 1));
  if (tag == InvoiceTag::kSale) scanned.tags.Add(InvoiceTag::kSaleEnd);
  if (tag == InvoiceTag::kReturn) scanned.tags.Add(InvoiceTag::kReturnEnd);
  return true;
}

}  // namespace

ScannedLine ScanLine(std::string_view line) {
  // Trimmed, most lines are one element; the blanks around the line are
  // not among the tags or the value.
  const char* begin = line.data();
  const char* end = begin + line.size();
  while (begin != end && static_cast<unsigned char>(*begin) <= 0x20) ++begin;
  while (end != begin && static_cast<unsigned char>(end[-1]) <= 0x20) --end;
  ScannedLine scanned;
  if (!ScanOneElement(begin, end, scanned)) {
    scanned = ScanAnyLine(std::string_view(begin, static_cast<std::size_t>(end - begin)));
  }
  return scanned;
}

}  // namespace edihal
