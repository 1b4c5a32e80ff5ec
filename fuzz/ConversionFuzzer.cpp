// The conversions and the text primitives every worker relies on, each
// with the property its callers count on: the tabled character sets keep
// the length, a found position holds the needle, a number read back is the
// number written, a comparison is antisymmetric.
//
// Input: from the end which routine and its numeric arguments, from the
// front one or two texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzHost.h"
#include "export/ExportList.h"
#include "import/DecimalSeparator.h"
#include "import/SourceEncoding.h"
#include "import/scan/LineScan.h"
#include "numbers/Numbers.h"
#include "numbers/StrToInt.h"
#include "selection/ListedHeader.h"
#include "library/TextPrimitives.h"
#include "charsets/Iso88592.h"
#include "charsets/Plkonwer.h"
#include "torlib/TMFile.h"
#include "torlib/TxTools.h"

namespace {

using fuzzing::Check;

int Sign(int value) {
  return (value > 0) - (value < 0);
}

void ConvertCharacters(FuzzedDataProvider& input) {
  const int source = input.ConsumeIntegralInRange<int>(-1, 8);
  const int target = input.ConsumeIntegralInRange<int>(-1, 8);
  std::string text = input.ConsumeRemainingBytesAsString();
  const std::size_t length = text.size();
  edihal::ConvertCharSet(text, source, target);
  if (source != 7 && target != 7) Check(text.size() == length, "a tabled conversion resized");
}

void ConvertEncodings(FuzzedDataProvider& input) {
  const int mode = input.ConsumeIntegralInRange<int>(-1, 1);
  const auto encoding =
      input.PickValueInArray({edihal::SourceEncoding::kNone, edihal::SourceEncoding::kIso88592,
                              edihal::SourceEncoding::kUtf8});
  const std::string text = input.ConsumeRemainingBytesAsString();
  const std::string cut = text.substr(0, text.find('\0'));
  if (mode == 0) Check(edihal::Iso88592ToWin1250(text, mode).size() == cut.size(), "ISO resized");
  edihal::ToWindows1250(text, encoding);
  const std::string utf8 = edihal::Utf8FromAnsi(text);
  edihal::AnsiFromUtf8(utf8);
  edihal::AnsiFromUtf8(text);
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
  // The scan against the definitions: a tag is there when a search finds
  // it, the value is what ElementValue gives; and its quick way against its
  // general one, wherever the quick one reads the line.
  const edihal::ScannedLine scanned = edihal::ScanLine(text);
  Check(scanned.value == edihal::ElementValue(text), "the scan's value differs");
  edihal::ScannedLine quick;
  if (edihal::ScanOneElementLine(text, quick)) {
    const edihal::ScannedLine general = edihal::ScanAnyLine(text);
    Check(quick.tags == general.tags && quick.value == general.value, "the quick scan differs");
  }
  for (unsigned tag = 0; tag < static_cast<unsigned>(edihal::InvoiceTag::kCount); ++tag) {
    const auto which = static_cast<edihal::InvoiceTag>(tag);
    Check(scanned.tags.Has(which) == (text.find(edihal::TagText(which)) != std::string::npos),
          "the scan's tags differ from a search for each");
  }
  edihal::ListedInvoiceHeader header;
  line = text;
  edihal::ScanListedHeaderLine(line, header);
  edihal::ListedExportName(text, value);
  const edihal::TxTools tools(text);
  tools.FindChar(needle.empty() ? ' ' : needle[0], index);
  tools.DelCharsFrom(index, count);
  tools.PadLeft('0', static_cast<std::size_t>(count < 0 ? 0 : count % 16), 16);
  edihal::Delete(text, index, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      ConvertCharacters(input);
      break;
    case 1:
      ConvertEncodings(input);
      break;
    case 2:
      ReadNumbers(input);
      break;
    default:
      UsePrimitives(input);
      break;
  }
  return 0;
}
