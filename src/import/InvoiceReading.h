// The first reading of an invoice: its declared encoding, its header
// values, the number of line blocks it announces, and what it finds on the
// way, each with its line.  The import reads an invoice so before it writes
// anything, and vexhost check reads it the same way to say what the import
// will make of it.
//
// The import reads invoices line by line and relies on one element per
// line.  Some findings mean that such a reading would lose or misplace
// something the import reads: the import refuses those invoices.  The
// others lose nothing and are warnings for vexhost check.
#ifndef EDIHAL_IMPORT_INVOICEREADING_H
#define EDIHAL_IMPORT_INVOICEREADING_H

#include <string>
#include <string_view>
#include <vector>

#include "charsets/SourceEncoding.h"
#include "import/scan/LineScan.h"
#include "linefile/LineReader.h"

namespace edihal {

enum class FindingKind {
  // The import refuses the invoice.
  kSeveralElements,        // a line holds two or more of what the import reads
  kWholeInvoiceOnOneLine,  // the same, on the file's only line
  kBlockOpenAtNext,        // a block still open when the next one opens
  kBlockOpenAtEnd,         // a block still open at the end of the file
  kCloseWithoutOpen,       // a block's closing tag with no block open
  kOutermostNotClosed,     // the outermost element never closed: the file was cut
  kNoElement,              // not a single element: a transfer not yet written
  // Warnings.
  kUnknownEncoding,  // a declared encoding the import does not convert
  kUnknownVatCode,   // a VAT code outside the table: the block keeps the rate before
  kInvalidBytes,     // bytes that are no characters in the declared encoding
  kBadNumber,        // a number the import cannot read (its own message)
  kNoAssortment,     // a group the side files do not file: the dialog asks
};

struct InvoiceFinding {
  long line;  // 1-based
  FindingKind kind;
  std::string text;  // Polish, Windows-1250
  bool Refuses() const { return kind <= FindingKind::kNoElement; }
};

struct InvoiceHeader {
  SourceEncoding encoding = SourceEncoding::kNone;
  std::string number;        // "<szInvoiceIDPDF>", untrimmed
  bool has_date = false;     // a "<szDate>" line was seen
  std::string date;          // DD.MM.YYYY from "<szDate>"
  std::string payment_form;  // from "<lMediaNmbr>"; empty without one
  int line_count = 0;        // lines holding a closing block tag
};

class InvoiceReading {
 public:
  // With `warnings`, the findings that lose nothing are kept too.
  explicit InvoiceReading(bool warnings = false) : warnings_(warnings) {}

  // The next line, as read; `number` is its 1-based line number.  A later
  // header tag overwrites an earlier one.
  void TakeLine(std::string_view line, long number);
  // After the last line; `lines` is how many the file has.
  void Finish(long lines);

  const InvoiceHeader& Header() const { return header_; }
  // In line order once finished.
  const std::vector<InvoiceFinding>& Findings() const { return findings_; }
  // The first finding that makes the import refuse the invoice, or null.
  const InvoiceFinding* Refusal() const;

 private:
  void TakeHeader(const ScannedLine& scanned);
  void TakeTags(std::string_view line, const ScannedLine& scanned, int declarations, long number);
  int CountTag(InvoiceTag tag, long number);
  void LookForOutermost(std::string_view line, const ScannedLine& scanned, long number);
  void Add(long line, FindingKind kind, std::string text);

  bool warnings_;
  InvoiceHeader header_;
  std::vector<InvoiceFinding> findings_;
  bool in_block_ = false;
  long block_opened_at_ = 0;
  std::string outermost_;          // the outermost element's name; empty until found
  std::string outermost_closing_;  // "</" and its name
  long outermost_at_ = 0;
  bool outermost_closed_ = false;
  long lines_with_text_ = 0;  // not empty
  long crowded_lines_ = 0;
};

// Reads `invoice` from its current position to its end.
void ReadInvoice(LineReader& invoice, InvoiceReading& reading);

// The host's payment form of a "<lMediaNmbr>" value.
std::string PaymentForm(const std::string& media_number);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_INVOICEREADING_H
