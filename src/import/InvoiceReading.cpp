#include "import/InvoiceReading.h"

#include <algorithm>
#include <utility>

#include "base/Texts.h"
#include "charsets/AnsiCodePage.h"
#include "import/LineConversion.h"
#include "text/Text.h"

namespace edihal {

namespace {

constexpr std::string_view kEncodingAttribute = "encoding=\"";

// How often the line holds the encoding attribute.  The attribute holds a
// quotation mark, which most lines lack: they are passed over with one
// search.
int Declarations(std::string_view line) {
  if (line.find('"') == std::string_view::npos) return 0;
  int count = 0;
  for (std::size_t at = line.find(kEncodingAttribute); at != line.npos;
       at = line.find(kEncodingAttribute, at + 1)) {
    ++count;
  }
  return count;
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// The name of the first start tag of `line` ("<" and a name; not a
// closing tag, a declaration or a comment), and in `end` where the tag's
// name ends; empty when the line holds none.
std::string_view FirstStartTag(std::string_view line, std::size_t& end) {
  for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
    if (at + 1 >= line.size()) break;
    const char next = line[at + 1];
    if (IsBlank(next) || std::string_view("/?!<>=").find(next) != std::string_view::npos) continue;
    end = at + 1;
    while (end < line.size() && !IsBlank(line[end]) && line[end] != '/' && line[end] != '>') ++end;
    return line.substr(at + 1, end - at - 1);
  }
  return std::string_view();
}

// Whether `text` holds `closing` ("</NAME") ended by ">" or a blank.
bool HoldsClosingTag(std::string_view text, std::string_view closing) {
  for (std::size_t at = text.find(closing); at != std::string_view::npos;
       at = text.find(closing, at + 1)) {
    const std::size_t after = at + closing.size();
    if (after < text.size() && (text[after] == '>' || IsBlank(text[after]))) return true;
  }
  return false;
}

}  // namespace

void InvoiceReading::Add(long line, FindingKind kind, std::string text) {
  findings_.push_back({line, kind, std::move(text)});
}

void InvoiceReading::TakeLine(std::string_view line, long number) {
  if (line.empty()) return;
  ++lines_with_text_;
  const int declarations = Declarations(line);
  const ScannedLine scanned = ScanLine(line);
  TakeTags(line, scanned, declarations, number);
  if (!outermost_closed_) LookForOutermost(line, scanned, number);
  if (declarations == 0) {
    TakeHeader(scanned);
    return;
  }
  // The header sees only the declared name (or what follows the attribute
  // when its closing quote is missing), and a known name selects the
  // encoding.
  std::string_view rest = line.substr(line.find(kEncodingAttribute) + kEncodingAttribute.size());
  const std::size_t quote = rest.find('"');
  if (quote != std::string_view::npos) {
    rest = rest.substr(0, quote);
    SourceEncoding declared = SourceEncoding::kNone;
    if (!DeclaredEncoding(AnsiUpperCase(std::string(rest)), declared)) {
      if (warnings_) {
        Add(number, FindingKind::kUnknownEncoding,
            texts::kFindingUnknownEncoding + std::string(rest) +
                texts::kFindingUnknownEncodingTail);
      }
    } else if (declared != SourceEncoding::kNone) {
      header_.encoding = declared;
    }
  }
  TakeHeader(ScanLine(rest));
}

void InvoiceReading::TakeHeader(const ScannedLine& scanned) {
  const LineTags& tags = scanned.tags;
  if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
    ++header_.line_count;
  } else if (tags.Has(InvoiceTag::kInvoiceId)) {
    header_.number = std::string(scanned.value);
  } else if (tags.Has(InvoiceTag::kDate)) {
    header_.has_date = true;
    header_.date = InvoiceDateText(Trim(std::string(scanned.value)));
  } else if (tags.Has(InvoiceTag::kMediaNumber)) {
    header_.payment_form = PaymentForm(Trim(std::string(scanned.value)));
  }
}

// Each value is taken from its line's first element: a line that holds two
// or more of what the import reads there loses or misplaces the others.
// Counted, each occurrence: a block's opening and closing tags, the
// encoding attribute, the header's tags anywhere and a line's fields
// inside a block.
void InvoiceReading::TakeTags(std::string_view line, const ScannedLine& scanned, int declarations,
                              long number) {
  int count = declarations;
  if (scanned.one_element) {
    // Its own tag, then, for a block written on one line, its closing tag.
    for (LineTags tags = scanned.tags; tags.Any();) {
      const InvoiceTag tag = tags.First(InvoiceTag::kSale, InvoiceTag::kSubGroupId);
      count += CountTag(tag, number);
      tags.Remove(tag);
    }
  } else {
    InvoiceTag tag = InvoiceTag::kCount;
    for (std::size_t at = FindTag(line, 0, tag); at != std::string_view::npos;
         at = FindTag(line, at + 1, tag)) {
      count += CountTag(tag, number);
    }
  }
  if (count >= 2) {
    Add(number, FindingKind::kSeveralElements, texts::kFindingSeveralElements);
    ++crowded_lines_;
  } else if (warnings_ && count == 1 && in_block_ && scanned.tags.Has(InvoiceTag::kVatPrintCode) &&
             !IsVatCode(scanned.value)) {
    // The block keeps the rate of the one before.
    Add(number, FindingKind::kUnknownVatCode,
        texts::kFindingUnknownVat + ToWindows1250(std::string(scanned.value), header_.encoding) +
            texts::kFindingUnknownVatTail);
  }
}

// 1 when `tag` counts among what the line's reading takes.
int InvoiceReading::CountTag(InvoiceTag tag, long number) {
  switch (tag) {
    case InvoiceTag::kSale:
    case InvoiceTag::kReturn:
      if (in_block_) {
        Add(number, FindingKind::kBlockOpenAtNext,
            texts::kFindingBlockOpenAt + std::to_string(block_opened_at_) +
                texts::kFindingNotClosedBeforeNext);
      }
      in_block_ = true;
      block_opened_at_ = number;
      return 1;
    case InvoiceTag::kSaleEnd:
    case InvoiceTag::kReturnEnd:
      if (!in_block_) {
        Add(number, FindingKind::kCloseWithoutOpen,
            texts::kFindingCloseWithoutOpen + std::string(TagText(tag)));
      }
      in_block_ = false;
      return 1;
    case InvoiceTag::kInvoiceId:
    case InvoiceTag::kDate:
    case InvoiceTag::kMediaNumber:
      return 1;
    default:
      return in_block_ ? 1 : 0;
  }
}

// The outermost element is the one the first start tag opens; a file cut
// between two blocks never closes it.
void InvoiceReading::LookForOutermost(std::string_view line, const ScannedLine& scanned,
                                      long number) {
  if (outermost_.empty()) {
    std::size_t end = 0;
    const std::string_view name = FirstStartTag(line, end);
    if (name.empty()) return;
    outermost_ = std::string(name);
    outermost_closing_ = "</" + outermost_;
    outermost_at_ = number;
    const std::size_t close = line.find('>', end);
    outermost_closed_ = (close != std::string_view::npos && line[close - 1] == '/') ||
                        HoldsClosingTag(line.substr(end), outermost_closing_);
  } else if (!scanned.one_element || scanned.element[1] == '/') {
    outermost_closed_ =
        HoldsClosingTag(scanned.one_element ? scanned.element : line, outermost_closing_);
  } else if (scanned.closed) {
    // A line of one element closes only that element.
    const std::string_view element = scanned.element;
    outermost_closed_ = element.size() == outermost_.size() + 2 &&
                        element.compare(1, outermost_.size(), outermost_) == 0;
  }
}

// What the end of the file leaves open shows at its last line.
void InvoiceReading::Finish(long lines) {
  const long last = std::max(lines, 1L);
  if (in_block_) {
    Add(last, FindingKind::kBlockOpenAtEnd,
        texts::kFindingBlockOpenAt + std::to_string(block_opened_at_) +
            texts::kFindingNotClosedAtEnd);
  }
  if (outermost_.empty()) {
    Add(last, FindingKind::kNoElement, texts::kFindingNoElement);
  } else if (!outermost_closed_) {
    Add(last, FindingKind::kOutermostNotClosed,
        texts::kFindingElement + outermost_ + texts::kFindingElementOpenAt +
            std::to_string(outermost_at_) + texts::kFindingElementNotClosed);
  }
  if (lines_with_text_ == 1 && crowded_lines_ == 1) {
    for (InvoiceFinding& finding : findings_) {
      if (finding.kind != FindingKind::kSeveralElements) continue;
      finding.kind = FindingKind::kWholeInvoiceOnOneLine;
      finding.text = texts::kFindingWholeInvoiceOnOneLine;
    }
  }
  std::stable_sort(
      findings_.begin(), findings_.end(),
      [](const InvoiceFinding& a, const InvoiceFinding& b) { return a.line < b.line; });
}

const InvoiceFinding* InvoiceReading::Refusal() const {
  const auto found = std::find_if(findings_.begin(), findings_.end(),
                                  [](const InvoiceFinding& finding) { return finding.Refuses(); });
  return found != findings_.end() ? &*found : nullptr;
}

void ReadInvoice(LineReader& invoice, InvoiceReading& reading) {
  std::string_view line;
  long number = 0;
  while (invoice.NextLine(line)) reading.TakeLine(line, ++number);
  reading.Finish(number);
}

std::string PaymentForm(const std::string& media_number) {
  if (media_number == "1") return "GOT";
  if (media_number == "1300") return "PRZEL";
  if (media_number == "300") return "KARTA";
  return "INNA";
}

}  // namespace edihal
