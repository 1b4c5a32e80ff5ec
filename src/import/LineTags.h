// The invoice tags a line holds, found in one scan: each "<" of the line is
// matched against the known tags, which is the same as searching the line
// for every tag in turn (every tag begins with "<"), without rereading the
// line once per tag.
#ifndef EDIHAL_IMPORT_LINETAGS_H
#define EDIHAL_IMPORT_LINETAGS_H

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
  explicit LineTags(std::string_view line);
  // True when the tag occurs anywhere in the line, compared exactly.
  bool Has(InvoiceTag tag) const { return (bits_ >> static_cast<unsigned>(tag)) & 1u; }
  bool Any() const { return bits_ != 0; }

 private:
  std::uint32_t bits_ = 0;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_LINETAGS_H
