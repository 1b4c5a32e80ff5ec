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

// Copies `piece` to `at` and returns the byte after it.  A record's pieces
// are short: up to 16 bytes go in one or two moves, without a call, and a
// literal's moves are fixed when it is compiled.
__attribute__((always_inline)) inline char* Put(char* at, std::string_view piece) {
  const std::size_t size = piece.size();
  const char* from = piece.data();
  if (size > 16) {
    std::memcpy(at, from, size);
  } else if (size >= 8) {
    std::memcpy(at, from, 8);
    std::memcpy(at + size - 8, from + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(at, from, 4);
    std::memcpy(at + size - 4, from + size - 4, 4);
  } else {
    for (std::size_t i = 0; i < size; ++i) at[i] = from[i];
  }
  return at + size;
}

// The fixed pieces of a "Linia:" record, around its fields.
constexpr std::string_view kName = "Linia:Nazwa{";
constexpr std::string_view kCode = "}Kod{";
constexpr std::string_view kSecondCode = "}Kod1{";
constexpr std::string_view kRate = "}Vat{";
constexpr std::string_view kUnit = "}Jm{";
constexpr std::string_view kAssortment = "}Asortyment{";
constexpr std::string_view kSww = "}Sww{";
constexpr std::string_view kSubsys = "}Subsys{";
constexpr std::string_view kPkwiu = "}PKWiU{";
constexpr std::string_view kQuantity = "}Ilosc{";
constexpr std::string_view kValue = "}Cena{}Wartosc{n";  // the host expects n before the value
constexpr std::string_view kPieceContent = "}IleKgL{";
constexpr std::string_view kEnd = "}";

}  // namespace

void WriteLineRecord(const LineFields& fields, std::string& record) {
  const bool second = !fields.second_code.empty();
  constexpr std::size_t kFixed = kName.size() + kCode.size() + kRate.size() + kUnit.size() +
                                 kAssortment.size() + kSww.size() + kSubsys.size() + kPkwiu.size() +
                                 kQuantity.size() + kValue.size() + kPieceContent.size() +
                                 kEnd.size();
  const std::size_t size =
      kFixed + (second ? kSecondCode.size() + fields.second_code.size() : 0) + fields.name.size() +
      fields.code.size() + fields.rate.size() + fields.unit.size() + fields.assortment.size() +
      2 * fields.item_number.size() + fields.short_description.size() + fields.quantity.size() +
      fields.value.size() + fields.piece_content.size();
  // Resizing keeps the bytes already there: only a longer record's tail is
  // cleared before it is overwritten.
  record.resize(size);
  char* at = &record[0];
  at = Put(Put(at, kName), fields.name);
  at = Put(Put(at, kCode), fields.code);
  if (second) at = Put(Put(at, kSecondCode), fields.second_code);
  at = Put(Put(at, kRate), fields.rate);
  at = Put(Put(at, kUnit), fields.unit);
  at = Put(Put(at, kAssortment), fields.assortment);
  at = Put(Put(at, kSww), fields.item_number);
  at = Put(Put(at, kSubsys), fields.item_number);
  at = Put(Put(at, kPkwiu), fields.short_description);
  at = Put(Put(at, kQuantity), fields.quantity);
  at = Put(Put(at, kValue), fields.value);
  at = Put(Put(at, kPieceContent), fields.piece_content);
  Put(at, kEnd);
}

std::size_t AssortmentOffset(const LineFields& fields) {
  // The fields before the assortment are name, codes, rate and unit; their
  // lengths tell where its braces stand, whatever bytes the values hold.
  std::size_t offset = kName.size() + fields.name.size() + kCode.size() + fields.code.size() +
                       kRate.size() + fields.rate.size() + kUnit.size() + fields.unit.size() +
                       kAssortment.size();
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

void DocumentTextFile::Restart() {
  file_.DropUnwritten();
  file_.SetPointer(0);
  file_.SetEof();
}

void DocumentTextFile::WriteHeader(const DocumentHeader& header) {
  WriteRecords(HeaderRecords(header));
}

}  // namespace edihal
