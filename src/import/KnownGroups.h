// The assortments the side files gave for the merchandise groups met so
// far in one import.  A categorised import looks a group up for every line
// block and meets a few hundred groups at most, nearly all of them numbers
// of a few digits: a group whose GroupKey fits in 16 bytes is found by that
// key packed into two words, without a string built or hashed byte by
// byte; a longer one is found by its key as a string.
#ifndef EDIHAL_IMPORT_KNOWNGROUPS_H
#define EDIHAL_IMPORT_KNOWNGROUPS_H

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "import/ProbeTable.h"

namespace edihal {

class KnownGroups {
 public:
  // The assortment remembered for the group of the three numbers; null
  // when none is.
  const std::string* Find(std::string_view structure, std::string_view group,
                          std::string_view subgroup);
  // Remembers `assortment` for the group of the three numbers.  The text
  // kept stays where it is as long as the object, and groups of the same
  // assortment share it.
  const std::string& Add(std::string_view structure, std::string_view group,
                         std::string_view subgroup, std::string assortment);

 private:
  struct PackedKey {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool operator==(const PackedKey& other) const { return low == other.low && high == other.high; }
  };
  static std::size_t HashOf(const PackedKey& key);
  static bool Pack(std::string_view structure, std::string_view group, std::string_view subgroup,
                   PackedKey& packed);

  ProbeTable<PackedKey, const std::string*, HashOf> packed_keys_;
  std::unordered_map<std::string, const std::string*> long_keys_;
  // Every assortment text handed out, once: a set's elements never move.
  std::unordered_set<std::string> assortments_;
  std::string key_;  // the GroupKey of the last long group, kept for its buffer
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_KNOWNGROUPS_H
