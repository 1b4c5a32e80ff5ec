#include "export/ExportList.h"

#include <cstddef>

#include "library/TextPrimitives.h"
#include "torlib/TMFile.h"
#include "torlib/TxTools.h"

namespace edihal {

namespace {

constexpr char kListKey[] = "Dokument";
constexpr char kNameElement[] = "NAZWAZB";  // upper case, compared upper-cased
constexpr std::ptrdiff_t kNameElementLength = sizeof kNameElement - 1;

// Whether the element name just before the brace at `open` is NazwaZb.
// Only the last seven characters before the brace count, so a longer
// name such as "XNazwaZb" matches too.
bool NamesListedFile(const std::string& elements, std::ptrdiff_t open) {
  if (open < kNameElementLength) return false;
  return AnsiUpperCase(elements.substr(static_cast<std::size_t>(open - kNameElementLength),
                                       kNameElementLength)) == kNameElement;
}

}  // namespace

bool ListedExportName(const std::string& line, std::string& name) {
  const TxTools trimmed(Trim(line));
  const std::ptrdiff_t colon = trimmed.FindChar(':');
  if (colon < 0) return false;
  const std::string key = Trim(trimmed.Text().substr(0, static_cast<std::size_t>(colon)));
  if (AnsiCompareText(key, kListKey) != 0) return false;

  const TxTools rest(Trim(trimmed.DelCharsFrom(0, colon + 1)));
  const std::string& elements = rest.Text();
  for (std::ptrdiff_t open = rest.FindChar('{'); open >= 0; open = rest.FindChar('{', open + 1)) {
    const std::ptrdiff_t close = rest.FindChar('}', open + 1);
    if (close < 0) return false;  // an unclosed value ends the line
    const std::string value = Trim(elements.substr(static_cast<std::size_t>(open + 1),
                                                   static_cast<std::size_t>(close - open - 1)));
    if (value.empty() || !NamesListedFile(elements, open)) continue;
    name = value;
    return true;
  }
  return false;
}

std::vector<std::string> ReadExportList(const Platform& platform, const std::string& list_path,
                                        const std::string& folder) {
  std::vector<std::string> paths;
  TMFile file(platform);
  file.SetRandomAccess(false);
  file.SetReadOnly(true);
  file.SetPath(list_path);
  file.Open();
  file.SetPointer(0);
  std::string line, name;
  while (file.ReadLine(line, "\r\n")) {
    if (!ListedExportName(line, name)) continue;
    const bool has_extension = TxTools(name).ContainsChar('.');
    paths.push_back(folder + "\\" + name + (has_extension ? "" : ".xml"));
  }
  file.Close();
  return paths;
}

}  // namespace edihal
