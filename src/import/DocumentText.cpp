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

void AppendField(std::string& record, const char* name, const std::string& value) {
  record += name;
  record += '{';
  record += value;
  record += '}';
}

}  // namespace

std::string LineRecord(const LineFields& fields) {
  std::string record;
  record.reserve(128 + fields.name.size() + fields.short_description.size());
  record += "Linia:";
  AppendField(record, "Nazwa", fields.name);
  AppendField(record, "Kod", fields.code);
  if (!fields.second_code.empty()) AppendField(record, "Kod1", fields.second_code);
  AppendField(record, "Vat", fields.rate);
  AppendField(record, "Jm", fields.unit);
  AppendField(record, "Asortyment", fields.assortment);
  AppendField(record, "Sww", fields.item_number);
  AppendField(record, "Subsys", fields.item_number);
  AppendField(record, "PKWiU", fields.short_description);
  AppendField(record, "Ilosc", fields.quantity);
  record += "Cena{}";
  record += "Wartosc{n";  // the host expects the letter n before the value
  record += fields.value;
  record += '}';
  AppendField(record, "IleKgL", fields.piece_content);
  return record;
}

SplitLineRecord LineRecordAroundAssortment(const LineFields& fields) {
  LineFields without = fields;
  without.assortment.clear();
  const std::string record = LineRecord(without);
  // The fields before the assortment are name, codes, rate and unit; their
  // lengths tell where its braces stand, whatever bytes the values hold.
  std::size_t head = std::string("Linia:Nazwa{}Kod{}Vat{}Jm{}Asortyment{").size() +
                     fields.name.size() + fields.code.size() + fields.rate.size() +
                     fields.unit.size();
  if (!fields.second_code.empty()) head += std::string("Kod1{}").size() + fields.second_code.size();
  return SplitLineRecord{record.substr(0, head), record.substr(head)};
}

void DocumentTextFile::Create(const std::string& path) {
  file_.SetRandomAccess(false);
  file_.SetReadOnly(false);
  file_.SetPath(path);
  file_.Open();
  file_.SetPointer(0);
  file_.SetEof();
}

void DocumentTextFile::WriteHeader(const DocumentHeader& header) {
  WriteRecord("TypDok:");
  WriteRecord("NrDok :" + header.number);
  WriteRecord("Data:" + header.date);
  WriteRecord("SposobPlatn:" + header.payment_form);
  for (const char* record : kFixedRecords) WriteRecord(record);
  WriteRecord("IloscLinii:" + std::to_string(header.line_count));
}

}  // namespace edihal
