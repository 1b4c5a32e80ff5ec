// A small hash table from keys to pointers, for the lookups an import makes
// once per line block: open addressing with linear probing over a power of
// two of slots, at most half of them taken, so that a search is a hash, a
// mask and a compare or two, with no division and no node to chase.
// Entries are never removed; a null pointer marks a free slot, so a null
// pointer cannot be stored.
#ifndef EDIHAL_IMPORT_PROBETABLE_H
#define EDIHAL_IMPORT_PROBETABLE_H

#include <cstddef>
#include <vector>

namespace edihal {

// `HashOf(key)` spreads the key over a std::size_t; its low bits pick the
// first slot searched.
template <typename Key, typename Pointer, std::size_t (*HashOf)(const Key&)>
class ProbeTable {
 public:
  // The pointer stored for `key`, where it may be changed; null when there
  // is none.
  Pointer* Find(const Key& key) {
    if (slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    // A free slot ends every search: at most half of them are taken.
    for (std::size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask) {
      Slot& entry = slots_[slot];
      if (entry.pointer == nullptr) return nullptr;
      if (entry.key == key) return &entry.pointer;
    }
  }

  // Stores `pointer`, not null, for `key`, which must not be stored yet.
  void Insert(const Key& key, Pointer pointer) {
    if (2 * (taken_ + 1) > slots_.size()) Grow();
    Place(key, pointer);
  }

 private:
  struct Slot {
    Key key{};
    Pointer pointer = nullptr;
  };

  void Grow() {
    std::vector<Slot> old(slots_.empty() ? 32 : 2 * slots_.size());
    old.swap(slots_);
    taken_ = 0;
    for (const Slot& entry : old) {
      if (entry.pointer != nullptr) Place(entry.key, entry.pointer);
    }
  }

  void Place(const Key& key, Pointer pointer) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = HashOf(key) & mask;
    while (slots_[slot].pointer != nullptr) slot = (slot + 1) & mask;
    slots_[slot] = Slot{key, pointer};
    ++taken_;
  }

  std::vector<Slot> slots_;
  std::size_t taken_ = 0;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_PROBETABLE_H
