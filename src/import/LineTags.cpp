#include "import/LineTags.h"

#include <algorithm>
#include <cstring>

#include "import/ElementValue.h"

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
  std::uint64_t closing_lengths;  // bit n: a closing tag is n bytes long

  constexpr TagIndex() : by_length(), closing_lengths(0) {
    std::size_t used[kLongest + 1] = {};
    for (auto& row : by_length) {
      for (auto& tag : row) tag = kNone;
    }
    for (std::uint8_t tag = 0; tag < static_cast<std::uint8_t>(InvoiceTag::kCount); ++tag) {
      const std::size_t length = kTexts[tag].size();
      by_length[length][used[length]++] = tag;
      if (kTexts[tag][1] == '/') closing_lengths |= std::uint64_t{1} << length;
    }
  }
};

constexpr TagIndex kIndex;

std::uint64_t EightBytesAt(const char* at) {
  std::uint64_t bytes;
  std::memcpy(&bytes, at, sizeof bytes);
  return bytes;
}

// memcmp(a, b, length) == 0 without a call: tags and their names are
// short, and a word at a time compares them in a few steps.
bool SameBytes(const char* a, const char* b, std::size_t length) {
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

// The tag whose text is the `length` bytes at `open`; false when none is.
// Inlined into the scans, which call it once or twice a line.
inline bool FindTag(const char* open, std::size_t length, InvoiceTag& tag) {
  if (length > kLongest) return false;
  // Tags of one length differ in their second byte.
  for (const std::uint8_t* known = kIndex.by_length[length]; *known != kNone; ++known) {
    const std::string_view text = kTexts[*known];
    if (open[1] == text[1] && SameBytes(open, text.data(), length)) {
      tag = static_cast<InvoiceTag>(*known);
      return true;
    }
  }
  return false;
}

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
    InvoiceTag tag;
    if (FindTag(open, length, tag)) Add(tag);
  }
}

ScannedLine ScanAnyLine(std::string_view line) {
  return ScannedLine{LineTags(line), ElementValueView(line)};
}

// Every "<" of such a line is at its start or ends the value, so the tags
// LineTags would find are the opening one and, when the line goes on, the
// closing one; and the value is what lies between them.
bool ScanOneElementLine(std::string_view line, ScannedLine& scanned) {
  const std::size_t size = line.size();
  if (size < kShortest || line[0] != '<') return false;
  const char* const text = line.data();
  const auto* close =
      static_cast<const char*>(std::memchr(text + 1, '>', std::min(size, kLongest) - 1));
  if (close == nullptr) return false;
  const auto* value_end = static_cast<const char*>(std::memchr(text + 1, '<', size - 1));
  if (value_end != nullptr && value_end < close) return false;
  const auto tag_length = static_cast<std::size_t>(close - text) + 1;
  LineTags tags;
  InvoiceTag tag;
  if (FindTag(text, tag_length, tag)) tags.Add(tag);
  if (value_end == nullptr) {
    scanned = ScannedLine{tags, std::string_view()};
    return true;
  }
  // The rest must be "</NAME>", the opening tag's name closed.
  const auto closing_length = static_cast<std::size_t>(text + size - value_end);
  if (closing_length != tag_length + 1 || value_end[1] != '/' ||
      !SameBytes(value_end + 2, text + 1, tag_length - 1)) {
    return false;
  }
  const bool may_be_known = (kIndex.closing_lengths >> closing_length) & 1u;
  if (may_be_known && FindTag(value_end, closing_length, tag)) tags.Add(tag);
  scanned = ScannedLine{
      tags, std::string_view(close + 1, static_cast<std::size_t>(value_end - close - 1))};
  return true;
}

ScannedLine ScanLine(std::string_view line) {
  ScannedLine scanned;
  if (!ScanOneElementLine(line, scanned)) scanned = ScanAnyLine(line);
  return scanned;
}

}  // namespace edihal
