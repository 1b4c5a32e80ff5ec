#include "import/DocumentText.h"

#include <cstring>

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

// Each piece is copied once into a record allocated at its full size.
std::string LineRecord(const LineFields& fields) {
  const bool second = !fields.second_code.empty();
  const std::string_view pieces[] = {
      "Linia:Nazwa{",
      fields.name,
      "}Kod{",
      fields.code,
      second ? "}Kod1{" : "",
      fields.second_code,
      "}Vat{",
      fields.rate,
      "}Jm{",
      fields.unit,
      "}Asortyment{",
      fields.assortment,
      "}Sww{",
      fields.item_number,
      "}Subsys{",
      fields.item_number,
      "}PKWiU{",
      fields.short_description,
      "}Ilosc{",
      fields.quantity,
      "}Cena{}Wartosc{n",  // the host expects the letter n before the value
      fields.value,
      "}IleKgL{",
      fields.piece_content,
      "}"};
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string record(size, '\0');
  char* at = &record[0];
  for (const std::string_view piece : pieces) {
    if (piece.empty()) continue;
    std::memcpy(at, piece.data(), piece.size());
    at += piece.size();
  }
  return record;
}

std::size_t AssortmentOffset(const LineFields& fields) {
  // The fields before the assortment are name, codes, rate and unit; their
  // lengths tell where its braces stand, whatever bytes the values hold.
  constexpr std::string_view kBefore = "Linia:Nazwa{}Kod{}Vat{}Jm{}Asortyment{";
  constexpr std::string_view kSecondCode = "Kod1{}";
  std::size_t offset = kBefore.size() + fields.name.size() + fields.code.size() +
                       fields.rate.size() + fields.unit.size();
  if (!fields.second_code.empty()) offset += kSecondCode.size() + fields.second_code.size();
  return offset;
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
