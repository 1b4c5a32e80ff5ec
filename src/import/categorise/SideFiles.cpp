#include "import/categorise/SideFiles.h"

#include <new>
#include <utility>

#include "base/Exception.h"
#include "base/Texts.h"

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
// empty when the line has no TAB.
std::string SecondColumn(std::string_view line) {
  const std::size_t first = line.find('\t');
  if (first == std::string_view::npos) return std::string();
  const std::size_t second = line.find('\t', first + 1);
  return std::string(line.substr(
      first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
}

}  // namespace

std::string GroupKey(std::string_view structure, std::string_view group,
                     std::string_view subgroup) {
  std::string key;
  key.append(structure).append("\t").append(group).append("\t").append(subgroup).append("\t");
  return key;
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
      assortment_list_(BuildAssortmentList(assortment_lines_)) {
  for (std::size_t i = 0; i < assignment_lines_.Count(); ++i) {
    const std::string_view line = assignment_lines_[i];
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
         tab = line.find('\t', tab + 1)) {
      assignment_by_tabs_.emplace(line.substr(0, tab + 1), i);  // an earlier line stays
    }
  }
}

std::string SideFiles::AssortmentOf(std::string_view group_key) const {
  const auto assignment = assignment_by_tabs_.find(group_key);
  if (assignment == assignment_by_tabs_.end()) return std::string();
  // The rest of the line after the group key is the assortment key.  The
  // list is short, and is searched from its heading on; an empty key
  // begins no line.
  const std::string_view key = assignment_lines_[assignment->second].substr(group_key.size());
  if (key.empty()) return std::string();
  for (std::size_t i = 0; i < assortment_lines_.Count(); ++i) {
    const std::string_view line = assortment_lines_[i];
    if (line.substr(0, key.size()) == key) return SecondColumn(line);
  }
  return std::string();
}

}  // namespace edihal
