// The invoice tags a line holds, found in one scan: each "<" of the line is
// matched against the known tags, which is the same as searching the line
// for every tag in turn (every tag begins with "<"), without rereading the
// line once per tag.
#ifndef EDIHAL_IMPORT_LINETAGS_H
#define EDIHAL_IMPORT_LINETAGS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace edihal {

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

class LineTags {
 public:
  LineTags() = default;
  explicit LineTags(std::string_view line);
  void Add(InvoiceTag tag) { bits_ |= 1u << static_cast<unsigned>(tag); }
  // True when the tag occurs anywhere in the line, compared exactly.
  bool Has(InvoiceTag tag) const { return (bits_ >> static_cast<unsigned>(tag)) & 1u; }
  bool Any() const { return bits_ != 0; }
  // True when the line holds exactly one tag.
  bool One() const { return bits_ != 0 && (bits_ & (bits_ - 1)) == 0; }
  void Remove(InvoiceTag tag) { bits_ &= ~(1u << static_cast<unsigned>(tag)); }
  // The first tag of the line from `first` to `last` in the order above;
  // kCount when it holds none of them.
  InvoiceTag FirstIn(InvoiceTag first, InvoiceTag last) const {
    const std::uint32_t from = ~0u << static_cast<unsigned>(first);
    const std::uint32_t to = ~0u >> (31 - static_cast<unsigned>(last));
    const std::uint32_t among = bits_ & from & to;
    return among == 0 ? InvoiceTag::kCount : static_cast<InvoiceTag>(__builtin_ctz(among));
  }
  bool operator==(const LineTags& other) const { return bits_ == other.bits_; }

 private:
  std::uint32_t bits_ = 0;
};

// A line's tags and the value of its element (ElementValue, viewing the
// line), as the import reads them.
struct ScannedLine {
  LineTags tags;
  std::string_view value;
};

// Most lines of an invoice hold one element and nothing else:
// "<NAME>value</NAME>", or a lone "<NAME>".  Such a line is read in one
// scan of its bytes; any other line takes the general way, LineTags and
// ElementValue.  Both ways give the same for every line.
ScannedLine ScanLine(std::string_view line);
// The one-scan way alone: false, and nothing set, for a line of another
// shape.
bool ScanOneElementLine(std::string_view line, ScannedLine& scanned);
// The general way alone.
ScannedLine ScanAnyLine(std::string_view line);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_LINETAGS_H
