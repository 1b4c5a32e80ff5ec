#include "InvoiceCheck.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

#include "base/Exception.h"
#include "base/Texts.h"
#include "import/InvoiceHeader.h"
#include "import/LineConversion.h"
#include "import/categorise/Categorisation.h"
#include "import/scan/LineScan.h"
#include "library/TextPrimitives.h"
#include "torlib/TMFile.h"

namespace edihal {

namespace {

// Element tags that open on the line: "<" and then anything but a closing
// tag, a declaration or a comment.
int OpeningTags(std::string_view line) {
  int count = 0;
  for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
    const char next = at + 1 < line.size() ? line[at + 1] : '/';
    if (next != '/' && next != '?' && next != '!') ++count;
  }
  return count;
}

// The name of an encoding declaration on the line, or empty.
std::string DeclaredEncoding(std::string_view line) {
  constexpr std::string_view kAttribute = "encoding=\"";
  const std::size_t at = line.find(kAttribute);
  if (at == std::string_view::npos) return std::string();
  line.remove_prefix(at + kAttribute.size());
  const std::size_t quote = line.find('"');
  return quote == std::string_view::npos ? std::string() : std::string(line.substr(0, quote));
}

bool ConvertedOrAsIs(const std::string& upper_name) {
  return upper_name == "UTF-8" || upper_name == "ISO-8859-2" || upper_name == "WINDOWS-1250" ||
         upper_name == "CP1250";
}

// UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing past
// U+10FFFF.  The import reads anything else as "?".
bool ValidUtf8(std::string_view line) {
  for (std::size_t at = 0; at < line.size();) {
    const unsigned char lead = static_cast<unsigned char>(line[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    // The lead byte decides the length and the range of the second byte.
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || at + length > line.size()) return false;
    const unsigned char second = static_cast<unsigned char>(line[at + 1]);
    if (second < low || second > high) return false;
    for (std::size_t i = 2; i < length; ++i) {
      if ((static_cast<unsigned char>(line[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

// Whether every byte of the line means a character in the encoding the
// import reads the invoice in.
bool ValidBytes(std::string_view line, SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kUtf8:
      return ValidUtf8(line);
    case SourceEncoding::kIso88592:
      // 0x80 to 0x9F are control codes there, never letters.
      return std::none_of(line.begin(), line.end(), [](char c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        return byte >= 0x80 && byte <= 0x9F;
      });
    default:
      // The five bytes Windows-1250 leaves undefined.
      return line.find_first_of("\x81\x83\x88\x90\x98") == std::string_view::npos;
  }
}

const char* EncodingName(SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kUtf8:
      return "UTF-8";
    case SourceEncoding::kIso88592:
      return "ISO-8859-2";
    default:
      return "Windows-1250";
  }
}

bool KnownVatCode(const std::string& code) {
  return code == "A" || code == "B" || code == "C" || code == "D" || code == "np";
}

// Answers the import's question for an assortment from the side files
// alone, and keeps the groups they do not file instead of asking.
class RecordingCategorisation final : public Categorisation {
 public:
  explicit RecordingCategorisation(const SideFiles& side_files) : side_files_(side_files) {}
  std::string AssortmentFor(std::string_view structure, std::string_view group,
                            std::string_view subgroup, const std::string&) override {
    std::string name = side_files_.AssortmentOf(GroupKey(structure, group, subgroup));
    if (name.empty()) {
      unfiled.push_back(std::string(structure) + "/" + std::string(group) + "/" +
                        std::string(subgroup));
    }
    return name;
  }
  std::vector<std::string> unfiled;

 private:
  const SideFiles& side_files_;
};

class Checker {
 public:
  Checker(const std::string& path, const CheckSettings& settings, SourceEncoding encoding)
      : encoding_(encoding),
        categorisation_(settings.side_files != nullptr
                            ? std::make_unique<RecordingCategorisation>(*settings.side_files)
                            : nullptr),
        conversion_settings_(Settings(path, settings, encoding, categorisation_.get())),
        conversion_(conversion_settings_) {}

  void Take(std::string_view raw, long number) {
    const std::string_view line = TrimmedView(raw);
    CheckEncoding(line, number);
    const bool crowded = OpeningTags(line) > 1;
    if (crowded) {
      Add(number, texts::kCheckSeveralElements);
      ++crowded_lines_;
    }
    const LineTags tags = ScanLine(line).tags;
    CheckBlocks(tags, number);
    // On a crowded line the code read is another element's: said above.
    if (tags.Has(InvoiceTag::kVatPrintCode) && !crowded) {
      const std::string code(ElementValue(line));
      if (!KnownVatCode(code)) {
        Add(number,
            texts::kCheckUnknownVat + ToWindows1250(code, encoding_) + texts::kCheckUnknownVatTail);
      }
    }
    Convert(raw, number);
  }

  std::vector<CheckFinding> Finish(long lines) {
    if (open_) {
      Add(opened_at_,
          texts::kCheckBlockOpenAt + std::to_string(opened_at_) + texts::kCheckNotClosedAtEnd);
    }
    if (lines == 1 && crowded_lines_ == 1) {
      for (CheckFinding& finding : findings_) {
        if (finding.text == texts::kCheckSeveralElements)
          finding.text = texts::kCheckOneLineInvoice;
      }
    }
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
    return std::move(findings_);
  }

 private:
  static LineConversionSettings Settings(const std::string& path, const CheckSettings& settings,
                                         SourceEncoding encoding,
                                         Categorisation* categorisation = nullptr) {
    LineConversionSettings conversion;
    conversion.encoding = encoding;
    conversion.decimal_separator = settings.decimal_separator;
    conversion.invoice_path = path;
    conversion.categorisation = categorisation;
    return conversion;
  }

  void Add(long line, std::string text) { findings_.push_back({line, std::move(text)}); }

  void CheckEncoding(std::string_view line, long number) {
    const std::string declared = DeclaredEncoding(line);
    if (!declared.empty() && !ConvertedOrAsIs(AnsiUpperCase(declared))) {
      Add(number, texts::kCheckUnknownEncoding + declared + texts::kCheckUnknownEncodingTail);
    }
    if (!ValidBytes(line, encoding_)) {
      Add(number, std::string(texts::kCheckInvalidBytes) + EncodingName(encoding_));
    }
  }

  void CheckBlocks(const LineTags& tags, long number) {
    if (tags.Has(InvoiceTag::kSale) || tags.Has(InvoiceTag::kReturn)) {
      if (open_) {
        Add(number, texts::kCheckBlockOpenAt + std::to_string(opened_at_) +
                        texts::kCheckNotClosedBeforeNext);
      }
      open_ = true;
      opened_at_ = number;
    }
    for (const InvoiceTag closing : {InvoiceTag::kSaleEnd, InvoiceTag::kReturnEnd}) {
      if (!tags.Has(closing)) continue;
      if (!open_) Add(number, texts::kCheckCloseWithoutOpen + std::string(TagText(closing)));
      open_ = false;
    }
  }

  // The import's own conversion of the line: its message for a number it
  // cannot read, and the groups the side files leave to the dialog.
  void Convert(std::string_view raw, long number) {
    std::string record;
    try {
      conversion_.TakeLine(raw, number, record);
    } catch (const EConvertError& error) {
      Add(number, error.Message());
      // The import stops here; the check goes on, after a closing line as
      // the import would start on the next block.
      const LineTags tags = ScanLine(raw).tags;
      if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
        conversion_ = LineConversion(conversion_settings_);
      }
    }
    if (categorisation_ == nullptr) return;
    for (const std::string& group : categorisation_->unfiled) {
      Add(number, texts::kCheckNoAssortment + ToWindows1250(group, encoding_) +
                      texts::kCheckNoAssortmentTail);
    }
    categorisation_->unfiled.clear();
  }

  SourceEncoding encoding_;
  std::unique_ptr<RecordingCategorisation> categorisation_;
  LineConversionSettings conversion_settings_;
  LineConversion conversion_;
  std::vector<CheckFinding> findings_;
  bool open_ = false;
  long opened_at_ = 0;
  int crowded_lines_ = 0;
};

}  // namespace

std::vector<CheckFinding> CheckInvoice(const Platform& platform, const std::string& path,
                                       const CheckSettings& settings) {
  TMFile invoice(platform);
  invoice.SetReadOnly(true);
  invoice.SetPath(path);
  invoice.Open();
  const InvoiceHeader header = ReadInvoiceHeader(invoice);
  invoice.SetPointer(0);
  Checker checker(path, settings, header.encoding);
  std::string_view line;
  long number = 0;
  while (invoice.NextLine(line)) checker.Take(line, ++number);
  return checker.Finish(number);
}

}  // namespace edihal
