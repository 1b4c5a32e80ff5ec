// The invoice import on the in-memory platform, as the import export runs
// it: the invoice bytes, both side files, the host's parameter answers, the
// locale's decimal separator and the user's dialog answers all come from
// the input.  Whatever happens, the inputs stay as they were, nothing but
// the named document is written, and a failure reaches the error callback.
// The import refuses exactly the invoices that vexhost check (the same
// reading, surveyed) finds a refusal in, and a refused import writes
// nothing.
//
// Input: scalars from the end (categorisation answer, separator, which side
// files exist, dialog answers), then from the front the five rate answers,
// both side files and, last, the invoice itself.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include <algorithm>

#include "FakePlatform.h"
#include "FuzzHost.h"
#include "base/Exception.h"
#include "base/Texts.h"
#include "import/ImportInvoiceDocument.h"
#include "import/InvoiceSurvey.h"
#include "text/Text.h"

namespace {

const char kInvoice[] = "C:\\Faktury\\fv.xml";
const char kOutput[] = "C:\\Vex\\dokument.txt";
const char kAssignments[] = "Przypisanie.txt";
const char kAssortments[] = "Kategoryzacja.txt";

void Import(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  testing_support::FakePlatform platform;
  fuzzing::FuzzHost host;

  const std::string categorise = fuzzing::Answer(input, {"Tak", "Nie", " Tak ", "tak", ""});
  host.Answer("CzyKategoryzacja", categorise);
  platform.decimal_separator = input.PickValueInArray({'.', ',', ' ', '\xA0', '\''});
  const bool with_assignments = input.ConsumeBool();
  const bool with_assortments = input.ConsumeBool();
  const bool invoice_exists = input.ConsumeIntegralInRange<int>(0, 15) != 0;
  const int dialogs = input.ConsumeIntegralInRange<int>(0, 6);
  for (int i = 0; i < dialogs; ++i) {
    const bool accepted = input.ConsumeBool();
    platform.dialog_answers.push_back({accepted, input.ConsumeIntegralInRange<int>(-2, 12)});
  }

  for (const char* rate : {"StawkaA", "StawkaB", "StawkaC", "StawkaD", "StawkaG"}) {
    host.Answer(rate, fuzzing::Text(input, 12));
  }
  if (with_assignments) platform.files[kAssignments] = fuzzing::Text(input, 1 << 14);
  if (with_assortments) platform.files[kAssortments] = fuzzing::Text(input, 1 << 14);
  if (invoice_exists) platform.files[kInvoice] = input.ConsumeRemainingBytesAsString();

  const std::map<std::string, std::string> before = platform.files;
  const bool done =
      host.Run([&] { edihal::ImportInvoiceDocument(host.Object(), platform, kOutput, kInvoice); });

  fuzzing::Check(done == host.errors.empty(), "a failure without an error, or the reverse");
  fuzzing::Check(!invoice_exists ? !done : true, "a missing invoice imported");
  for (const auto& [path, bytes] : before) {
    const auto after = platform.files.find(path);
    fuzzing::Check(after != platform.files.end() && after->second == bytes, "an input changed");
  }
  for (const auto& [path, bytes] : platform.files) {
    fuzzing::Check(before.count(path) != 0 || path == kOutput, "a file written nobody named");
  }
  const auto output = platform.files.find(kOutput);
  if (done) {
    fuzzing::Check(output != platform.files.end() && !output->second.empty(),
                   "an import without a document");
  }

  // Where the import got as far as reading the invoice, it refused it
  // exactly when check finds a refusal, and then wrote nothing.
  // The module reads the answer up to its first NUL, trimmed.
  const bool categorised = edihal::Trim(categorise.c_str()) == "Tak";
  if (!invoice_exists || (categorised && !(with_assignments && with_assortments))) return;
  const std::string refusal =
      std::string(edihal::texts::kRefusedInvoice) + kInvoice + edihal::texts::kRefusedAtLine;
  const bool refused = !done && host.errors.size() == 1 && host.errors[0].rfind(refusal, 0) == 0;
  edihal::SurveySettings settings;
  settings.decimal_separator = platform.decimal_separator;
  const std::vector<edihal::InvoiceFinding> findings =
      edihal::SurveyInvoice(platform, kInvoice, settings);
  const bool check_refuses =
      std::any_of(findings.begin(), findings.end(),
                  [](const edihal::InvoiceFinding& finding) { return finding.Refuses(); });
  fuzzing::Check(refused == check_refuses, "the import and check disagree on a refusal");
  if (refused) {
    fuzzing::Check(output != platform.files.end() && output->second.empty(),
                   "a refused invoice left records");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Import(data, size);
  return 0;
}
