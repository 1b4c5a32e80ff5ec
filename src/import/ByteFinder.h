// Finds, in order, every byte of a run that belongs to a small set,
// looking at 64 bytes of the run at a time: one scan of the run instead of
// a search call per byte found.  The reading passes of the import find
// their brackets and line ends this way; a line is then taken apart from
// the offsets alone.
#ifndef EDIHAL_IMPORT_BYTEFINDER_H
#define EDIHAL_IMPORT_BYTEFINDER_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace edihal {

// The set of bytes looked for: bit n of the result is set when byte n of
// the 64 at `at` belongs to it.
using ByteSetMask = std::uint64_t (*)(const char* at);

// "<", ">" and LF.
std::uint64_t BracketsAndLineEnds(const char* at);
// "<".
std::uint64_t Openings(const char* at);

class ByteFinder {
 public:
  // The run must outlive the finder.  A finder may be copied, and the
  // copy used in its place.
  ByteFinder(std::string_view run, ByteSetMask mask);

  // The offset of the next byte of the set, or the run's size when none
  // is left.
  __attribute__((always_inline)) std::size_t Next() {
    while (bits_ == 0) {
      if (size_ - chunk_ <= kChunk) return size_;
      chunk_ += kChunk;
      bits_ = MaskAt(run_ + chunk_, size_ - chunk_, mask_);
    }
    const std::size_t at = chunk_ + static_cast<std::size_t>(__builtin_ctzll(bits_));
    bits_ &= bits_ - 1;
    return at;
  }

  // Goes to `offset`: the next byte given is the first of the set at or
  // after it, whether given before or not.
  void SkipTo(std::size_t offset);

 private:
  static constexpr std::size_t kChunk = 64;

  // The mask of the `left` bytes at `at`, or of the first 64 of them.
  // Takes only values, so that the finder's copy in a function stays in
  // registers.
  static std::uint64_t MaskAt(const char* at, std::size_t left, ByteSetMask mask);

  const char* run_;
  std::size_t size_;
  ByteSetMask mask_;
  std::size_t chunk_ = 0;  // offset of the 64 bytes `bits_` covers
  std::uint64_t bits_ = 0;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_BYTEFINDER_H
