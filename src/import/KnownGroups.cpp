#include "import/KnownGroups.h"

#include <cstring>

#include "import/SideFiles.h"

namespace edihal {

std::size_t KnownGroups::HashOf(const PackedKey& key) {
  std::uint64_t hash = (key.low ^ (key.high * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
  hash ^= hash >> 31;
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

namespace {

// Copies `part`, of at most 16 bytes, with moves of fixed size, which the
// compiler makes single loads and stores: two that overlap where the part
// is not a power of two long.  Packing a key then takes no loop and no
// call, once for every line block.
inline void CopyShort(std::string_view part, unsigned char* to) {
  const char* from = part.data();
  const std::size_t size = part.size();
  if (size >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + size - 8, from + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + size - 4, from + size - 4, 4);
  } else if (size > 0) {
    to[0] = static_cast<unsigned char>(from[0]);
    to[size / 2] = static_cast<unsigned char>(from[size / 2]);
    to[size - 1] = static_cast<unsigned char>(from[size - 1]);
  }
}

}  // namespace

// The key's bytes, zero-padded: two keys pack alike only when they are
// equal, as a key ends with a TAB, never with a zero.
bool KnownGroups::Pack(std::string_view structure, std::string_view group,
                       std::string_view subgroup, PackedKey& packed) {
  if (structure.size() + group.size() + subgroup.size() + 3 > 16) return false;
  unsigned char bytes[16] = {};
  CopyShort(structure, bytes);
  std::size_t at = structure.size();
  bytes[at++] = '\t';
  CopyShort(group, bytes + at);
  at += group.size();
  bytes[at++] = '\t';
  CopyShort(subgroup, bytes + at);
  bytes[at + subgroup.size()] = '\t';
  std::memcpy(&packed.low, bytes, 8);
  std::memcpy(&packed.high, bytes + 8, 8);
  return true;
}

const std::string* KnownGroups::Find(std::string_view structure, std::string_view group,
                                     std::string_view subgroup) {
  PackedKey packed;
  if (!Pack(structure, group, subgroup, packed)) {
    GroupKey(structure, group, subgroup, key_);
    const auto found = long_keys_.find(key_);
    return found == long_keys_.end() ? nullptr : found->second;
  }
  const std::string* const* found = packed_keys_.Find(packed);
  return found == nullptr ? nullptr : *found;
}

const std::string& KnownGroups::Add(std::string_view structure, std::string_view group,
                                    std::string_view subgroup, std::string assortment) {
  const std::string& kept = *assortments_.insert(std::move(assortment)).first;
  PackedKey packed;
  if (Pack(structure, group, subgroup, packed)) {
    packed_keys_.Insert(packed, &kept);
  } else {
    GroupKey(structure, group, subgroup, key_);
    long_keys_.emplace(key_, &kept);
  }
  return kept;
}

}  // namespace edihal
