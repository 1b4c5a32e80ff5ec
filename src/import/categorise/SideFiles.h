// The two side files of the categorisation, read whole once per import,
// and the look-ups the import makes in them.
//
// "Przypisanie.txt" maps the wholesaler's merchandise numbers to an
// assortment key: structure TAB group TAB subgroup TAB key.
// "Kategoryzacja.txt" lists the assortments: key TAB name TAB ..., under
// a heading line.  Look-ups are prefix matches, exact and case-sensitive,
// and the first line in file order wins.
#ifndef EDIHAL_IMPORT_CATEGORISE_SIDEFILES_H
#define EDIHAL_IMPORT_CATEGORISE_SIDEFILES_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "import/categorise/StringList.h"
#include "platform/Platform.h"

namespace edihal {

inline constexpr char kAssignmentFileName[] = "Przypisanie.txt";
inline constexpr char kAssortmentFileName[] = "Kategoryzacja.txt";

// The numbers of a line block joined, each followed by a TAB.
std::string GroupKey(std::string_view structure, std::string_view group, std::string_view subgroup);

// The names offered in the dialog, one for every line of "Kategoryzacja.txt"
// after the heading: column 2 of a line that has at least two TABs, else
// the name of the line before (empty for the first).
std::vector<std::string> BuildAssortmentList(const TStringList& assortment_lines);

class SideFiles {
 public:
  // Both files from the current folder.  A file that cannot be opened or
  // read raises EInOutError naming the file and the full path tried.
  static std::unique_ptr<SideFiles> Load(const Platform& platform);

  SideFiles(TStringList assignment_lines, TStringList assortment_lines);
  // The index views the line lists: the object stays where it is made.
  SideFiles(const SideFiles&) = delete;
  SideFiles& operator=(const SideFiles&) = delete;

  // The assortment name the files give for a GroupKey; empty when the
  // group key, or the assortment key it leads to, is not found, or when
  // the assortment line holds no TAB.
  std::string AssortmentOf(std::string_view group_key) const;

  const std::vector<std::string>& AssortmentList() const { return assortment_list_; }

 private:
  TStringList assignment_lines_;
  TStringList assortment_lines_;
  std::vector<std::string> assortment_list_;
  // A group key ends with a TAB: it begins exactly those lines whose text
  // up to and including the TAB of the same count equals it.  Every such
  // text of "Przypisanie.txt" maps to the first line that has it.
  std::unordered_map<std::string_view, std::size_t> assignment_by_tabs_;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_CATEGORISE_SIDEFILES_H
