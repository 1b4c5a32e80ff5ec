#include "import/ImportInvoiceDocument.h"

#include <memory>
#include <new>
#include <utility>

#include "import/Categorisation.h"
#include "import/DocumentText.h"
#include "import/InvoiceConversion.h"
#include "import/LineConversion.h"
#include "plugin/ParameterNames.h"
#include "rtl/Exception.h"
#include "text/Texts.h"
#include "torlib/TMFile.h"

namespace edihal {

namespace {

VatRates AskVatRates(const TVEXBibliotekaEDI& library) {
  VatRates rates;
  rates.a = library.ParameterValue(params::kRateA);
  rates.b = library.ParameterValue(params::kRateB);
  rates.c = library.ParameterValue(params::kRateC);
  rates.d = library.ParameterValue(params::kRateD);
  rates.g = library.ParameterValue(params::kRateG);
  return rates;
}

void OpenInvoice(TMFile& invoice, const std::string& path) {
  invoice.SetRandomAccess(false);
  invoice.SetReadOnly(true);
  invoice.SetPath(path);
  invoice.Open();
  invoice.SetPointer(0);
}

// The document from the invoice: the header records, then one record per
// line block.  One pass makes it, but for the few invoices it leaves to
// two (InvoiceConversion.h).
void ConvertInvoice(const TVEXBibliotekaEDI& library, const Platform& platform,
                    Categorisation* categorisation, const std::string& output_path,
                    const std::string& invoice_path) {
  DocumentTextFile output(platform);
  output.Create(output_path);
  if (!platform.FileExists(invoice_path)) {
    // The host gets an empty document and learns why.
    output.Close();
    throw EInOutError(texts::kMissingInvoice + invoice_path);
  }
  TMFile invoice(platform);
  OpenInvoice(invoice, invoice_path);

  LineConversionSettings settings;
  settings.rates = AskVatRates(library);
  settings.decimal_separator = platform.DecimalSeparator();
  settings.invoice_path = invoice_path;
  settings.categorisation = categorisation;
  if (!ConvertInOnePass(invoice, output, settings, platform)) {
    // Seldom: the document is made again from the start, in two passes.
    output.Restart();
    invoice.SetPointer(0);
    ConvertInTwoPasses(invoice, output, std::move(settings), platform);
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
    categorisation = Categorisation::Load(platform, &library);
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
