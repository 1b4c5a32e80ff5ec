// Finds the first line, in list order, that begins with a given text, in
// logarithmic time instead of a walk through the whole list.
//
// The lines are sorted once; the lines that begin with a text then stand
// side by side in sorted order, so one binary search finds them all, and a
// minimum tree over their original positions gives the earliest of them.
// Nothing is assumed about the shape of the lines or of the texts looked
// for: tabs, digits and any other bytes compare as plain bytes.
#ifndef EDIHAL_IMPORT_PREFIXINDEX_H
#define EDIHAL_IMPORT_PREFIXINDEX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace edihal {

class PrefixIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Indexes `lines`, which must outlive the index and stay unchanged.
  explicit PrefixIndex(const std::vector<std::string>& lines);

  // Position in the list of the first line that begins with `prefix`, or
  // kNone.  An empty prefix begins no line, as a text search for an empty
  // text finds nothing.
  std::size_t FirstStartingWith(const std::string& prefix) const;

 private:
  std::uint32_t EarliestIn(std::size_t from, std::size_t to) const;

  const std::vector<std::string>& lines_;
  std::vector<std::uint32_t> sorted_;    // line positions in byte order of the lines
  std::size_t leaves_ = 0;               // first leaf of `earliest_`
  std::vector<std::uint32_t> earliest_;  // minimum tree over `sorted_`
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_PREFIXINDEX_H
