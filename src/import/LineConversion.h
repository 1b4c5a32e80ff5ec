// The second pass over an invoice: every sale or return block becomes one
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
#include <type_traits>

#include "import/Categorisation.h"
#include "import/DocumentText.h"
#include "import/FieldValue.h"
#include "import/LineTags.h"
#include "import/ScannedRun.h"
#include "import/SourceEncoding.h"

namespace edihal {

// The rate texts the host configured for the wholesaler's VAT codes.
struct VatRates {
  std::string a, b, c, d, g;  // codes "A", "B", "C", "D" and "np"
};

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
  // `record` then holds its "Linia:" record, converted to Windows-1250.
  // A number that cannot be read, or a product of two that is beyond the
  // range of numbers, raises EConvertError naming the invoice, the line,
  // the tag and the text(s).
  bool TakeLine(std::string_view line, long number, std::string& record);
  // The same for a line already scanned, as ScanLine scans it trimmed.
  // The block may keep views of the line until EndOfRun.
  bool TakeScannedLine(const ScannedLine& line, long number, std::string& record);
  // Copies what the block views of the run of lines the scanned lines came
  // from, before the run is gone.
  void EndOfRun();

  // Takes every line of a run NextLines gave, counting them in `number`;
  // calls `write` with `record` after each line that finished a block.
  template <typename Write>
  void TakeRun(std::string_view run, long& number, std::string& record, Write&& write) {
    using Writer = std::remove_reference_t<Write>;
    TakeRunLines(
        run, number, record,
        [](void* writer, const std::string& done) { (*static_cast<Writer*>(writer))(done); },
        const_cast<void*>(static_cast<const void*>(&write)));
  }

 private:
  struct Block {
    FieldValue name, item_number, short_description, unit, rate, value, piece_content;
    FieldValue input_code, bar_code, quantity, price;
    FieldValue quantity_text;  // as the invoice wrote it, for messages
    FieldValue structure, group, subgroup;
  };
  // Where a number text came from, for the message when it is not one.
  struct Origin {
    InvoiceTag tag = InvoiceTag::kQuantityEntry;
    long line = 0;
  };

  // TakeRun's loop, here so that each line is taken inline: `write` gets
  // `writer` and each record.
  void TakeRunLines(std::string_view run, long& number, std::string& record,
                    void (*write)(void* writer, const std::string& record), void* writer);
  inline bool TakeLineOfRun(const ScannedLine& line, long number, std::string& record);
  void OpenBlock();
  // Inlined into TakeLineOfRun, their one caller.
  inline void TakeDescriptiveTag(InvoiceTag tag, std::string_view value);
  inline void TakeQuantityOrCodeTag(InvoiceTag tag, std::string_view value, long number);
  void TakePieceQuantity(std::string_view value, long number);
  void TakeQuantityEntry(std::string_view value, long number);
  void FinishBlock(long number, std::string& record);
  void ConvertedRecord(const LineFields& fields, std::string& record);
  const std::string* RateOfCode(std::string_view code) const;
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
  FieldValue piece_factor_text_{"1"};
  // A UTF-8 record's part after the assortment, while it is converted.
  std::string after_assortment_;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_LINECONVERSION_H
