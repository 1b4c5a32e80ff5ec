#include "import/KnownGroups.h"

#include <cstring>

#include "import/SideFiles.h"

namespace edihal {

namespace {

std::size_t HashOf(std::uint64_t low, std::uint64_t high) {
  std::uint64_t hash = (low ^ (high * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
  hash ^= hash >> 31;
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

}  // namespace

// The key's bytes, zero-padded: two keys pack alike only when they are
// equal, as a key ends with a TAB, never with a zero.
bool KnownGroups::Pack(std::string_view structure, std::string_view group,
                       std::string_view subgroup, PackedKey& packed) {
  if (structure.size() + group.size() + subgroup.size() + 3 > 16) return false;
  unsigned char bytes[16] = {};
  std::size_t at = 0;
  for (const std::string_view part : {structure, group, subgroup}) {
    for (const char byte : part) bytes[at++] = static_cast<unsigned char>(byte);
    bytes[at++] = '\t';
  }
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
    return found == long_keys_.end() ? nullptr : &found->second;
  }
  if (slots_.empty()) return nullptr;
  const std::size_t mask = slots_.size() - 1;
  // A free slot ends every search: at most half of them are taken.
  for (std::size_t slot = HashOf(packed.low, packed.high) & mask;; slot = (slot + 1) & mask) {
    const Slot& entry = slots_[slot];
    if (entry.assortment == nullptr) return nullptr;
    if (entry.key.low == packed.low && entry.key.high == packed.high) return entry.assortment;
  }
}

const std::string& KnownGroups::Add(std::string_view structure, std::string_view group,
                                    std::string_view subgroup, std::string assortment) {
  PackedKey packed;
  if (!Pack(structure, group, subgroup, packed)) {
    GroupKey(structure, group, subgroup, key_);
    return long_keys_.emplace(key_, std::move(assortment)).first->second;
  }
  assortments_.push_back(std::move(assortment));
  if (2 * (taken_ + 1) > slots_.size()) {
    std::vector<Slot> old(slots_.empty() ? 32 : 2 * slots_.size());
    old.swap(slots_);
    taken_ = 0;
    for (const Slot& entry : old) {
      if (entry.assortment != nullptr) Place(entry.key, entry.assortment);
    }
  }
  Place(packed, &assortments_.back());
  return assortments_.back();
}

void KnownGroups::Place(const PackedKey& key, const std::string* assortment) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = HashOf(key.low, key.high) & mask;
  while (slots_[slot].assortment != nullptr) slot = (slot + 1) & mask;
  slots_[slot] = Slot{key, assortment};
  ++taken_;
}

}  // namespace edihal
