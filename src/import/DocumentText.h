// The host document text: what one import hands back to the host.  One
// record per line, each ending with CR LF, no byte-order mark: 28 header
// records in a fixed order, then one "Linia:" record per invoice line.
// Values are appended to their keys as they are: nothing is escaped and no
// value is ever used as a format.
#ifndef EDIHAL_IMPORT_DOCUMENTTEXT_H
#define EDIHAL_IMPORT_DOCUMENTTEXT_H

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "torlib/TMFile.h"

namespace edihal {

struct DocumentHeader {
  std::string number;        // "NrDok :"
  std::string date;          // "Data:", DD.MM.YYYY
  std::string payment_form;  // "SposobPlatn:", GOT, PRZEL, KARTA, INNA or empty
  int line_count = 0;        // "IloscLinii:"
};

// The fields of one "Linia:" record, viewing texts that outlive it.  A line
// with a second code gets the form with "Kod1"; without one (empty) the
// record has no "Kod1" at all.
struct LineFields {
  std::string_view name;               // Nazwa
  std::string_view code;               // Kod
  std::string_view second_code;        // Kod1
  std::string_view rate;               // Vat
  std::string_view unit;               // Jm
  std::string_view assortment;         // Asortyment
  std::string_view item_number;        // Sww and Subsys
  std::string_view short_description;  // PKWiU
  std::string_view quantity;           // Ilosc
  std::string_view value;              // Wartosc, after the letter n
  std::string_view piece_content;      // IleKgL
};

// The "Linia:" record of `fields`, without its line end, made in `record`,
// whose buffer it keeps.
void WriteLineRecord(const LineFields& fields, std::string& record);

// Where the assortment's value begins in the record of `fields`: after
// "Asortyment{".
std::size_t AssortmentOffset(const LineFields& fields);

// The 28 header records, each with its CR LF.
std::string HeaderRecords(const DocumentHeader& header);

// The output file of one import.  Create() opens it and empties it; the
// records follow one by one.  The destructor writes what is still buffered
// and releases the file, so an import stopped by an error leaves the
// records written before it.
class DocumentTextFile {
 public:
  explicit DocumentTextFile(const Platform& platform) : file_(platform) {}

  void Create(const std::string& path);
  // Empties the file again, dropping what is still buffered.
  void Restart();
  void WriteHeader(const DocumentHeader& header);
  void WriteRecord(const std::string& record) { file_.WriteLine(record, "\r\n"); }
  // Records written from here on go `position` bytes from the file's
  // start; the file grows to hold them.
  void MoveTo(std::uint64_t position) { file_.SetPointer(position); }
  // Moves the records from `position` on `shift` bytes towards the end
  // (back when negative), so that those before it can be written again
  // that much longer.  Fails with EInOutError where the file cannot be
  // read back.
  void MoveRecordsFrom(std::uint64_t position, std::int64_t shift) {
    file_.MoveTail(position, shift);
  }
  // `records`, each already ending with its CR LF.
  void WriteRecords(const std::string& records) { file_.WriteLine(records, std::string()); }
  void Close() { file_.Close(); }

 private:
  TMFile file_;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_DOCUMENTTEXT_H
