#include "import/InvoiceSurvey.h"

#include <algorithm>

#include "base/Exception.h"
#include "base/Texts.h"
#include "import/LineConversion.h"
#include "import/categorise/Categorisation.h"
#include "linefile/LineReader.h"

namespace edihal {

namespace {

// Answers the import's question for an assortment from the side files
// alone, and keeps the groups they do not file instead of asking.
class RecordingCategorisation final : public Categorisation {
 public:
  explicit RecordingCategorisation(const SideFiles* side_files) : side_files_(side_files) {}
  std::string AssortmentFor(std::string_view structure, std::string_view group,
                            std::string_view subgroup, const std::string&) override {
    std::string name = side_files_->AssortmentOf(GroupKey(structure, group, subgroup));
    if (name.empty()) {
      unfiled.push_back(std::string(structure) + "/" + std::string(group) + "/" +
                        std::string(subgroup));
    }
    return name;
  }
  std::vector<std::string> unfiled;

 private:
  const SideFiles* side_files_;
};

}  // namespace

// The blocks are read as the import's second reading converts them, going
// on after a number it cannot read: after the block's closing line, as the
// import would start on the next block.
std::vector<InvoiceFinding> SurveyInvoice(const Platform& platform, const std::string& path,
                                          const SurveySettings& settings) {
  LineReader invoice(platform);
  invoice.Open(path);
  InvoiceReading reading(true);
  ReadInvoice(invoice, reading);
  std::vector<InvoiceFinding> findings = reading.Findings();
  const auto add = [&findings](long line, FindingKind kind, std::string text) {
    findings.push_back({line, kind, std::move(text)});
  };

  const SourceEncoding encoding = reading.Header().encoding;
  RecordingCategorisation categorisation(settings.side_files);
  LineConversionSettings conversion_settings;
  conversion_settings.encoding = encoding;
  conversion_settings.decimal_separator = settings.decimal_separator;
  conversion_settings.invoice_path = path;
  if (settings.side_files != nullptr) conversion_settings.categorisation = &categorisation;
  LineConversion conversion(conversion_settings);

  invoice.Rewind();
  std::string_view line;
  std::string record;
  for (long number = 1; invoice.NextLine(line); ++number) {
    if (!ValidBytes(line, encoding)) {
      add(number, FindingKind::kInvalidBytes,
          texts::kFindingInvalidBytes + std::string(EncodingName(encoding)));
    }
    try {
      conversion.TakeLine(line, number, record);
    } catch (const EConvertError& error) {
      add(number, FindingKind::kBadNumber, error.Message());
      const LineTags tags = ScanLine(line).tags;
      if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
        conversion = LineConversion(conversion_settings);
      }
    }
    for (const std::string& group : categorisation.unfiled) {
      add(number, FindingKind::kNoAssortment,
          texts::kFindingNoAssortment + ToWindows1250(group, encoding) +
              texts::kFindingNoAssortmentTail);
    }
    categorisation.unfiled.clear();
  }
  std::stable_sort(
      findings.begin(), findings.end(),
      [](const InvoiceFinding& a, const InvoiceFinding& b) { return a.line < b.line; });
  return findings;
}

}  // namespace edihal
