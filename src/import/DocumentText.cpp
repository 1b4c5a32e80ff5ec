#include "import/DocumentText.h"

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

}  // namespace

void WriteLineRecord(const LineFields& fields, std::string& head, std::string& tail) {
  head.assign("Linia:Nazwa{").append(fields.name).append("}Kod{").append(fields.code);
  if (!fields.second_code.empty()) head.append("}Kod1{").append(fields.second_code);
  head.append("}Vat{").append(fields.rate).append("}Jm{").append(fields.unit);
  head.append("}Asortyment{");
  tail.assign("}Sww{").append(fields.item_number).append("}Subsys{").append(fields.item_number);
  tail.append("}PKWiU{").append(fields.short_description);
  tail.append("}Ilosc{").append(fields.quantity);
  // The host expects the letter n before the value.
  tail.append("}Cena{}Wartosc{n").append(fields.value);
  tail.append("}IleKgL{").append(fields.piece_content).append("}");
}

std::string HeaderRecords(const DocumentHeader& header) {
  std::string text;
  const auto add = [&text](std::string_view record) {
    text += record;
    text += "\r\n";
  };
  add("TypDok:");
  add("NrDok :" + header.number);
  add("Data:" + header.date);
  add("SposobPlatn:" + header.payment_form);
  for (const char* record : kFixedRecords) add(record);
  add("IloscLinii:" + std::to_string(header.line_count));
  return text;
}

void DocumentTextFile::Create(const std::string& path) {
  file_.SetRandomAccess(false);
  file_.SetReadOnly(false);
  file_.SetPath(path);
  file_.Open();
  file_.SetPointer(0);
  file_.SetEof();
}

}  // namespace edihal
