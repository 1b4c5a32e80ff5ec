#include "export/ExportList.h"

#include "charsets/AnsiCodePage.h"
#include "linefile/LineReader.h"
#include "text/Text.h"

namespace edihal {

namespace {

constexpr char kListKey[] = "Dokument";
constexpr char kNameElement[] = "NAZWAZB";  // upper case, compared upper-cased
constexpr std::size_t kNameElementLength = sizeof kNameElement - 1;

// Whether the element name just before the brace at `open` is NazwaZb.
// Only the last seven characters before the brace count, so a longer
// name such as "XNazwaZb" matches too.
bool NamesListedFile(const std::string& elements, std::size_t open) {
  if (open < kNameElementLength) return false;
  return AnsiUpperCase(elements.substr(open - kNameElementLength, kNameElementLength)) ==
         kNameElement;
}

}  // namespace

bool ListedExportName(const std::string& line, std::string& name) {
  const std::string trimmed = Trim(line);
  const std::size_t colon = trimmed.find(':');
  if (colon == std::string::npos) return false;
  if (AnsiCompareText(Trim(trimmed.substr(0, colon)), kListKey) != 0) return false;

  const std::string elements = Trim(trimmed.substr(colon + 1));
  for (std::size_t open = elements.find('{'); open != std::string::npos;
       open = elements.find('{', open + 1)) {
    const std::size_t close = elements.find('}', open + 1);
    if (close == std::string::npos) return false;  // an unclosed value ends the line
    const std::string value = Trim(elements.substr(open + 1, close - open - 1));
    if (value.empty() || !NamesListedFile(elements, open)) continue;
    name = value;
    return true;
  }
  return false;
}

std::vector<std::string> ReadExportList(const Platform& platform, const std::string& list_path,
                                        const std::string& folder) {
  std::vector<std::string> paths;
  LineReader file(platform);
  file.Open(list_path);
  std::string_view line;
  std::string name;
  while (file.NextLine(line)) {
    if (!ListedExportName(std::string(line), name)) continue;
    const bool has_extension = name.find('.') != std::string::npos;
    paths.push_back(folder + "\\" + name + (has_extension ? "" : ".xml"));
  }
  file.Close();
  return paths;
}

}  // namespace edihal
