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

// Copies a value into a field of the block, which keeps its capacity from
// block to block: no allocation once the fields are long enough.
inline void Keep(std::string& field, std::string_view value) {
  field.clear();
  field.append(value.data(), value.size());
}

}  // namespace

LineConversion::LineConversion(LineConversionSettings settings) : settings_(std::move(settings)) {}

bool LineConversion::TakeLine(std::string_view raw, long number, std::string& record) {
  return TakeScannedLine(ScanLine(TrimmedView(raw)), number, record);
}

bool LineConversion::TakeScannedLine(const ScannedLine& line, long number, std::string& record) {
  const LineTags& tags = line.tags;
  if (!in_block_) {
    // Nothing else on the opening line is looked at.
    if (tags.Has(Tag::kSale) || tags.Has(Tag::kReturn)) OpenBlock();
    return false;
  }
  if (tags.Has(Tag::kSaleEnd) || tags.Has(Tag::kReturnEnd)) {
    // A tag on the closing line is not read: the block ends first.
    record = FinishBlock(number);
    in_block_ = false;
    return true;
  }
  if (!tags.Any()) return false;
  TakeDescriptiveTag(line);
  TakeQuantityOrCodeTag(line, number);
  return false;
}

void LineConversion::OpenBlock() {
  in_block_ = true;
  block_.input_code.clear();
  block_.bar_code.clear();
  block_.quantity.clear();
  block_.quantity_text.clear();
  block_.price.clear();
  block_.structure = block_.group = block_.subgroup = "0";
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

// The first of these tags found on the line counts; they are listed in
// the order of InvoiceTag.
void LineConversion::TakeDescriptiveTag(const ScannedLine& line) {
  switch (line.tags.FirstIn(Tag::kItemId, Tag::kInputString)) {
    case Tag::kItemId:
      Keep(block_.item_number, line.value);
      break;
    case Tag::kDesc1:
      Keep(block_.short_description, line.value);
      break;
    case Tag::kDescription:
      Keep(block_.name, line.value);
      DropAmpEntities(block_.name);
      break;
    case Tag::kPackagePrintCode:
      Keep(block_.unit, line.value);
      if (block_.unit == "ST") block_.unit = "szt.";
      break;
    case Tag::kVatPrintCode:
      // An unknown code keeps the rate of the block before.
      if (const std::string* rate = RateOfCode(line.value)) block_.rate = *rate;
      break;
    case Tag::kInputString:
      Keep(block_.input_code, line.value);
      break;
    default:
      break;
  }
}

// Again only the first tag found counts; a "<dQuantityEntry>" after the
// quantity is set does not count, and the search goes on.
void LineConversion::TakeQuantityOrCodeTag(const ScannedLine& line, long number) {
  LineTags tags = line.tags;
  if (!block_.quantity.empty()) tags.Remove(Tag::kQuantityEntry);
  switch (tags.FirstIn(Tag::kEanSingle, Tag::kSubGroupId)) {
    case Tag::kEanSingle:
      Keep(block_.bar_code, line.value);
      break;
    case Tag::kPieceQuantity:
      Keep(piece_factor_text_, line.value);
      piece_factor_ = ReadNumber(piece_factor_text_, Origin{Tag::kPieceQuantity, number});
      break;
    case Tag::kQuantityEntry: {
      const Origin origin{Tag::kQuantityEntry, number};
      Keep(block_.quantity_text, line.value);
      const long double quantity = ReadNumber(block_.quantity_text, origin);
      block_.quantity = FormatTwoDecimals(
          Product(quantity, block_.quantity_text, piece_factor_, piece_factor_text_, origin));
      quantity_origin_ = origin;
      break;
    }
    case Tag::kPieceContents:
      Keep(block_.piece_content, line.value);
      break;
    case Tag::kPrice:
      Keep(block_.price, line.value);
      price_origin_ = Origin{Tag::kPrice, number};
      break;
    case Tag::kTotal:
      Keep(block_.value, line.value);
      break;
    case Tag::kMeasurementEntry:
      // Replaces any quantity computed before, unread and unchanged.
      Keep(block_.quantity, line.value);
      block_.quantity_text = block_.quantity;
      quantity_origin_ = Origin{Tag::kMeasurementEntry, number};
      break;
    case Tag::kStructureId:
      Keep(block_.structure, line.value);
      break;
    case Tag::kGroupId:
      Keep(block_.group, line.value);
      break;
    case Tag::kSubGroupId:
      Keep(block_.subgroup, line.value);
      break;
    default:
      break;
  }
}

std::string LineConversion::FinishBlock(long number) {
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
  std::string assortment;
  if (settings_.categorisation != nullptr) {
    // The dialog shows the name in the host's letters; the record keeps it
    // as read and is converted as a whole below.
    Categorisation& categorisation = *settings_.categorisation;
    assortment = categorisation.KnownAssortment(block_.structure, block_.group, block_.subgroup);
    if (assortment.empty()) {
      assortment = categorisation.AssortmentFor(block_.structure, block_.group, block_.subgroup,
                                                ToWindows1250(block_.name, settings_.encoding));
    }
  }
  fields.assortment = assortment;
  fields.item_number = block_.item_number;
  fields.short_description = block_.short_description;
  fields.quantity = block_.quantity;
  fields.value = block_.value;
  fields.piece_content = block_.piece_content;
  return ConvertedRecord(fields);
}

// The record in the host's Windows-1250.  The invoice's own texts are
// converted from the invoice's encoding; the assortment name is already in
// Windows-1250 (it comes from the side files or the user), so converting
// it as well would garble its Polish letters ("S?odycze" for "Słodycze"
// from a UTF-8 invoice): it goes in as it is.
std::string LineConversion::ConvertedRecord(const LineFields& fields) const {
  // Windows-1250 invoices need no conversion: the record goes out whole.
  if (fields.assortment.empty() || settings_.encoding == SourceEncoding::kNone) {
    return ToWindows1250(LineRecord(fields), settings_.encoding);
  }
  const SplitLineRecord parts = LineRecordAroundAssortment(fields);
  std::string record = ToWindows1250(parts.head, settings_.encoding);
  // The conversions end a text at its first NUL: a NUL before the
  // assortment ends the record there, as it would the whole record.
  const bool cut_short =
      settings_.encoding != SourceEncoding::kNone && parts.head.find('\0') != std::string::npos;
  if (cut_short) return record;
  record += fields.assortment;
  return record + ToWindows1250(parts.tail, settings_.encoding);
}

long double LineConversion::ReadNumber(const std::string& text, const Origin& origin) const {
  std::string localised = text;
  LocaliseDecimalSeparator(localised, settings_.decimal_separator);
  long double value = 0;
  if (TextToFloat(localised, settings_.decimal_separator, value)) return value;
  // Błędna liczba "TEXT" w znaczniku <TAG>, wiersz N pliku PATH
  throw EConvertError(std::string(texts::kBadNumber) + ToWindows1250(text, settings_.encoding) +
                      WhereText(origin));
}

// Both factors are finite, so the product is never "not a number"; with the
// x87 exceptions masked an overflow gives an infinity, which would be
// written as "inf".  The message names the factors as the invoice wrote
// them (a quantity multiplied by the piece factor before by its own text).
long double LineConversion::Product(long double a, const std::string& a_text, long double b,
                                    const std::string& b_text, const Origin& origin) const {
  const long double product = a * b;
  if (std::isfinite(product)) return product;
  // Iloczyn spoza zakresu liczb: "A" * "B" w znaczniku <TAG>, wiersz N pliku PATH
  throw EConvertError(std::string(texts::kProductOutOfRange) +
                      ToWindows1250(a_text, settings_.encoding) + texts::kProductTimes +
                      ToWindows1250(b_text, settings_.encoding) + WhereText(origin));
}

// "\" w znaczniku <TAG>, wiersz N pliku PATH"
std::string LineConversion::WhereText(const Origin& origin) const {
  return texts::kBadNumberInTag + std::string(TagText(origin.tag)) + texts::kBadNumberAtLine +
         std::to_string(origin.line) + texts::kBadNumberOfFile + settings_.invoice_path;
}

}  // namespace edihal
