// The invoice import on the in-memory platform, as the import export runs
// it: the invoice bytes, both side files, the host's parameter answers, the
// locale's decimal separator and the user's dialog answers all come from
// the input.  Whatever happens, the inputs stay as they were, nothing but
// the named document is written, and a failure reaches the error callback.
//
// The invoice also goes through the conversion in one pass and in two, on
// a platform of its own: where the one pass completes, both documents are
// the same.
//
// Input: scalars from the end (categorisation answer, separator, which side
// files exist, dialog answers), then from the front the five rate answers,
// both side files and, last, the invoice itself.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "FakePlatform.h"
#include "FuzzHost.h"
#include "import/ImportInvoiceDocument.h"
#include "import/InvoiceConversion.h"
#include "rtl/Exception.h"

namespace {

const char kInvoice[] = "C:\\Faktury\\fv.xml";
const char kOutput[] = "C:\\Vex\\dokument.txt";
const char kAssignments[] = "Przypisanie.txt";
const char kAssortments[] = "Kategoryzacja.txt";

// The document `convert` makes of `invoice`, and whether it completed;
// an error ends it where it stands.
template <typename Convert>
std::string Converted(const std::string& invoice, char separator, bool& completed,
                      Convert&& convert) {
  testing_support::FakePlatform platform;
  platform.files[kInvoice] = invoice;
  edihal::LineConversionSettings settings;
  settings.rates = {"23", "8", "5", "0", "ZW"};
  settings.decimal_separator = separator;
  settings.invoice_path = kInvoice;
  completed = false;
  try {
    edihal::DocumentTextFile output(platform);
    output.Create(kOutput);
    edihal::TMFile file(platform);
    file.SetPath(kInvoice);
    file.Open();
    completed = convert(file, output, std::move(settings), platform);
    output.Close();
  } catch (const edihal::Exception&) {
  }
  return platform.files[kOutput];
}

void CompareThePasses(const std::string& invoice, char separator) {
  bool one_completed = false, two_completed = false;
  const std::string one = Converted(invoice, separator, one_completed, edihal::ConvertInOnePass);
  const std::string two =
      Converted(invoice, separator, two_completed,
                [](edihal::TMFile& file, edihal::DocumentTextFile& output,
                   edihal::LineConversionSettings settings, const edihal::Platform& platform) {
                  edihal::ConvertInTwoPasses(file, output, std::move(settings), platform);
                  return true;
                });
  if (one_completed) {
    fuzzing::Check(two_completed, "one pass completed where two failed");
    fuzzing::Check(one == two, "one pass and two passes differ");
  }
}

void Import(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  testing_support::FakePlatform platform;
  fuzzing::FuzzHost host;

  host.answers["CzyKategoryzacja"] = fuzzing::Answer(input, {"Tak", "Nie", " Tak ", "tak", ""});
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
    host.answers[rate] = fuzzing::Text(input, 12);
  }
  if (with_assignments) platform.files[kAssignments] = fuzzing::Text(input, 1 << 14);
  if (with_assortments) platform.files[kAssortments] = fuzzing::Text(input, 1 << 14);
  if (invoice_exists) platform.files[kInvoice] = input.ConsumeRemainingBytesAsString();

  const std::map<std::string, std::string> before = platform.files;
  const bool done =
      host.Run([&] { edihal::ImportInvoiceDocument(host.Library(), platform, kOutput, kInvoice); });

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
  if (invoice_exists) CompareThePasses(before.at(kInvoice), platform.decimal_separator);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Import(data, size);
  return 0;
}
