#include "import/PrefixIndex.h"

#include <algorithm>
#include <numeric>

namespace edihal {

namespace {

constexpr std::uint32_t kEmptySlot = UINT32_MAX;

// FNV-1a: short keys, no need for more.
constexpr std::uint32_t kHashBasis = 2166136261u;

std::uint32_t HashStep(std::uint32_t hash, char c) {
  return (hash ^ static_cast<unsigned char>(c)) * 16777619u;
}

std::uint32_t Hash(std::string_view text) {
  std::uint32_t hash = kHashBasis;
  for (const char c : text) hash = HashStep(hash, c);
  return hash;
}

// The hash spread over a table of any size.
std::size_t SlotOf(std::uint32_t hash, std::size_t size) {
  return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * size) >> 32);
}

// The length of `line` up to and including its `tabs`-th TAB, and the hash
// of that part, in one walk; a length of 0 when the line has fewer TABs.
std::size_t ThroughTab(std::string_view line, std::size_t tabs, std::uint32_t& hash) {
  std::uint32_t partial = kHashBasis;
  std::size_t seen = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    partial = HashStep(partial, line[at]);
    if (line[at] == '\t' && ++seen == tabs) {
      hash = partial;
      return at + 1;
    }
  }
  return 0;
}

}  // namespace

PrefixIndex::PrefixIndex(const TStringList& lines) : lines_(lines) {
  for (std::size_t i = 0; i < lines.Count(); ++i) longest_ = std::max(longest_, lines[i].size());
}

// A text longer than every line begins none.  That also bounds the tables
// by TAB count: a text of k TABs is at least k bytes long.
std::size_t PrefixIndex::FirstStartingWith(std::string_view prefix) const {
  if (prefix.empty() || prefix.size() > longest_) return kNone;
  if (prefix.back() == '\t') {
    return FirstByTabs(prefix,
                       static_cast<std::size_t>(std::count(prefix.begin(), prefix.end(), '\t')));
  }
  return FirstBySorting(prefix);
}

std::size_t PrefixIndex::FirstByTabs(std::string_view prefix, std::size_t tabs) const {
  const TabTable& table = TableFor(tabs);
  if (table.empty()) return kNone;
  const std::uint32_t hash = Hash(prefix);
  for (std::size_t at = SlotOf(hash, table.size());; at = at + 1 == table.size() ? 0 : at + 1) {
    const Slot& slot = table[at];
    if (slot.line == kEmptySlot) return kNone;
    if (slot.hash == hash && lines_[slot.line].substr(0, prefix.size()) == prefix) {
      return slot.line;
    }
  }
}

const PrefixIndex::TabTable& PrefixIndex::TableFor(std::size_t tabs) const {
  const auto found = tab_tables_.find(tabs);
  if (found != tab_tables_.end()) return found->second;

  // At most two thirds full, so that every search ends at an empty slot
  // soon; no more, since the table is made afresh for every import.
  const std::size_t size = lines_.Count() + lines_.Count() / 2 + 1;
  TabTable& table = tab_tables_[tabs];
  table.assign(size, Slot{kEmptySlot, 0});
  std::size_t placed = 0;
  for (std::size_t i = 0; i < lines_.Count(); ++i) {
    const std::string_view line = lines_[i];
    std::uint32_t hash = 0;
    const std::size_t length = ThroughTab(line, tabs, hash);
    if (length == 0) continue;
    ++placed;
    const std::string_view key = line.substr(0, length);
    for (std::size_t at = SlotOf(hash, size);; at = at + 1 == size ? 0 : at + 1) {
      Slot& slot = table[at];
      if (slot.line == kEmptySlot) {
        slot = Slot{static_cast<std::uint32_t>(i), hash};
        break;
      }
      // An earlier line with the same key keeps its place.
      if (slot.hash == hash && lines_[slot.line].substr(0, length) == key) break;
    }
  }
  // No line has that many TABs: nothing is kept for the count.
  if (placed == 0) TabTable().swap(table);
  return table;
}

std::size_t PrefixIndex::FirstBySorting(std::string_view prefix) const {
  Sort();
  const auto from = std::lower_bound(
      sorted_.begin(), sorted_.end(), prefix,
      [this](std::uint32_t line, std::string_view text) { return lines_[line] < text; });
  // Every line at or after `from` that begins with the prefix comes before
  // every one that does not.
  const auto to = std::partition_point(from, sorted_.end(), [&](std::uint32_t line) {
    return lines_[line].substr(0, prefix.size()) == prefix;
  });
  if (from == to) return kNone;
  return EarliestIn(static_cast<std::size_t>(from - sorted_.begin()),
                    static_cast<std::size_t>(to - sorted_.begin()));
}

void PrefixIndex::Sort() const {
  if (sorted_ready_) return;
  sorted_ready_ = true;
  sorted_.resize(lines_.Count());
  std::iota(sorted_.begin(), sorted_.end(), 0u);
  std::sort(sorted_.begin(), sorted_.end(),
            [this](std::uint32_t a, std::uint32_t b) { return lines_[a] < lines_[b]; });
  // A bottom-up tree: leaf i holds sorted_[i], every inner node the smaller
  // of its two children; unused leaves hold the largest value.
  leaves_ = 1;
  while (leaves_ < sorted_.size()) leaves_ *= 2;
  earliest_.assign(2 * leaves_, UINT32_MAX);
  std::copy(sorted_.begin(), sorted_.end(),
            earliest_.begin() + static_cast<std::ptrdiff_t>(leaves_));
  for (std::size_t node = leaves_ - 1; node >= 1; --node) {
    earliest_[node] = std::min(earliest_[2 * node], earliest_[2 * node + 1]);
  }
}

// The smallest line position among sorted_[from, to).
std::uint32_t PrefixIndex::EarliestIn(std::size_t from, std::size_t to) const {
  std::uint32_t best = UINT32_MAX;
  for (from += leaves_, to += leaves_; from < to; from /= 2, to /= 2) {
    if (from & 1) best = std::min(best, earliest_[from++]);
    if (to & 1) best = std::min(best, earliest_[--to]);
  }
  return best;
}

}  // namespace edihal
