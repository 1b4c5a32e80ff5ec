#include "import/InvoiceSurvey.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/Exception.h"
#include "base/Texts.h"
#include "import/LineConversion.h"
#include "import/categorise/Categorisation.h"
#include "torlib/TMFile.h"

namespace edihal {

namespace {

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

// The reading of the blocks, as the import's second reading converts
// them, going on after a number it cannot read.
class BlockSurvey {
 public:
  BlockSurvey(const std::string& path, const SurveySettings& settings, SourceEncoding encoding)
      : encoding_(encoding),
        categorisation_(settings.side_files != nullptr
                            ? std::make_unique<RecordingCategorisation>(*settings.side_files)
                            : nullptr),
        conversion_settings_(Settings(path, settings, encoding, categorisation_.get())),
        conversion_(conversion_settings_) {}

  void Take(std::string_view line, long number, std::vector<InvoiceFinding>& findings) {
    if (!ValidBytes(line, encoding_)) {
      findings.push_back({number, FindingKind::kInvalidBytes,
                          texts::kFindingInvalidBytes + std::string(EncodingName(encoding_))});
    }
    std::string record;
    try {
      conversion_.TakeLine(line, number, record);
    } catch (const EConvertError& error) {
      findings.push_back({number, FindingKind::kBadNumber, error.Message()});
      // The import stops here; the survey goes on, after a closing line as
      // the import would start on the next block.
      const LineTags tags = ScanLine(line).tags;
      if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
        conversion_ = LineConversion(conversion_settings_);
      }
    }
    if (categorisation_ == nullptr) return;
    for (const std::string& group : categorisation_->unfiled) {
      findings.push_back({number, FindingKind::kNoAssortment,
                          texts::kFindingNoAssortment + ToWindows1250(group, encoding_) +
                              texts::kFindingNoAssortmentTail});
    }
    categorisation_->unfiled.clear();
  }

 private:
  static LineConversionSettings Settings(const std::string& path, const SurveySettings& settings,
                                         SourceEncoding encoding, Categorisation* categorisation) {
    LineConversionSettings conversion;
    conversion.encoding = encoding;
    conversion.decimal_separator = settings.decimal_separator;
    conversion.invoice_path = path;
    conversion.categorisation = categorisation;
    return conversion;
  }

  SourceEncoding encoding_;
  std::unique_ptr<RecordingCategorisation> categorisation_;
  LineConversionSettings conversion_settings_;
  LineConversion conversion_;
};

}  // namespace

std::vector<InvoiceFinding> SurveyInvoice(const Platform& platform, const std::string& path,
                                          const SurveySettings& settings) {
  TMFile invoice(platform);
  invoice.SetReadOnly(true);
  invoice.SetPath(path);
  invoice.Open();
  InvoiceReading reading(true);
  ReadInvoice(invoice, reading);
  std::vector<InvoiceFinding> findings = reading.Findings();
  invoice.SetPointer(0);
  BlockSurvey blocks(path, settings, reading.Header().encoding);
  std::string_view line;
  long number = 0;
  while (invoice.NextLine(line)) blocks.Take(line, ++number, findings);
  std::stable_sort(
      findings.begin(), findings.end(),
      [](const InvoiceFinding& a, const InvoiceFinding& b) { return a.line < b.line; });
  return findings;
}

}  // namespace edihal
