// How the import reads one invoice line: which of the invoice's tags it
// holds, and the value of its element.  The import never parses XML: a tag
// is found by an exact, case-sensitive search inside one line, so it relies
// on the wholesaler writing one element per line.
#ifndef EDIHAL_IMPORT_SCAN_LINESCAN_H
#define EDIHAL_IMPORT_SCAN_LINESCAN_H

#include <cstdint>
#include <string_view>

namespace edihal {

// The tags the import reads.  Where a line holds several tags of one group,
// the first in this order counts (LineTags::First).
enum class InvoiceTag : unsigned {
  kSale,              // <ART_SALE>
  kReturn,            // <ART_RETURN>
  kSaleEnd,           // </ART_SALE>
  kReturnEnd,         // </ART_RETURN>
  kInvoiceId,         // <szInvoiceIDPDF>
  kDate,              // <szDate>
  kMediaNumber,       // <lMediaNmbr>
  kItemId,            // <szItemID>
  kDesc1,             // <szDesc1>
  kDescription,       // <szDescription>
  kPackagePrintCode,  // <szPackagePrintCode>
  kVatPrintCode,      // <szVatPrintCode>
  kInputString,       // <szInputString>
  kEanSingle,         // <EanSingle>
  kPieceQuantity,     // <dPieceQuantity>
  kQuantityEntry,     // <dQuantityEntry>
  kPieceContents,     // <dPieceContentsQuantity>
  kPrice,             // <dTaAveragePiecePriceDiscounted>
  kTotal,             // <dTaTotal>
  kMeasurementEntry,  // <dMeasurementEntry1>
  kStructureId,       // <lMerchandiseStructureID>
  kGroupId,           // <lMerchandiseGroupID>
  kSubGroupId,        // <lMerchandiseSubGroupID>
  kCount
};

// The tag's text, brackets included.
std::string_view TagText(InvoiceTag tag);

// The known tags one line holds.
class LineTags {
 public:
  void Add(InvoiceTag tag) { bits_ |= Bit(tag); }
  void Remove(InvoiceTag tag) { bits_ &= ~Bit(tag); }
  bool Has(InvoiceTag tag) const { return (bits_ & Bit(tag)) != 0; }
  bool Any() const { return bits_ != 0; }
  // The first tag of the line from `first` to `last`, in the order above;
  // kCount when it holds none of them.
  InvoiceTag First(InvoiceTag first, InvoiceTag last) const {
    const std::uint32_t from = ~std::uint32_t{0} << static_cast<unsigned>(first);
    const std::uint32_t to = ~std::uint32_t{0} >> (31 - static_cast<unsigned>(last));
    const std::uint32_t among = bits_ & from & to;
    return among == 0 ? InvoiceTag::kCount : static_cast<InvoiceTag>(__builtin_ctz(among));
  }
  bool operator==(const LineTags& other) const { return bits_ == other.bits_; }

 private:
  static std::uint32_t Bit(InvoiceTag tag) {
    return std::uint32_t{1} << static_cast<unsigned>(tag);
  }
  std::uint32_t bits_ = 0;
};

// A line's tags and the value of its element, viewing the line.
struct ScannedLine {
  LineTags tags;
  std::string_view value;
  // The line, trimmed, is one element: `element` is its opening tag (or
  // its lone tag, "</NAME>" included), brackets and all, and `closed`
  // says that the element's closing tag ends the line.  Such a line holds
  // no tag but these two.
  bool one_element = false;
  bool closed = false;
  std::string_view element;
};

// The first known tag of `line` that begins at or after byte `from`: its
// position, with the tag in `tag`; npos when there is none.  Walks a
// line's tags in their order, each occurrence.
std::size_t FindTag(std::string_view line, std::size_t from, InvoiceTag& tag);

// The bytes between the first ">" of the line and the next "<" after it;
// empty when either is missing.  Nothing is trimmed or decoded.
std::string_view ElementValue(std::string_view line);

// The tags `line` holds, as a search for each of them would find them, and
// its ElementValue.  Most lines of an invoice are one element,
// "<NAME>value</NAME>", or a lone "<NAME>": such a line is read from its
// brackets alone; any other line is searched "<" by "<" (FindTag).  Both
// ways give the same for every line.
ScannedLine ScanLine(std::string_view line);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_SCAN_LINESCAN_H
