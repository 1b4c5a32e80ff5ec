#include "import/ImportInvoiceDocument.h"

#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "base/Exception.h"
#include "base/Texts.h"
#include "host/ParameterNames.h"
#include "import/DocumentText.h"
#include "import/InvoiceReading.h"
#include "import/LineConversion.h"
#include "import/categorise/Categorisation.h"
#include "linefile/LineReader.h"
#include "linefile/LineWriter.h"

namespace edihal {

namespace {

// What the clerk reads when the invoice is refused: the file, the line,
// what was found there and what to do about it.
std::string RefusalMessage(const std::string& invoice_path, const InvoiceFinding& refusal) {
  const bool layout = refusal.kind == FindingKind::kSeveralElements ||
                      refusal.kind == FindingKind::kWholeInvoiceOnOneLine;
  return texts::kRefusedInvoice + invoice_path + texts::kRefusedAtLine +
         std::to_string(refusal.line) + ": " + refusal.text + ". " +
         (layout ? texts::kRefusedLayout : texts::kRefusedIncomplete);
}

// The document from the invoice, read twice: the first reading decides
// whether the invoice can be read whole and gives the header records, the
// second one record per line block.  An invoice the first reading refuses
// leaves the document empty.
void ConvertInvoice(const TVEXBibliotekaEDI& library, const Platform& platform,
                    Categorisation* categorisation, const std::string& output_path,
                    const std::string& invoice_path) {
  LineWriter output(platform);
  output.Create(output_path);
  if (!platform.FileExists(invoice_path)) {
    // The host gets an empty document and learns why.
    output.Close();
    throw EInOutError(texts::kMissingInvoice + invoice_path);
  }
  LineReader invoice(platform);
  invoice.Open(invoice_path);

  LineConversionSettings settings;
  // Asked in this order (a braced list is evaluated from left to right).
  settings.rates =
      VatRates{library.ParameterValue(params::kRateA), library.ParameterValue(params::kRateB),
               library.ParameterValue(params::kRateC), library.ParameterValue(params::kRateD),
               library.ParameterValue(params::kRateG)};
  settings.decimal_separator = platform.DecimalSeparator();
  settings.invoice_path = invoice_path;
  settings.categorisation = categorisation;

  InvoiceReading reading;
  ReadInvoice(invoice, reading);
  if (const InvoiceFinding* refusal = reading.Refusal()) {
    output.Close();
    throw EConvertError(RefusalMessage(invoice_path, *refusal));
  }
  const InvoiceHeader& header = reading.Header();
  invoice.Rewind();
  WriteHeader(output, header, platform);

  settings.encoding = header.encoding;
  LineConversion lines(std::move(settings));
  std::string_view line;
  std::string record;
  long number = 0;
  while (invoice.NextLine(line)) {
    if (lines.TakeLine(line, ++number, record)) output.WriteLine(record);
  }

  output.Close();
  invoice.Close();
}

}  // namespace

// Every file and list is owned by this call and released on every way
// out: the output file keeps the records written before an error.
void ImportInvoiceDocument(const TVEXBibliotekaEDI& library, const Platform& platform,
                           const std::string& output_path, const std::string& invoice_path) {
  // Only the exact answer turns categorisation on, and its side files are
  // read before anything else is opened.
  std::unique_ptr<Categorisation> categorisation;
  if (library.ParameterValue(params::kCategorisation) == params::kYes) {
    categorisation = Categorisation::Load(platform, library);
  }

  try {
    ConvertInvoice(library, platform, categorisation.get(), output_path, invoice_path);
  } catch (const std::bad_alloc&) {
    // Whatever ran out while the invoice was read (a record, a value), the
    // invoice is what the user can look at.
    throw EOutOfMemory(texts::kOutOfMemoryReading + invoice_path);
  }
}

}  // namespace edihal
