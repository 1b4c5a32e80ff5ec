// The conversions and the text primitives every worker relies on, each
// with the property its callers count on: the tabled character sets keep
// the length, a found position holds the needle, a number read back is the
// number written, a comparison is antisymmetric.
//
// Input: from the end which routine and its numeric arguments, from the
// front one or two texts.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "ControlWord.h"
#include "FuzzHost.h"
#include "charsets/AnsiCodePage.h"
#include "charsets/Iso88592.h"
#include "charsets/PolishLetters.h"
#include "charsets/SourceEncoding.h"
#include "export/ExportList.h"
#include "import/scan/LineScan.h"
#include "numbers/Numbers.h"
#include "numbers/StrToInt.h"
#include "platform/FpuControl.h"
#include "selection/ListedHeader.h"
#include "selection/OneBasedText.h"
#include "text/Text.h"

namespace {

using fuzzing::Check;

int Sign(int value) {
  return (value > 0) - (value < 0);
}

std::string Converted(std::string text, int source, int target) {
  edihal::ConvertCharSet(text, source, target);
  return text;
}

// A tabled conversion keeps the length and ASCII, and one set to itself
// changes nothing.  Sets 0, 1, 2, 4, 5 and 6 hold the 18 letters as 18
// distinct bytes: a text of letters and ASCII converts from one to another
// as from set 0, and back exactly.
void ConvertCharacters(FuzzedDataProvider& input) {
  const int source = input.ConsumeIntegralInRange<int>(-1, 8);
  const int target = input.ConsumeIntegralInRange<int>(-1, 8);
  const bool letters = input.ConsumeBool();
  const std::string text = input.ConsumeRemainingBytesAsString();
  const std::string converted = Converted(text, source, target);
  if (source == target) Check(converted == text, "a set converted to itself changed");
  if (source == 7 || target == 7) return;
  Check(converted.size() == text.size(), "a tabled conversion resized");
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (static_cast<unsigned char>(text[at]) < 0x80)
      Check(converted[at] == text[at], "ASCII moved");
  }
  const bool reversible[] = {true, true, true, false, true, true, true};
  if (!letters || source < 0 || target < 0 || source > 6 || target > 6 || !reversible[source] ||
      !reversible[target]) {
    return;
  }
  static const char kLetters[] =
      "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\xAF\x8F\xB9\xE6\xEA\xB3\xF1\xF3\x9C\xBF\x9F";
  std::string polish;
  for (const char c : text) {
    polish +=
        static_cast<unsigned char>(c) < 0x80 ? c : kLetters[static_cast<unsigned char>(c) % 18];
  }
  const std::string there = Converted(Converted(polish, 0, source), source, target);
  Check(there == Converted(polish, 0, target), "letters converted otherwise than from set 0");
  Check(Converted(there, target, source) == Converted(polish, 0, source), "letters not back");
}

std::string FromIso(std::string text) {
  edihal::iso88592::ToWindows1250(text);
  return text;
}

// Long texts go through their ASCII bytes in steps: the result must be the
// one the text's pieces give, each cut right after an ASCII byte.  (UTF-8
// is the system's own conversion on Windows, with no such steps.)
void ConvertInPieces(const std::string& whole) {
  const std::string text = whole.substr(0, whole.find('\0'));
  std::string utf8_pieces, iso_pieces, piece;
  for (const char c : text) {
    piece += c;
    if (static_cast<unsigned char>(c) < 0x80) {
      utf8_pieces += edihal::Utf8ToAnsi(piece);
      iso_pieces += FromIso(piece);
      piece.clear();
    }
  }
  utf8_pieces += edihal::Utf8ToAnsi(piece);
  iso_pieces += FromIso(piece);
#if !defined(_WIN32)
  Check(utf8_pieces == edihal::Utf8ToAnsi(text), "UTF-8 converted otherwise than its pieces");
#endif
  Check(iso_pieces == FromIso(text), "ISO converted otherwise than pieces");
}

void ConvertEncodings(FuzzedDataProvider& input) {
  const auto encoding =
      input.PickValueInArray({edihal::SourceEncoding::kNone, edihal::SourceEncoding::kIso88592,
                              edihal::SourceEncoding::kUtf8});
  const std::string text = input.ConsumeRemainingBytesAsString();
  const std::string cut = text.substr(0, text.find('\0'));
  Check(FromIso(text).size() == cut.size(), "ISO resized");
  edihal::ToWindows1250(text, encoding);
  edihal::ValidBytes(text, encoding);
  const std::string utf8 = edihal::AnsiToUtf8(text);
  edihal::Utf8ToAnsi(utf8);
  ConvertInPieces(text);
}

std::string Printed(long double value) {
  char text[128];
  std::snprintf(text, sizeof text, "%.2Lf", value);
  return text;
}

// The quick reading and writing of numbers against strtold and printf:
// a decimal of fuzzed digits, sign, separator and places must read as the
// same digits with an exponent read by strtold, at the module's x87
// precision and at a host's lower ones; and a value made of a fuzzed
// significand and exponent, or a product of two amounts, must be written as
// printf writes it.
void CompareNumbers(FuzzedDataProvider& input) {
  const testing_support::ControlWordScope scope(
      input.PickValueInArray<std::uint16_t>({0x037F, 0x027F, 0x007F}));
  const char separator = input.PickValueInArray({'.', ','});
  const bool negative = input.ConsumeBool();
  std::string digits = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(1, 24));
  if (digits.empty()) digits = "0";  // the input ran out
  for (char& c : digits) c = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
  const auto places = input.ConsumeIntegralInRange<std::size_t>(0, digits.size());
  std::string text = (negative ? "-" : "") + digits;
  if (places > 0 || input.ConsumeBool()) text.insert(text.size() - places, 1, separator);
  const std::string plain = (negative ? "-" : "") + digits + "e-" + std::to_string(places);
  const long double expected = std::strtold(plain.c_str(), nullptr);
  long double value = 0;
  Check(edihal::TextToFloat(text, separator, value), "a decimal not read");
  Check(value == expected && std::signbit(value) == std::signbit(expected),
        "a decimal read otherwise than strtold reads it");

  // Mostly values whose binary exponent lies where the quick writer changes
  // its way (below 2^-73, around 2^0 and 2^32, up to 2^53), else any.
  const auto significand = input.ConsumeIntegral<std::uint64_t>();
  const int exponent = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(-140, 0)
                                           : input.ConsumeIntegralInRange<int>(-16500, 60);
  long double written = std::ldexp(static_cast<long double>(significand), exponent);
  if (input.ConsumeBool()) {
    written = static_cast<long double>(significand % 100000) / 1000.0L *
              (static_cast<long double>(significand / 100000 % 1000000) / 100.0L);
  }
  if (negative) written = -written;
  Check(edihal::FormatTwoDecimals(written) == Printed(written),
        "a value written otherwise than printf writes it");
}

void ReadNumbers(FuzzedDataProvider& input) {
  const char separator = input.PickValueInArray({'.', ',', ' '});
  const std::int32_t number = input.ConsumeIntegral<std::int32_t>();
  Check(edihal::StrToIntDef(std::to_string(number), 7) == number, "an integer not read back");
  std::string text = input.ConsumeRemainingBytesAsString();
  edihal::StrToIntDef(text, 0);
  long double value = 0;
  if (edihal::TextToFloat(text, separator, value)) {
    const std::string written = edihal::FormatTwoDecimals(value);
    long double again = 0;
    Check(edihal::TextToFloat(written, '.', again), "a written number not read back");
  }
  std::string scratch;
  Check(edihal::LocaliseDecimalSeparator(text, separator, scratch).size() == text.size(),
        "a localised number resized");
}

// The scan against its definition, a search for each tag: every known tag
// a search finds is among the line's tags and, in line order, among those
// FindTag walks; the value is ElementValue's; and a line the scan read as
// one element holds no tag but its own and, closed on the line, its end.
void CompareScans(const std::string& text) {
  std::vector<std::pair<std::size_t, edihal::InvoiceTag>> searched;
  for (unsigned tag = 0; tag < static_cast<unsigned>(edihal::InvoiceTag::kCount); ++tag) {
    const auto which = static_cast<edihal::InvoiceTag>(tag);
    const std::string_view tag_text = edihal::TagText(which);
    for (std::size_t at = text.find(tag_text); at != std::string::npos;
         at = text.find(tag_text, at + 1)) {
      searched.emplace_back(at, which);
    }
  }
  std::sort(searched.begin(), searched.end());
  std::vector<std::pair<std::size_t, edihal::InvoiceTag>> walked;
  edihal::InvoiceTag tag = edihal::InvoiceTag::kCount;
  for (std::size_t at = edihal::FindTag(text, 0, tag); at != std::string::npos;
       at = edihal::FindTag(text, at + 1, tag)) {
    walked.emplace_back(at, tag);
  }
  Check(walked == searched, "FindTag walks otherwise than a search for each tag");

  const edihal::ScannedLine scanned = edihal::ScanLine(text);
  Check(scanned.value == edihal::ElementValue(text), "the scan's value differs");
  for (const auto& [at, which] : searched) {
    Check(scanned.tags.Has(which), "a tag a search finds is not among the line's");
  }
  edihal::LineTags found;
  for (const auto& [at, which] : searched) found.Add(which);
  Check(found == scanned.tags, "the line's tags hold one a search does not find");
  if (!scanned.one_element) return;
  const std::string_view line = edihal::TrimmedView(text);
  Check(line.substr(0, scanned.element.size()) == scanned.element, "the element is not first");
  const std::string closing = "</" + std::string(scanned.element.substr(1));
  Check(scanned.closed == (line.size() >= closing.size() + scanned.element.size() &&
                           line.substr(line.size() - closing.size()) == closing),
        "a one-element line closed otherwise");
  Check(searched.size() <= (scanned.closed ? 2u : 1u), "a one-element line with more tags");
}

void UsePrimitives(FuzzedDataProvider& input) {
  const auto index = input.ConsumeIntegralInRange<edihal::TextPos>(-3, 300);
  const auto count = input.ConsumeIntegralInRange<edihal::TextPos>(-3, 300);
  const std::string needle = fuzzing::Text(input, 16);
  std::string text = input.ConsumeRemainingBytesAsString();

  const std::string trimmed = edihal::Trim(text);
  Check(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > 32 &&
                            static_cast<unsigned char>(trimmed.back()) > 32),
        "blanks left by Trim");
  const edihal::TextPos at = edihal::Pos(needle, text);
  if (at > 0) Check(text.compare(at - 1, needle.size(), needle) == 0, "Pos points elsewhere");
  Check(edihal::SubString(text, index, count).size() <=
            static_cast<std::size_t>(count < 0 ? 0 : count),
        "SubString too long");
  const std::string upper = edihal::AnsiUpperCase(text);
  Check(upper.size() == text.size(), "upper case resized");
  Check(Sign(edihal::AnsiCompareText(text, needle)) == -Sign(edihal::AnsiCompareText(needle, text)),
        "comparison not antisymmetric");
  edihal::InvoiceDateText(text);
  std::string value;
  std::string line = text;
  edihal::HeaderTagValue(line, needle, "</" + needle, value);
  CompareScans(text);
  edihal::ListedInvoiceHeader header;
  line = text;
  edihal::ScanListedHeaderLine(line, header);
  edihal::ListedExportName(text, value);
  edihal::Delete(text, index, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      ConvertCharacters(input);
      break;
    case 1:
      ConvertEncodings(input);
      break;
    case 2:
      ReadNumbers(input);
      break;
    case 3:
      CompareNumbers(input);
      break;
    default:
      UsePrimitives(input);
      break;
  }
  return 0;
}
