// The import selection list file, for the host to read after the call:
//
//   WskazPlik:<file-dialog filter built from the prefix>
//   Katalog:<import folder>
//   Dokument:Sciezka{...}NazwaZb{...}[NrDok{...}][Data{...}][Wystawca{...}][Nip{...}]
//
// with one "Dokument:" line per invoice file only when the host's list mode
// is "wg zaw. katalogu".  Values go in as the invoices hold them: nothing is
// escaped or converted, a brace inside a value included.
#include "selection/ImportSelectionList.h"
#include "charsets/AnsiCodePage.h"

#include <cstdint>
#include <vector>

#include "base/Texts.h"
#include "host/ParameterNames.h"
#include "linefile/LineReader.h"
#include "linefile/LineWriter.h"
#include "selection/ListedHeader.h"
#include "text/Text.h"

namespace edihal {

namespace {

constexpr char kFilterKey[] = "WskazPlik:";
constexpr char kFolderKey[] = "Katalog:";
constexpr char kEntryKey[] = "Dokument:";
constexpr char kInvoicePattern[] = "*.xml";

std::string FileDialogFilter(const std::string& prefix) {
  return texts::kListFilterLead + prefix + texts::kListFilterMiddle + AnsiUpperCase(prefix) +
         texts::kListFilterPattern + texts::kListFilterTail;
}

void AppendElement(std::string& entry, const char* key, const std::string& value) {
  entry += key;
  entry += '{';
  entry += value;
  entry += '}';
}

void AppendElementIfAny(std::string& entry, const char* key, const std::string& value) {
  if (!Trim(value).empty()) AppendElement(entry, key, value);
}

std::string EntryLine(const std::string& path, const std::string& name,
                      const ListedInvoiceHeader& header) {
  std::string entry = kEntryKey;
  AppendElement(entry, "Sciezka", path);
  AppendElement(entry, "NazwaZb", name);
  AppendElementIfAny(entry, "NrDok", header.number);
  AppendElementIfAny(entry, "Data", header.date);
  AppendElementIfAny(entry, "Wystawca", header.issuer);
  AppendElementIfAny(entry, "Nip", header.tax_number);
  return entry;
}

// 0 for the first of `count` files, never 100.  Wide arithmetic, so that
// no folder is large enough to overflow it.
std::int32_t PercentDone(std::size_t index, std::size_t count) {
  return static_cast<std::int32_t>(static_cast<std::uint64_t>(index) * 100u / count);
}

// The names (without folder) of the invoice files in `folder`: those
// matching the host's file-name prefix followed by "*.xml", case ignored,
// ordinary, read-only or archive files only, in the order the file system
// lists them.  The prefix goes into the mask as the host holds it: the
// file system's own matching ignores case.
std::vector<std::string> ScanImportFolder(const TVEXBibliotekaEDI& library,
                                          const Platform& platform, const std::string& folder) {
  std::string base = Trim(folder);
  if (!base.empty() && base.back() != '\\') base += '\\';
  const std::string mask =
      base + Trim(library.ParameterValue(params::kImportPrefix)) + kInvoicePattern;
  std::vector<std::string> names;
  for (const std::string& name : platform.FindFiles(mask)) names.push_back(Trim(name));
  return names;
}

// One "Dokument:" line per invoice file of `folder`, with progress reported
// to the host as the files are read.
void WriteFolderEntries(const TVEXBibliotekaEDI& library, const Platform& platform,
                        const std::string& folder, LineWriter& list) {
  library.ShowProgressTitle(texts::kListProgressTitle);
  library.ShowProgressText(texts::kListProgressScanning);
  const std::vector<std::string> names = ScanImportFolder(library, platform, folder);
  library.ShowProgressText("");

  LineReader reader(platform);
  ListedInvoiceHeader header;
  for (std::size_t i = 0; i < names.size(); ++i) {
    // Always one backslash at the join, even after a folder that ends in
    // one: the host gets the path exactly so.
    const std::string name = Trim(names[i]);
    const std::string path = folder + '\\' + name;
    header.Clear();
    library.ShowProgressPercent(PercentDone(i, names.size()));
    // A file removed since the folder was listed gets no entry.
    if (!platform.FileExists(path)) continue;
    ReadListedHeader(reader, path, header);
    list.WriteLine(EntryLine(path, name, header));
  }
}

}  // namespace

void BuildImportSelectionList(const TVEXBibliotekaEDI& library, const Platform& platform,
                              const std::string& list_path) {
  LineWriter list(platform);
  list.Create(list_path);  // nothing of an earlier list survives

  const std::string prefix = library.ParameterValue(params::kImportPrefix);
  list.WriteLine(kFilterKey + FileDialogFilter(prefix));

  // Whether the folder could be made is not looked at: a folder that cannot
  // be made simply lists no files.  Only an empty name is an error.
  const std::string folder = library.ParameterValue(params::kImportFolder);
  platform.ForceDirectories(folder);
  list.WriteLine(kFolderKey + folder);

  const std::string mode = Trim(library.ParameterValue(params::kImportList));
  if (AnsiCompareText(mode, params::kListFromFolder) == 0) {
    WriteFolderEntries(library, platform, folder, list);
  }
  list.Close();
}

}  // namespace edihal
