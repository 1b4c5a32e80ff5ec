// The conversion of an invoice's line blocks: every sale or return block
// becomes one "Linia:" record of the host document text.  It is the second
// of two passes, or the one pass that reads the header on the way
// (InvoiceConversion.h).
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

#include "import/AssortmentEncodings.h"
#include "import/Categorisation.h"
#include "import/DocumentText.h"
#include "import/FieldValue.h"
#include "import/InvoiceHeader.h"
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
    TakeRunLines(run, number, record, nullptr, &Call<Write>, WriterOf(write));
  }
  // The same, and every line also goes into `header` as ScanHeaderLine
  // takes it: the header is read in the same pass as the blocks.  Records
  // are converted from the encoding declared so far; a declaration that
  // changes it once a record is made is kept apart (EncodingDeclaredLate)
  // and the records go on in the encoding they began with.
  template <typename Write>
  void TakeRunAndHeader(std::string_view run, long& number, std::string& record,
                        InvoiceHeader& header, Write&& write) {
    TakeRunLines(run, number, record, &header, &Call<Write>, WriterOf(write));
  }
  // Whether the invoice declared another encoding after the first record.
  bool EncodingDeclaredLate() const { return encoding_declared_late_; }

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

  using WriteFunction = void (*)(void* writer, const std::string& record);
  template <typename Write>
  static void Call(void* writer, const std::string& record) {
    (*static_cast<std::remove_reference_t<Write>*>(writer))(record);
  }
  template <typename Write>
  static void* WriterOf(Write& write) {
    return const_cast<void*>(static_cast<const void*>(&write));
  }

  // TakeRun's loop, here so that each line is taken inline: `write` gets
  // `writer` and each record.  With a header, each line goes into it too.
  void TakeRunLines(std::string_view run, long& number, std::string& record, InvoiceHeader* header,
                    WriteFunction write, void* writer);
  template <bool kWithHeader>
  void TakeLinesOfRun(std::string_view run, long& number, std::string& record,
                      InvoiceHeader* header, WriteFunction write, void* writer);
  inline void TakeHeaderOfLine(const ScannedLine& line, std::string_view raw, bool has_quote,
                               InvoiceHeader& header);
  void TakeDeclaredEncoding(SourceEncoding encoding);
  inline bool TakeLineOfRun(const ScannedLine& line, long number, std::string& record);
  void OpenBlock();
  // Inlined into TakeLineOfRun, their one caller.
  inline void TakeDescriptiveTag(InvoiceTag tag, std::string_view value);
  inline void TakeQuantityOrCodeTag(InvoiceTag tag, std::string_view value, long number);
  void TakePieceQuantity(std::string_view value, long number);
  void TakeQuantityEntry(std::string_view value, long number);
  void FinishBlock(long number, std::string& record);
  // `assortment_encoded`: the fields' assortment is in the invoice's
  // encoding and converts back to itself.
  void ConvertedRecord(const LineFields& fields, bool assortment_encoded, std::string& record);
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
  // The known assortments in the invoice's encoding, for the records.
  AssortmentEncodings assortment_encodings_;
  bool made_record_ = false;
  bool encoding_declared_late_ = false;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_LINECONVERSION_H
