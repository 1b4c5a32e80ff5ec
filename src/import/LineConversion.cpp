#include "import/LineConversion.h"

#include <cmath>
#include <utility>

#include "import/DecimalSeparator.h"
#include "import/DocumentText.h"
#include "import/ElementValue.h"
#include "import/LineTags.h"
#include "rtl/Exception.h"
#include "rtl/Numbers.h"
#include "text/Texts.h"

namespace edihal {

namespace {

using Tag = InvoiceTag;

// "&amp;" becomes "&", again and again, so that an ampersand escaped twice
// ends as one too.  No other entity is decoded.
void DropAmpEntities(std::string& name) {
  for (std::size_t at = name.find("&amp;"); at != std::string::npos; at = name.find("&amp;")) {
    name.erase(at + 1, 4);
  }
}

constexpr std::string_view kNoGroup = "0";

}  // namespace

LineConversion::LineConversion(LineConversionSettings settings)
    : settings_(std::move(settings)), assortment_encodings_(settings_.encoding) {}

bool LineConversion::TakeLine(std::string_view raw, long number, std::string& record) {
  const bool finished = TakeScannedLine(ScanLine(TrimmedView(raw)), number, record);
  EndOfRun();
  return finished;
}

void LineConversion::EndOfRun() {
  for (FieldValue* field :
       {&block_.name, &block_.item_number, &block_.short_description, &block_.unit, &block_.rate,
        &block_.value, &block_.piece_content, &block_.input_code, &block_.bar_code,
        &block_.quantity, &block_.price, &block_.quantity_text, &block_.structure, &block_.group,
        &block_.subgroup, &piece_factor_text_}) {
    field->Keep();
  }
}

void LineConversion::TakeRunLines(std::string_view run, long& number, std::string& record,
                                  InvoiceHeader* header, WriteFunction write, void* writer) {
  if (header == nullptr) {
    TakeLinesOfRun<false>(run, number, record, nullptr, write, writer);
  } else {
    TakeLinesOfRun<true>(run, number, record, header, write, writer);
  }
  EndOfRun();
}

template <bool kWithHeader>
void LineConversion::TakeLinesOfRun(std::string_view run, long& number, std::string& record,
                                    InvoiceHeader* header, WriteFunction write, void* writer) {
  // Counted in a local, which the loop keeps in a register; the caller's
  // count is only read once the run is done.
  long count = number;
  // Quotation marks are rare: the next one is searched for apart, and only
  // the line holding it is looked at for an encoding declaration.
  std::size_t quote = kWithHeader ? run.find('"') : std::string_view::npos;
  // The body is inlined in the scan's loop, whatever its size.
  ForEachScannedLine(
      run, [&](const ScannedLine& line, std::string_view raw) __attribute__((always_inline)) {
        if constexpr (kWithHeader) {
          const auto end = static_cast<std::size_t>(raw.data() + raw.size() - run.data());
          const bool has_quote = quote < end;
          TakeHeaderOfLine(line, raw, has_quote, *header);
          if (has_quote) quote = run.find('"', end);
        }
        if (TakeLineOfRun(line, ++count, record)) {
          made_record_ = true;
          write(writer, record);
        }
      });
  number = count;
}

__attribute__((always_inline)) inline void LineConversion::TakeHeaderOfLine(const ScannedLine& line,
                                                                            std::string_view raw,
                                                                            bool has_quote,
                                                                            InvoiceHeader& header) {
  if (!has_quote) {
    // The header tags are the closing block tags, the number, the date and
    // the payment form, in a row of InvoiceTag.
    if (line.tags.FirstIn(Tag::kSaleEnd, Tag::kMediaNumber) != Tag::kCount) {
      TakeScannedHeaderLine(line.tags, line.value, header);
    }
    return;
  }
  ScanHeaderLine(TakeFirstLine(raw), header);
  if (header.encoding != settings_.encoding) TakeDeclaredEncoding(header.encoding);
}

// Out of the line loop, which it would only make larger: an invoice
// declares its encoding once.
__attribute__((noinline)) void LineConversion::TakeDeclaredEncoding(SourceEncoding encoding) {
  if (made_record_) {
    encoding_declared_late_ = true;
  } else {
    settings_.encoding = encoding;
    assortment_encodings_ = AssortmentEncodings(encoding);
  }
}

bool LineConversion::TakeScannedLine(const ScannedLine& line, long number, std::string& record) {
  return TakeLineOfRun(line, number, record);
}

__attribute__((always_inline)) inline bool LineConversion::TakeLineOfRun(const ScannedLine& line,
                                                                         long number,
                                                                         std::string& record) {
  const LineTags& tags = line.tags;
  if (!in_block_) {
    // Nothing else on the opening line is looked at.
    if (tags.Has(Tag::kSale) || tags.Has(Tag::kReturn)) OpenBlock();
    return false;
  }
  if (tags.Has(Tag::kSaleEnd) || tags.Has(Tag::kReturnEnd)) {
    // A tag on the closing line is not read: the block ends first.
    FinishBlock(number, record);
    in_block_ = false;
    return true;
  }
  if (!tags.Any()) return false;
  if (tags.One()) {
    // Most lines hold one tag: it goes straight to its group.
    const InvoiceTag tag = tags.FirstIn(Tag::kSale, Tag::kSubGroupId);
    if (tag <= Tag::kInputString) {
      TakeDescriptiveTag(tag, line.value);
    } else {
      TakeQuantityOrCodeTag(tag, line.value, number);
    }
    return false;
  }
  // Of each group only the first tag the line holds counts, in the order
  // of InvoiceTag; a "<dQuantityEntry>" after the quantity is set does not
  // count, and the search in its group goes on.
  TakeDescriptiveTag(tags.FirstIn(Tag::kItemId, Tag::kInputString), line.value);
  LineTags quantity_or_code = tags;
  if (!block_.quantity.Empty()) quantity_or_code.Remove(Tag::kQuantityEntry);
  TakeQuantityOrCodeTag(quantity_or_code.FirstIn(Tag::kEanSingle, Tag::kSubGroupId), line.value,
                        number);
  return false;
}

void LineConversion::OpenBlock() {
  in_block_ = true;
  for (FieldValue* field : {&block_.input_code, &block_.bar_code, &block_.quantity,
                            &block_.quantity_text, &block_.price}) {
    field->View(std::string_view());
  }
  for (FieldValue* field : {&block_.structure, &block_.group, &block_.subgroup}) {
    field->View(kNoGroup);
  }
  quantity_origin_ = price_origin_ = Origin{};
}

const std::string* LineConversion::RateOfCode(std::string_view code) const {
  const VatRates& rates = settings_.rates;
  if (code == "A") return &rates.a;
  if (code == "B") return &rates.b;
  if (code == "C") return &rates.c;
  if (code == "D") return &rates.d;
  if (code == "np") return &rates.g;
  return nullptr;
}

// A tag of the descriptive group; any other tag is passed over.
__attribute__((always_inline)) inline void LineConversion::TakeDescriptiveTag(
    InvoiceTag tag, std::string_view value) {
  switch (tag) {
    case Tag::kItemId:
      block_.item_number.View(value);
      break;
    case Tag::kDesc1:
      block_.short_description.View(value);
      break;
    case Tag::kDescription:
      if (value.find("&amp;") == std::string_view::npos) {
        block_.name.View(value);
      } else {
        std::string name(value);
        DropAmpEntities(name);
        block_.name.Set(std::move(name));
      }
      break;
    case Tag::kPackagePrintCode:
      block_.unit.View(value == "ST" ? std::string_view("szt.") : value);
      break;
    case Tag::kVatPrintCode:
      // An unknown code keeps the rate of the block before.
      if (const std::string* rate = RateOfCode(value)) block_.rate.View(*rate);
      break;
    case Tag::kInputString:
      block_.input_code.View(value);
      break;
    default:
      break;
  }
}

// A tag of the quantity and code group; any other tag is passed over.
__attribute__((always_inline)) inline void LineConversion::TakeQuantityOrCodeTag(
    InvoiceTag tag, std::string_view value, long number) {
  switch (tag) {
    case Tag::kEanSingle:
      block_.bar_code.View(value);
      break;
    case Tag::kPieceQuantity:
      TakePieceQuantity(value, number);
      break;
    case Tag::kQuantityEntry:
      // Only the first of the block counts.
      if (block_.quantity.Empty()) TakeQuantityEntry(value, number);
      break;
    case Tag::kPieceContents:
      block_.piece_content.View(value);
      break;
    case Tag::kPrice:
      block_.price.View(value);
      price_origin_ = Origin{Tag::kPrice, number};
      break;
    case Tag::kTotal:
      block_.value.View(value);
      break;
    case Tag::kMeasurementEntry:
      // Replaces any quantity computed before, unread and unchanged.
      block_.quantity.View(value);
      block_.quantity_text.View(value);
      quantity_origin_ = Origin{Tag::kMeasurementEntry, number};
      break;
    case Tag::kStructureId:
      block_.structure.View(value);
      break;
    case Tag::kGroupId:
      block_.group.View(value);
      break;
    case Tag::kSubGroupId:
      block_.subgroup.View(value);
      break;
    default:
      break;
  }
}

void LineConversion::TakePieceQuantity(std::string_view value, long number) {
  piece_factor_text_.View(value);
  piece_factor_ = ReadNumber(piece_factor_text_.Get(), Origin{Tag::kPieceQuantity, number});
}

void LineConversion::TakeQuantityEntry(std::string_view value, long number) {
  const Origin origin{Tag::kQuantityEntry, number};
  block_.quantity_text.View(value);
  const long double quantity = ReadNumber(value, origin);
  block_.quantity.Set(
      FormatTwoDecimals(Product(quantity, value, piece_factor_, piece_factor_text_.Get(), origin)));
  quantity_origin_ = origin;
}

void LineConversion::FinishBlock(long number, std::string& record) {
  if (!block_.price.Empty()) {
    // A block without any quantity is reported at its closing line.
    const Origin quantity_origin =
        quantity_origin_.line != 0 ? quantity_origin_ : Origin{Tag::kQuantityEntry, number};
    const long double quantity = ReadNumber(block_.quantity.Get(), quantity_origin);
    const long double price = ReadNumber(block_.price.Get(), price_origin_);
    block_.value.Set(FormatTwoDecimals(
        Product(quantity, block_.quantity_text.Get(), price, block_.price.Get(), price_origin_)));
  }

  LineFields fields;
  fields.name = block_.name.Get();
  if (block_.bar_code.Empty()) {
    fields.code = block_.input_code.Get();
  } else {
    fields.code = block_.bar_code.Get();
    if (fields.code != block_.input_code.Get()) fields.second_code = block_.input_code.Get();
  }
  fields.rate = block_.rate.Get();
  fields.unit = block_.unit.Get();
  std::string asked;
  bool assortment_encoded = false;
  if (settings_.categorisation != nullptr) {
    // The dialog shows the name in the host's letters; the record keeps it
    // as read and is converted as a whole below.
    Categorisation& categorisation = *settings_.categorisation;
    fields.assortment = categorisation.KnownAssortment(block_.structure.Get(), block_.group.Get(),
                                                       block_.subgroup.Get());
    if (const std::string* encoded = assortment_encodings_.Encoded(fields.assortment)) {
      fields.assortment = *encoded;
      assortment_encoded = true;
    } else if (fields.assortment.empty()) {
      asked = categorisation.AssortmentFor(
          std::string(block_.structure.Get()), std::string(block_.group.Get()),
          std::string(block_.subgroup.Get()),
          ToWindows1250(std::string(fields.name), settings_.encoding));
      fields.assortment = asked;
    }
  }
  fields.item_number = block_.item_number.Get();
  fields.short_description = block_.short_description.Get();
  fields.quantity = block_.quantity.Get();
  fields.value = block_.value.Get();
  fields.piece_content = block_.piece_content.Get();
  ConvertedRecord(fields, assortment_encoded, record);
}

// The record in the host's Windows-1250.  The invoice's own texts are
// converted from the invoice's encoding; the assortment name is already in
// Windows-1250 (it comes from the side files or the user), so converting
// it as well would garble its Polish letters ("S?odycze" for "Słodycze"
// from a UTF-8 invoice): it goes in as it is.  A known assortment that
// converts back to itself goes in already in the invoice's encoding, and
// the record is converted whole.
void LineConversion::ConvertedRecord(const LineFields& fields, bool assortment_encoded,
                                     std::string& record) {
  // Windows-1250 invoices need no conversion: the record goes out whole.
  if (fields.assortment.empty() || settings_.encoding == SourceEncoding::kNone ||
      assortment_encoded) {
    WriteLineRecord(fields, record);
    ConvertToWindows1250(record, settings_.encoding);
    return;
  }
  LineFields without = fields;
  without.assortment = std::string_view();
  const std::size_t head = AssortmentOffset(fields);
  if (settings_.encoding == SourceEncoding::kIso88592) {
    // Converted byte for byte, the record keeps its length (up to a NUL,
    // where the conversion ends it): the assortment goes in at the same
    // place, unless a NUL cut the record before it.
    WriteLineRecord(without, record);
    ConvertToWindows1250(record, settings_.encoding);
    if (record.size() >= head)
      record.insert(head, fields.assortment.data(), fields.assortment.size());
    return;
  }
  // The parts before and after the assortment are converted apart, each in
  // its own buffer, kept from record to record.
  WriteLineRecord(without, record);
  // The conversions end a text at its first NUL: a NUL before the
  // assortment ends the record there, as it would the whole record.
  const bool cut_before = record.find('\0') < head;
  after_assortment_.assign(record, head, std::string::npos);
  record.resize(head);
  ConvertToWindows1250(record, settings_.encoding);
  if (cut_before) return;
  record.append(fields.assortment.data(), fields.assortment.size());
  ConvertToWindows1250(after_assortment_, settings_.encoding);
  record += after_assortment_;
}

long double LineConversion::ReadNumber(std::string_view text, const Origin& origin) const {
  const char separator = settings_.decimal_separator;
  long double value = 0;
  // Most numbers are plain decimals, read as they stand: localising their
  // separator would change nothing of what they read as.
  if (PlainDecimalToFloat(text, separator, OtherDecimalSeparator(separator), value)) return value;
  std::string scratch;
  const std::string_view localised = LocaliseDecimalSeparator(text, separator, scratch);
  if (TextToFloat(localised, separator, value)) return value;
  // Błędna liczba "TEXT" w znaczniku <TAG>, wiersz N pliku PATH
  throw EConvertError(std::string(texts::kBadNumber) +
                      ToWindows1250(std::string(text), settings_.encoding) + WhereText(origin));
}

// Both factors are finite, so the product is never "not a number"; with the
// x87 exceptions masked an overflow gives an infinity, which would be
// written as "inf".  The message names the factors as the invoice wrote
// them (a quantity multiplied by the piece factor before by its own text).
long double LineConversion::Product(long double a, std::string_view a_text, long double b,
                                    std::string_view b_text, const Origin& origin) const {
  const long double product = a * b;
  if (std::isfinite(product)) return product;
  // Iloczyn spoza zakresu liczb: "A" * "B" w znaczniku <TAG>, wiersz N pliku PATH
  throw EConvertError(std::string(texts::kProductOutOfRange) +
                      ToWindows1250(std::string(a_text), settings_.encoding) +
                      texts::kProductTimes +
                      ToWindows1250(std::string(b_text), settings_.encoding) + WhereText(origin));
}

// "\" w znaczniku <TAG>, wiersz N pliku PATH"
std::string LineConversion::WhereText(const Origin& origin) const {
  return texts::kBadNumberInTag + std::string(TagText(origin.tag)) + texts::kBadNumberAtLine +
         std::to_string(origin.line) + texts::kBadNumberOfFile + settings_.invoice_path;
}

}  // namespace edihal
