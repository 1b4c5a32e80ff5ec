// The host document text: what one import hands back to the host.  One
// record per line, each ending with CR LF, no byte-order mark: 28 header
// records in a fixed order, then one "Linia:" record per invoice line.
// Values are appended to their keys as they are: nothing is escaped and no
// value is ever used as a format.
#ifndef EDIHAL_IMPORT_DOCUMENTTEXT_H
#define EDIHAL_IMPORT_DOCUMENTTEXT_H

#include <string>
#include <string_view>

#include "import/InvoiceReading.h"
#include "linefile/LineWriter.h"
#include "platform/Platform.h"

namespace edihal {

// The fields of one "Linia:" record but its assortment.  A line with a
// second code gets the form with "Kod1"; without one (empty) the record has
// no "Kod1" at all.
struct LineFields {
  std::string_view name;               // Nazwa
  std::string_view code;               // Kod
  std::string_view second_code;        // Kod1
  std::string_view rate;               // Vat
  std::string_view unit;               // Jm
  std::string_view item_number;        // Sww and Subsys
  std::string_view short_description;  // PKWiU
  std::string_view quantity;           // Ilosc
  std::string_view value;              // Wartosc, after the letter n
  std::string_view piece_content;      // IleKgL
};

// The "Linia:" record of `fields` in the two parts around the assortment's
// value, without its line end: `head` ends with "Asortyment{", `tail`
// begins with the "}" after the value.
void WriteLineRecord(const LineFields& fields, std::string& head, std::string& tail);

// Writes the 28 header records of `invoice`: its number, its date as
// DD.MM.YYYY (today's where it gives none), its payment form, and the
// line count it announces.
void WriteHeader(LineWriter& document, const InvoiceHeader& invoice, const Platform& platform);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_DOCUMENTTEXT_H
