#include "import/SideFiles.h"

#include <new>

#include "rtl/Exception.h"
#include "text/Texts.h"

namespace edihal {

namespace {

// The platform's message names the file as it was opened and ends with the
// reason after ": "; the message given to the user names the full path too.
TStringList LoadSideFile(const Platform& platform, const std::string& name) {
  try {
    return TStringList::LoadFromFile(platform, name);
  } catch (const EInOutError& error) {
    const std::string& message = error.Message();
    const std::string named = name + ": ";
    const std::size_t at = message.find(named);
    const std::string reason =
        at == std::string::npos ? message : message.substr(at + named.size());
    throw EInOutError(texts::kCannotLoadSideFile + name + " (" + platform.FullPath(name) +
                      "): " + reason);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(texts::kOutOfMemoryReading + platform.FullPath(name));
  }
}

// The text after the first TAB of `line`, up to the next TAB or the end;
// false when the line has no TAB.
bool SecondColumn(std::string_view line, std::string& column) {
  const std::size_t first = line.find('\t');
  if (first == std::string_view::npos) return false;
  const std::size_t second = line.find('\t', first + 1);
  column = std::string(line.substr(
      first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
  return true;
}

}  // namespace

void GroupKey(std::string_view structure, std::string_view group, std::string_view subgroup,
              std::string& key) {
  key.assign(structure.data(), structure.size());
  key += '\t';
  key.append(group.data(), group.size());
  key += '\t';
  key.append(subgroup.data(), subgroup.size());
  key += '\t';
}

std::vector<std::string> BuildAssortmentList(const TStringList& assortment_lines) {
  std::vector<std::string> list;
  std::string name;
  for (std::size_t i = 1; i < assortment_lines.Count(); ++i) {
    const std::string_view line = assortment_lines[i];
    const std::size_t first = line.find('\t');
    // A name counts only when a TAB closes it.
    if (first != std::string_view::npos) {
      const std::size_t second = line.find('\t', first + 1);
      if (second != std::string_view::npos) {
        name = std::string(line.substr(first + 1, second - first - 1));
      }
    }
    list.push_back(name);
  }
  return list;
}

std::unique_ptr<SideFiles> SideFiles::Load(const Platform& platform) {
  TStringList assignment_lines = LoadSideFile(platform, kAssignmentFileName);
  TStringList assortment_lines = LoadSideFile(platform, kAssortmentFileName);
  return std::make_unique<SideFiles>(std::move(assignment_lines), std::move(assortment_lines));
}

SideFiles::SideFiles(TStringList assignment_lines, TStringList assortment_lines)
    : assignment_lines_(std::move(assignment_lines)),
      assortment_lines_(std::move(assortment_lines)),
      assortment_list_(BuildAssortmentList(assortment_lines_)),
      assignments_(assignment_lines_),
      assortments_(assortment_lines_) {}

std::string SideFiles::AssortmentOf(const std::string& group_key) const {
  const std::size_t assignment = assignments_.FirstStartingWith(group_key);
  if (assignment == PrefixIndex::kNone) return std::string();
  // The rest of the line after the group key is the assortment key; the
  // heading of "Kategoryzacja.txt" is searched like any other line.
  const std::string_view key = assignment_lines_[assignment].substr(group_key.size());
  const std::size_t assortment = assortments_.FirstStartingWith(key);
  std::string name;
  if (assortment != PrefixIndex::kNone) SecondColumn(assortment_lines_[assortment], name);
  return name;
}

}  // namespace edihal
