#include "import/DocumentText.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace edihal {

namespace {

// Header records 5 to 27, fixed text: the payment term, the central index
// of the lines, and the issuer's and recipient's records, all left empty
// but for the shop-network numbers.
constexpr const char* kFixedRecords[] = {
    "TerminPlatn:0",    "IndeksCentralny:SWW",
    "NazwaWystawcy:",   "AdresWystawcy:",
    "KodWystawcy:",     "MiastoWystawcy:",
    "UlicaWystawcy:",   "NIPWystawcy:",
    "BankWystawcy:",    "KontoWystawcy:",
    "TelefonWystawcy:", "NrWystawcyWSieciSklepow:0",
    "NazwaOdbiorcy:",   "AdresOdbiorcy:",
    "KodOdbiorcy:",     "MiastoOdbiorcy:",
    "UlicaOdbiorcy:",   "NIPOdbiorcy:",
    "BankOdbiorcy:",    "KontoOdbiorcy:",
    "TelefonOdbiorcy:", "NrOdbiorcyWSieciSklepow:0",
    "DotyczyDok:",
};

// `text` made of `pieces`, one after another, sized for them at once.
void Join(std::string& text, std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  text.resize(size);
  char* at = &text[0];
  for (const std::string_view piece : pieces) {
    if (piece.empty()) continue;
    std::memcpy(at, piece.data(), piece.size());
    at += piece.size();
  }
}

}  // namespace

void WriteLineRecord(const LineFields& fields, std::string& head, std::string& tail) {
  const bool second = !fields.second_code.empty();
  Join(head, {"Linia:Nazwa{", fields.name, "}Kod{", fields.code, second ? "}Kod1{" : "",
              fields.second_code, "}Vat{", fields.rate, "}Jm{", fields.unit, "}Asortyment{"});
  // The host expects the letter n before the value.
  Join(tail, {"}Sww{", fields.item_number, "}Subsys{", fields.item_number, "}PKWiU{",
              fields.short_description, "}Ilosc{", fields.quantity, "}Cena{}Wartosc{n",
              fields.value, "}IleKgL{", fields.piece_content, "}"});
}

void WriteHeader(LineWriter& document, const InvoiceHeader& invoice, const Platform& platform) {
  char today[32];
  if (!invoice.has_date) {
    const CalendarDate date = platform.Today();
    std::snprintf(today, sizeof today, "%02d.%02d.%04d", date.day, date.month, date.year);
  }
  document.WriteLine("TypDok:");
  document.WriteLine("NrDok :" + invoice.number);
  document.WriteLine("Data:" + (invoice.has_date ? invoice.date : std::string(today)));
  document.WriteLine("SposobPlatn:" + invoice.payment_form);
  for (const char* record : kFixedRecords) document.WriteLine(record);
  document.WriteLine("IloscLinii:" + std::to_string(invoice.line_count));
}

}  // namespace edihal
