// The second reading of an invoice: every sale or return block becomes one
// "Linia:" record of the host document text.
//
// Values of a block come from the tags of its lines; some are reset when a
// block opens, the others (name, item number, short description, unit,
// rate, value, piece content) carry over into the next block that lacks
// their tag, and the piece factor lives for the whole import.
#ifndef EDIHAL_IMPORT_LINECONVERSION_H
#define EDIHAL_IMPORT_LINECONVERSION_H

#include <string>
#include <string_view>

#include "charsets/SourceEncoding.h"
#include "import/categorise/Categorisation.h"
#include "import/scan/LineScan.h"

namespace edihal {

// The rate texts the host configured for the wholesaler's VAT codes.
struct VatRates {
  std::string a, b, c, d, g;  // codes "A", "B", "C", "D" and "np"
  // The rate of `code`, compared exactly; null for any other code.
  const std::string* Of(std::string_view code) const;
};

// Whether `code` is in the VAT table.
bool IsVatCode(std::string_view code);

struct LineConversionSettings {
  VatRates rates;
  SourceEncoding encoding = SourceEncoding::kNone;
  char decimal_separator = '.';              // the locale's
  std::string invoice_path;                  // named in error messages
  Categorisation* categorisation = nullptr;  // null: lines get no assortment
};

class LineConversion {
 public:
  explicit LineConversion(LineConversionSettings settings);

  // Takes the next line of the invoice, as read; `number` is its 1-based
  // line number, for error messages.  True when the line finished a block:
  // `record` then holds its "Linia:" record, in Windows-1250.  A number
  // that cannot be read, or a product of two that is beyond the range of
  // numbers, raises EConvertError naming the invoice, the line, the tag
  // and the text(s).
  bool TakeLine(std::string_view line, long number, std::string& record);

 private:
  struct Block {
    std::string name, item_number, short_description, unit, rate, value, piece_content;
    std::string input_code, bar_code, quantity, price;
    std::string quantity_text;  // as the invoice wrote it, for messages
    std::string structure, group, subgroup;
  };
  // Where a number text came from, for the message when it is not one.
  struct Origin {
    InvoiceTag tag = InvoiceTag::kQuantityEntry;
    long line = 0;
  };

  void OpenBlock();
  void TakeDescriptiveTag(InvoiceTag tag, std::string_view value);
  void TakeQuantityOrCodeTag(InvoiceTag tag, std::string_view value, long number);
  void TakeQuantityEntry(std::string_view value, long number);
  void FinishBlock(long number, std::string& record);
  std::string Assortment() const;
  long double ReadNumber(std::string_view text, const Origin& origin) const;
  // `a` times `b`, whose texts were `a_text` and `b_text`; a product beyond
  // the range of numbers (infinite) raises EConvertError naming both.
  long double Product(long double a, std::string_view a_text, long double b,
                      std::string_view b_text, const Origin& origin) const;
  std::string WhereText(const Origin& origin) const;

  LineConversionSettings settings_;
  bool in_block_ = false;
  Block block_;
  Origin quantity_origin_;
  Origin price_origin_;
  // Multiplies "<dQuantityEntry>"; 1 until the first "<dPieceQuantity>".
  long double piece_factor_ = 1;
  std::string piece_factor_text_ = "1";
  std::string tail_;  // the record's part after the assortment, kept for its buffer
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_LINECONVERSION_H
