// The assortments the side files gave for the merchandise groups met so
// far in one import.  A categorised import looks a group up for every line
// block and meets a few hundred groups at most, nearly all of them numbers
// of a few digits: a group whose GroupKey fits in 16 bytes is found by that
// key packed into two words, without a string built or hashed byte by
// byte; a longer one is found by its key as a string.
#ifndef EDIHAL_IMPORT_KNOWNGROUPS_H
#define EDIHAL_IMPORT_KNOWNGROUPS_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace edihal {

class KnownGroups {
 public:
  // The assortment remembered for the group of the three numbers; null
  // when none is.
  const std::string* Find(std::string_view structure, std::string_view group,
                          std::string_view subgroup);
  // Remembers `assortment` for the group of the three numbers.  The text
  // kept stays where it is as long as the object.
  const std::string& Add(std::string_view structure, std::string_view group,
                         std::string_view subgroup, std::string assortment);

 private:
  struct PackedKey {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
  };
  struct Slot {
    PackedKey key;
    const std::string* assortment = nullptr;  // null: the slot is free
  };

  static bool Pack(std::string_view structure, std::string_view group, std::string_view subgroup,
                   PackedKey& packed);
  void Place(const PackedKey& key, const std::string* assortment);

  std::vector<Slot> slots_;  // a power of two, at most half of them taken
  std::size_t taken_ = 0;
  std::deque<std::string> assortments_;  // never moved: Add hands out their texts
  std::unordered_map<std::string, std::string> long_keys_;
  std::string key_;  // the GroupKey of the last long group, kept for its buffer
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_KNOWNGROUPS_H
