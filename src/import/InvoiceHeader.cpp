#include "import/InvoiceHeader.h"

#include <algorithm>
#include <cstring>

#include "import/ByteFinder.h"
#include "import/ElementValue.h"
#include "import/LineTags.h"
#include "import/TagTable.h"
#include "selection/TextPrimitives.h"

namespace edihal {

namespace {

constexpr std::string_view kEncodingAttribute = "encoding=\"";

// On a line with an encoding declaration: the line is cut down to the
// declared name (or to what follows the attribute when its closing quote
// is missing), and a known name selects the encoding.
void ScanEncoding(std::string_view& line, SourceEncoding& encoding) {
  // Most lines hold no quotation mark at all: a quick way out for them.
  if (line.find('"') == std::string_view::npos) return;
  const std::size_t at = line.find(kEncodingAttribute);
  if (at == std::string_view::npos) return;
  line.remove_prefix(at + kEncodingAttribute.size());
  const std::size_t quote = line.find('"');
  if (quote == std::string_view::npos) return;
  line = line.substr(0, quote);
  const std::string name = AnsiUpperCase(std::string(line));
  if (name == "ISO-8859-2") encoding = SourceEncoding::kIso88592;
  if (name == "UTF-8") encoding = SourceEncoding::kUtf8;
}

// Whether the bytes at `open`, a "<" with at least eight bytes from it,
// begin one of the tags the header reads: their first six bytes tell them
// from every other tag the import knows.
bool StartsHeaderTag(const char* open) {
  switch (open[1]) {
    case '/':
      return std::memcmp(open, "</ART_", 6) == 0;
    case 's':
      return std::memcmp(open, "<szInv", 6) == 0 || std::memcmp(open, "<szDat", 6) == 0;
    case 'l':
      return std::memcmp(open, "<lMedi", 6) == 0;
    default:
      return false;
  }
}

// Finds, in a run of lines, the lines that can matter to the header: those
// with a quotation mark (an encoding declaration) or the start of a header
// tag.  One scan of the run finds the few "<" that may begin one (see
// HeaderTagOpenings); each costs a look at the bytes after it, and every
// other line is passed over without being split.  Quotation marks are
// rare, and searched for apart.
class HeaderCandidates {
 public:
  explicit HeaderCandidates(std::string_view lines)
      : lines_(lines),
        openings_(lines),
        quote_(std::min(lines.find('"'), lines.size())),
        // A "<" from here on has fewer than eight bytes from it: no header
        // tag starts there.
        tag_starts_end_(lines.size() < 8 ? 0 : lines.size() - 7) {}

  // The next such line, without its line end; false when none is left.
  // Lines that only close a block are counted in `closed` and not given.
  bool Next(std::string_view& line, int& closed) {
    std::size_t found = NextPosition();
    for (; found != lines_.size() && EndsClosingLine(found); found = NextPosition()) ++closed;
    if (found == lines_.size()) return false;
    const std::size_t begin = lines_.rfind('\n', found) + 1;  // npos + 1 is 0
    std::size_t end = lines_.find('\n', found);
    std::size_t after;
    if (end == std::string_view::npos) {
      after = end = lines_.size();  // a last line without a line end
    } else {
      after = end + 1;
      if (end > begin && lines_[end - 1] == '\r') --end;
    }
    openings_.SkipTo(after);
    if (quote_ < after) quote_ = std::min(lines_.find('"', after), lines_.size());
    line = lines_.substr(begin, end - begin);
    return true;
  }

 private:
  // The first quotation mark or header tag start from where the search
  // stands; the run's size when there is none.
  std::size_t NextPosition() {
    ByteFinder<HeaderTagOpenings> openings = openings_;  // a copy, kept in registers
    const char* const text = lines_.data();
    std::size_t at = openings.Next();
    for (; at < quote_; at = openings.Next()) {
      if (at < tag_starts_end_ && StartsHeaderTag(text + at)) break;
    }
    openings_ = openings;
    return std::min(at, quote_);
  }

  // Whether the "<" at `at` begins a closing block tag that ends its line.
  // Such a line counts as a closed block whatever comes before the tag:
  // the count wins over every other header tag, and the line holds no
  // quotation mark (none lies between the last line given and `at`, or
  // the search would have stopped there).  Nothing of the line is left
  // to find after the tag, so the search goes on from where it stands.
  bool EndsClosingLine(std::size_t at) const {
    std::string_view rest = lines_.substr(at);
    for (const InvoiceTag closing : {InvoiceTag::kSaleEnd, InvoiceTag::kReturnEnd}) {
      const std::string_view tag = tag_table::kTexts[static_cast<unsigned>(closing)];
      if (rest.substr(0, tag.size()) != tag) continue;
      rest.remove_prefix(tag.size());
      if (!rest.empty() && rest.front() == '\r') rest.remove_prefix(1);
      return !rest.empty() && rest.front() == '\n';
    }
    return false;
  }

  std::string_view lines_;
  ByteFinder<HeaderTagOpenings> openings_;
  std::size_t quote_;  // the next quotation mark, or the run's size
  std::size_t tag_starts_end_;
};

}  // namespace

void TakeScannedHeaderLine(LineTags tags, std::string_view value, InvoiceHeader& header) {
  if (!tags.Any()) return;
  if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
    ++header.line_count;
  } else if (tags.Has(InvoiceTag::kInvoiceId)) {
    header.number = std::string(value);
  } else if (tags.Has(InvoiceTag::kDate)) {
    header.has_date = true;
    header.date = InvoiceDateText(Trim(std::string(value)));
  } else if (tags.Has(InvoiceTag::kMediaNumber)) {
    header.payment_form = PaymentForm(Trim(std::string(value)));
  }
}

std::string PaymentForm(const std::string& media_number) {
  if (media_number == "1") return "GOT";
  if (media_number == "1300") return "PRZEL";
  if (media_number == "300") return "KARTA";
  return "INNA";
}

void ScanHeaderLine(std::string_view line, InvoiceHeader& header) {
  if (line.empty()) return;
  ScanEncoding(line, header.encoding);
  const ScannedLine scanned = ScanLine(TrimmedView(line));
  TakeScannedHeaderLine(scanned.tags, scanned.value, header);
}

InvoiceHeader ReadInvoiceHeader(TMFile& invoice) {
  InvoiceHeader header;
  std::string_view lines;
  while (invoice.NextLines(lines)) {
    HeaderCandidates candidates(lines);
    for (std::string_view line; candidates.Next(line, header.line_count);) {
      ScanHeaderLine(line, header);
    }
  }
  return header;
}

}  // namespace edihal
