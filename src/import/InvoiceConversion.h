// The two ways an invoice becomes the host document text.
//
// Two passes: the first reads the header (InvoiceHeader), the second
// converts the line blocks (LineConversion), and the header records are
// written between them.
//
// One pass: the blocks are converted while the header is read, and the
// records are written behind room left for the header records, which go
// in last.  The room is measured from the header read so far, with the
// line count the part read promises for the whole file; it is right for
// all but a few invoices (a count near a power of ten, a header that goes
// on after the blocks), and for those the records move to fit the header
// in the end, which costs a reading and writing of the document, not of
// the invoice.  Where the one pass cannot give exactly the document of
// two passes (an encoding declared after the first record, a block the
// user would have to be asked about, a document the system will not let
// it read back, any error), it says so and leaves the rest to two passes.
#ifndef EDIHAL_IMPORT_INVOICECONVERSION_H
#define EDIHAL_IMPORT_INVOICECONVERSION_H

#include "import/DocumentText.h"
#include "import/InvoiceHeader.h"
#include "import/LineConversion.h"
#include "platform/Platform.h"
#include "torlib/TMFile.h"

namespace edihal {

// The header records of `invoice`; today's date where it gives none.
DocumentHeader DocumentHeaderOf(const InvoiceHeader& invoice, const Platform& platform);

// Both take `invoice` from its start and `output` as just emptied.
// `settings` come without the encoding, which the invoice declares.
void ConvertInTwoPasses(TMFile& invoice, DocumentTextFile& output, LineConversionSettings settings,
                        const Platform& platform);
// True when the document is complete; false leaves `output` and `invoice`
// anywhere, to be emptied and rewound, and has not asked the user.
bool ConvertInOnePass(TMFile& invoice, DocumentTextFile& output, LineConversionSettings settings,
                      const Platform& platform);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_INVOICECONVERSION_H
