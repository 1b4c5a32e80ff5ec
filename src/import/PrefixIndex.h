// Finds the first line of a list, in list order, that begins with a given
// text, without walking the list.  Nothing is assumed about the lines or the
// texts looked for: tabs, digits and any other bytes compare as plain bytes.
//
// Two ways, each built on first need and kept:
//  - A text that ends with a TAB, as the group keys of the side files do,
//    and holds k TABs, begins exactly those lines whose text up to and
//    including their k-th TAB equals it.  One hash table per k maps that
//    part of every line to the first line that has it.
//  - Any other text: the lines sorted once, so that those beginning with
//    the text stand side by side and one binary search finds them, and a
//    minimum tree over their list positions gives the earliest of them.
#ifndef EDIHAL_IMPORT_PREFIXINDEX_H
#define EDIHAL_IMPORT_PREFIXINDEX_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "import/StringList.h"

namespace edihal {

class PrefixIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Indexes `lines`, which must outlive the index and stay unchanged.
  explicit PrefixIndex(const TStringList& lines);

  // Position in the list of the first line that begins with `prefix`, or
  // kNone.  An empty prefix begins no line, as a text search for an empty
  // text finds nothing.
  std::size_t FirstStartingWith(std::string_view prefix) const;

 private:
  // Open addressing: each used slot holds a line and the hash of its part
  // through the k-th TAB.  Small, since a table has a slot for every two
  // lines of the file.
  struct Slot {
    std::uint32_t line;  // kEmptySlot when unused
    std::uint32_t hash;
  };
  using TabTable = std::vector<Slot>;

  std::size_t FirstByTabs(std::string_view prefix, std::size_t tabs) const;
  const TabTable& TableFor(std::size_t tabs) const;
  std::size_t FirstBySorting(std::string_view prefix) const;
  void Sort() const;
  std::uint32_t EarliestIn(std::size_t from, std::size_t to) const;

  const TStringList& lines_;
  std::size_t longest_ = 0;  // the length of the longest line
  mutable std::map<std::size_t, TabTable> tab_tables_;
  mutable bool sorted_ready_ = false;
  mutable std::vector<std::uint32_t> sorted_;    // line positions in byte order of the lines
  mutable std::size_t leaves_ = 0;               // first leaf of `earliest_`
  mutable std::vector<std::uint32_t> earliest_;  // minimum tree over `sorted_`
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_PREFIXINDEX_H
