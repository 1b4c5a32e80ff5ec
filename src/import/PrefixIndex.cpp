#include "import/PrefixIndex.h"

#include <algorithm>
#include <numeric>

namespace edihal {

namespace {

bool StartsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

PrefixIndex::PrefixIndex(const std::vector<std::string>& lines) : lines_(lines) {
  sorted_.resize(lines.size());
  std::iota(sorted_.begin(), sorted_.end(), 0u);
  // Equal lines keep their file order, though only the minimum over a
  // range is ever asked for.
  std::stable_sort(sorted_.begin(), sorted_.end(),
                   [&lines](std::uint32_t a, std::uint32_t b) { return lines[a] < lines[b]; });

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

std::size_t PrefixIndex::FirstStartingWith(const std::string& prefix) const {
  if (prefix.empty() || sorted_.empty()) return kNone;
  const auto less_than_prefix = [this](std::uint32_t line, const std::string& text) {
    return lines_[line] < text;
  };
  const auto from = std::lower_bound(sorted_.begin(), sorted_.end(), prefix, less_than_prefix);
  // Every line at or after `from` that begins with the prefix comes before
  // every one that does not.
  const auto to = std::partition_point(
      from, sorted_.end(), [&](std::uint32_t line) { return StartsWith(lines_[line], prefix); });
  if (from == to) return kNone;
  return EarliestIn(static_cast<std::size_t>(from - sorted_.begin()),
                    static_cast<std::size_t>(to - sorted_.begin()));
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
