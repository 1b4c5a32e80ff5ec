#include "import/InvoiceConversion.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace edihal {

namespace {

// DD.MM.YYYY, zero-padded.
std::string DateText(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
  return text;
}

// The categorisation of the one pass: what the side files know, and a
// note of every block it would have had to ask the user about.
class AskingNoOne final : public Categorisation {
 public:
  explicit AskingNoOne(Categorisation& categorisation) : categorisation_(categorisation) {}

  std::string AssortmentFor(const std::string& /*structure*/, const std::string& /*group*/,
                            const std::string& /*subgroup*/,
                            const std::string& /*product_name*/) override {
    would_ask_ = true;
    return std::string();
  }
  std::string_view KnownAssortment(std::string_view structure, std::string_view group,
                                   std::string_view subgroup) override {
    return categorisation_.KnownAssortment(structure, group, subgroup);
  }
  bool WouldAsk() const { return would_ask_; }

 private:
  Categorisation& categorisation_;
  bool would_ask_ = false;
};

// The line count the part of the invoice read so far promises for the
// whole file, from the blocks it closed and the bytes it took.
int PromisedLineCount(int counted, std::uint64_t read, std::uint64_t size) {
  constexpr std::uint64_t kMost = 0x7FFFFFFF;
  if (read == 0 || size <= read || counted <= 0) return counted;
  const auto closed = static_cast<std::uint64_t>(counted);
  // Far beyond any count, and before the product could overflow.
  if (size / read >= kMost / closed) return static_cast<int>(kMost);
  const std::uint64_t promised = closed * size / read;
  return static_cast<int>(promised < kMost ? promised : kMost);
}

// The records are held until the first run that makes one is done: then
// the line count it promises tells how much room the header records need.
class PlacedRecords {
 public:
  PlacedRecords(DocumentTextFile& output, const Platform& platform, std::uint64_t invoice_size)
      : output_(output), platform_(platform), invoice_size_(invoice_size) {}

  void Write(const std::string& record) {
    if (room_ != kNotPlaced) {
      output_.WriteRecord(record);
      return;
    }
    held_ += record;
    held_ += "\r\n";
  }

  // After each run: `read` bytes of the invoice are taken.
  void RunDone(const InvoiceHeader& header, std::uint64_t read) {
    if (room_ != kNotPlaced || held_.empty()) return;
    DocumentHeader promised = DocumentHeaderOf(header, platform_);
    promised.line_count = PromisedLineCount(header.line_count, read, invoice_size_);
    room_ = HeaderRecords(promised).size();
    output_.MoveTo(room_);
    WriteHeld();
  }

  // Writes the header records into the room left for them; where the
  // promise was wrong and they need more or less, the records behind them
  // move first.
  void Finish(const InvoiceHeader& header) {
    const std::string records = HeaderRecords(DocumentHeaderOf(header, platform_));
    if (room_ == kNotPlaced) {
      // No block made a record: nothing lies behind the header.
      output_.WriteRecords(records);
      return;
    }
    if (records.size() != room_) {
      output_.MoveRecordsFrom(
          room_, static_cast<std::int64_t>(records.size()) - static_cast<std::int64_t>(room_));
    }
    output_.MoveTo(0);
    output_.WriteRecords(records);
  }

 private:
  static constexpr std::size_t kNotPlaced = 0;  // the header records are never empty

  void WriteHeld() {
    output_.WriteRecords(held_);
    std::string().swap(held_);
  }

  DocumentTextFile& output_;
  const Platform& platform_;
  std::uint64_t invoice_size_;
  std::size_t room_ = kNotPlaced;
  std::string held_;
};

bool TryOnePass(TMFile& invoice, DocumentTextFile& output, LineConversionSettings settings,
                const Platform& platform) {
  std::unique_ptr<AskingNoOne> categorisation;
  if (settings.categorisation != nullptr) {
    categorisation = std::make_unique<AskingNoOne>(*settings.categorisation);
    settings.categorisation = categorisation.get();
  }
  settings.encoding = SourceEncoding::kNone;
  LineConversion lines(std::move(settings));
  PlacedRecords placed(output, platform, invoice.Size());
  InvoiceHeader header;
  std::uint64_t read = 0;
  std::string_view run;
  std::string record;
  long number = 0;
  while (invoice.NextLines(run)) {
    lines.TakeRunAndHeader(run, number, record, header,
                           [&](const std::string& done) { placed.Write(done); });
    if (lines.EncodingDeclaredLate()) return false;
    if (categorisation && categorisation->WouldAsk()) return false;
    read += run.size();
    placed.RunDone(header, read);
  }
  placed.Finish(header);
  return true;
}

}  // namespace

DocumentHeader DocumentHeaderOf(const InvoiceHeader& invoice, const Platform& platform) {
  DocumentHeader header;
  header.number = invoice.number;
  header.date = invoice.has_date ? invoice.date : DateText(platform.Today());
  header.payment_form = invoice.payment_form;
  header.line_count = invoice.line_count;
  return header;
}

void ConvertInTwoPasses(TMFile& invoice, DocumentTextFile& output, LineConversionSettings settings,
                        const Platform& platform) {
  const InvoiceHeader header = ReadInvoiceHeader(invoice);
  invoice.SetPointer(0);
  output.WriteHeader(DocumentHeaderOf(header, platform));

  settings.encoding = header.encoding;
  LineConversion lines(std::move(settings));
  std::string_view run;
  std::string record;
  long number = 0;
  while (invoice.NextLines(run)) {
    lines.TakeRun(run, number, record, [&](const std::string& done) { output.WriteRecord(done); });
  }
}

bool ConvertInOnePass(TMFile& invoice, DocumentTextFile& output, LineConversionSettings settings,
                      const Platform& platform) {
  try {
    return TryOnePass(invoice, output, std::move(settings), platform);
  } catch (...) {
    // Every error is left to the two passes, which meet it again at the
    // same line and leave the document two passes leave.
    return false;
  }
}

}  // namespace edihal
