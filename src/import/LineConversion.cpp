#include "import/LineConversion.h"

#include <cmath>
#include <utility>

#include "base/Exception.h"
#include "base/Texts.h"
#include "import/DocumentText.h"
#include "numbers/Numbers.h"

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

}  // namespace

LineConversion::LineConversion(LineConversionSettings settings) : settings_(std::move(settings)) {}

// The line is scanned as read: trimming it first would change neither its
// tags nor its value, which lie between brackets.
bool LineConversion::TakeLine(std::string_view line, long number, std::string& record) {
  const ScannedLine scanned = ScanLine(line);
  const LineTags& tags = scanned.tags;
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
  // Of each group only the first tag the line holds counts, in the order
  // of InvoiceTag; a "<dQuantityEntry>" after the quantity is set does not
  // count, and the search in its group goes on.
  TakeDescriptiveTag(tags.First(Tag::kItemId, Tag::kInputString), scanned.value);
  LineTags quantity_or_code = tags;
  if (!block_.quantity.empty()) quantity_or_code.Remove(Tag::kQuantityEntry);
  TakeQuantityOrCodeTag(quantity_or_code.First(Tag::kEanSingle, Tag::kSubGroupId), scanned.value,
                        number);
  return false;
}

void LineConversion::OpenBlock() {
  in_block_ = true;
  for (std::string* value : {&block_.input_code, &block_.bar_code, &block_.quantity,
                             &block_.quantity_text, &block_.price}) {
    value->clear();
  }
  for (std::string* number : {&block_.structure, &block_.group, &block_.subgroup}) {
    number->assign("0");
  }
  quantity_origin_ = price_origin_ = Origin{};
}

const std::string* VatRates::Of(std::string_view code) const {
  if (code == "A") return &a;
  if (code == "B") return &b;
  if (code == "C") return &c;
  if (code == "D") return &d;
  if (code == "np") return &g;
  return nullptr;
}

bool IsVatCode(std::string_view code) {
  return VatRates().Of(code) != nullptr;
}

// A tag of the descriptive group; any other tag is passed over.
void LineConversion::TakeDescriptiveTag(InvoiceTag tag, std::string_view value) {
  switch (tag) {
    case Tag::kItemId:
      block_.item_number.assign(value);
      break;
    case Tag::kDesc1:
      block_.short_description.assign(value);
      break;
    case Tag::kDescription:
      block_.name.assign(value);
      DropAmpEntities(block_.name);
      break;
    case Tag::kPackagePrintCode:
      block_.unit.assign(value == "ST" ? std::string_view("szt.") : value);
      break;
    case Tag::kVatPrintCode:
      // An unknown code keeps the rate of the block before.
      if (const std::string* rate = settings_.rates.Of(value)) block_.rate = *rate;
      break;
    case Tag::kInputString:
      block_.input_code.assign(value);
      break;
    default:
      break;
  }
}

// A tag of the quantity and code group; any other tag is passed over.
void LineConversion::TakeQuantityOrCodeTag(InvoiceTag tag, std::string_view value, long number) {
  switch (tag) {
    case Tag::kEanSingle:
      block_.bar_code.assign(value);
      break;
    case Tag::kPieceQuantity:
      piece_factor_text_.assign(value);
      piece_factor_ = ReadNumber(piece_factor_text_, Origin{tag, number});
      break;
    case Tag::kQuantityEntry:
      TakeQuantityEntry(value, number);
      break;
    case Tag::kPieceContents:
      block_.piece_content.assign(value);
      break;
    case Tag::kPrice:
      block_.price.assign(value);
      price_origin_ = Origin{tag, number};
      break;
    case Tag::kTotal:
      block_.value.assign(value);
      break;
    case Tag::kMeasurementEntry:
      // Replaces any quantity computed before, unread and unchanged.
      block_.quantity.assign(value);
      block_.quantity_text.assign(value);
      quantity_origin_ = Origin{tag, number};
      break;
    case Tag::kStructureId:
      block_.structure.assign(value);
      break;
    case Tag::kGroupId:
      block_.group.assign(value);
      break;
    case Tag::kSubGroupId:
      block_.subgroup.assign(value);
      break;
    default:
      break;
  }
}

void LineConversion::TakeQuantityEntry(std::string_view value, long number) {
  const Origin origin{Tag::kQuantityEntry, number};
  block_.quantity_text.assign(value);
  const long double quantity = ReadNumber(value, origin);
  block_.quantity =
      FormatTwoDecimals(Product(quantity, value, piece_factor_, piece_factor_text_, origin));
  quantity_origin_ = origin;
}

void LineConversion::FinishBlock(long number, std::string& record) {
  if (!block_.price.empty()) {
    // A block without any quantity is reported at its closing line.
    const Origin quantity_origin =
        quantity_origin_.line != 0 ? quantity_origin_ : Origin{Tag::kQuantityEntry, number};
    const long double quantity = ReadNumber(block_.quantity, quantity_origin);
    const long double price = ReadNumber(block_.price, price_origin_);
    block_.value = FormatTwoDecimals(
        Product(quantity, block_.quantity_text, price, block_.price, price_origin_));
  }

  LineFields fields;
  fields.name = block_.name;
  if (block_.bar_code.empty()) {
    fields.code = block_.input_code;
  } else {
    fields.code = block_.bar_code;
    if (block_.bar_code != block_.input_code) fields.second_code = block_.input_code;
  }
  fields.rate = block_.rate;
  fields.unit = block_.unit;
  fields.item_number = block_.item_number;
  fields.short_description = block_.short_description;
  fields.quantity = block_.quantity;
  fields.value = block_.value;
  fields.piece_content = block_.piece_content;
  const std::string assortment = Assortment();

  // The record in the host's Windows-1250.  The invoice's own texts are
  // converted from the invoice's encoding; the assortment name is
  // Windows-1250 already (it comes from the side files or the user), so it
  // goes in between them as it is: converting it as well would garble its
  // Polish letters ("S?odycze" for "Słodycze" from a UTF-8 invoice).  A
  // NUL ends a conversion, and one before the assortment ends the record.
  WriteLineRecord(fields, record, tail_);
  if (!ConvertToWindows1250(record, settings_.encoding)) return;
  ConvertToWindows1250(tail_, settings_.encoding);
  record += assortment;
  record += tail_;
}

// The dialog shows the name in the host's letters.
std::string LineConversion::Assortment() const {
  if (settings_.categorisation == nullptr) return std::string();
  return settings_.categorisation->AssortmentFor(block_.structure, block_.group, block_.subgroup,
                                                 ToWindows1250(block_.name, settings_.encoding));
}

long double LineConversion::ReadNumber(std::string_view text, const Origin& origin) const {
  const char separator = settings_.decimal_separator;
  std::string scratch;
  long double value = 0;
  if (TextToFloat(LocaliseDecimalSeparator(text, separator, scratch), separator, value)) {
    return value;
  }
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
