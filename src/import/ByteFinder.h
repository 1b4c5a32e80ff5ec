// Finds, in order, every byte of a run that belongs to a small set,
// looking at 64 bytes of the run at a time: one scan of the run instead of
// a search call per byte found.  The reading passes of the import find
// their brackets and line ends this way; a line is then taken apart from
// the offsets alone.
#ifndef EDIHAL_IMPORT_BYTEFINDER_H
#define EDIHAL_IMPORT_BYTEFINDER_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace edihal {

// The sets of bytes looked for.  Mask(at) sets bit n when byte n of the 64
// at `at` belongs to the set; it reads kLookahead bytes past the 64 too.
// Where the processor has 32-byte vectors (AVX2) Mask uses them, else it
// is NarrowMask, which uses 16-byte vectors (SSE2) where the build may,
// and 32-bit words elsewhere; both give the same bits.

// "<", ">" and LF.
struct BracketsAndLineEnds {
  static constexpr std::size_t kLookahead = 0;
  static std::uint64_t Mask(const char* at);
  static std::uint64_t NarrowMask(const char* at);
};

// The "<" that may begin "</ART_", "<szInv", "<szDat" or "<lMedi": those
// with "T", "n", "a" or "d" four bytes on.  Few other tags have one of
// these there, so most "<" of an invoice are passed over.
struct HeaderTagOpenings {
  static constexpr std::size_t kLookahead = 4;
  static std::uint64_t Mask(const char* at);
  static std::uint64_t NarrowMask(const char* at);
};

template <typename Set>
class ByteFinder {
 public:
  // The run must outlive the finder.  A finder may be copied, and the
  // copy used in its place.
  explicit ByteFinder(std::string_view run) : run_(run.data()), size_(run.size()) {
    if (size_ != 0) bits_ = MaskAt(run_, size_);
  }

  // The offset of the next byte of the set, or the run's size when none
  // is left.
  __attribute__((always_inline)) std::size_t Next() {
    while (bits_ == 0) {
      if (size_ - chunk_ <= kChunk) return size_;
      chunk_ += kChunk;
      bits_ = MaskAt(run_ + chunk_, size_ - chunk_);
    }
    const std::size_t at = chunk_ + LowestBit(bits_);
    bits_ &= bits_ - 1;
    return at;
  }

  // Goes to `offset`: the next byte given is the first of the set at or
  // after it, whether given before or not.
  void SkipTo(std::size_t offset) {
    if (offset >= size_) {
      // Nothing is left: the chunk is the last one, and its bits are spent.
      chunk_ = size_ == 0 ? 0 : (size_ - 1) / kChunk * kChunk;
      bits_ = 0;
      return;
    }
    chunk_ = offset / kChunk * kChunk;
    bits_ = MaskAt(run_ + chunk_, size_ - chunk_) & (~std::uint64_t{0} << (offset - chunk_));
  }

 private:
  static constexpr std::size_t kChunk = 64;

  // The offset of the lowest bit set.  A 32-bit processor takes the two
  // halves in turn, rather than call the run-time library for it.
  __attribute__((always_inline)) static std::size_t LowestBit(std::uint64_t bits) {
#if defined(__i386__)
    const auto low = static_cast<std::uint32_t>(bits);
    if (low != 0) return static_cast<std::size_t>(__builtin_ctz(low));
    return 32 + static_cast<std::size_t>(__builtin_ctz(static_cast<std::uint32_t>(bits >> 32)));
#else
    return static_cast<std::size_t>(__builtin_ctzll(bits));
#endif
  }

  // The mask of the `left` bytes at `at`, or of the first 64 of them.
  // Takes only values, so that the finder's copy in a function stays in
  // registers.
  static std::uint64_t MaskAt(const char* at, std::size_t left) {
    if (left >= kChunk + Set::kLookahead) return Set::Mask(at);
    // The run's last bytes, padded with NULs, which no set holds.
    char padded[kChunk + Set::kLookahead] = {};
    std::memcpy(padded, at, left);
    return Set::Mask(padded);
  }

  const char* run_;
  std::size_t size_;
  std::size_t chunk_ = 0;  // offset of the 64 bytes `bits_` covers
  std::uint64_t bits_ = 0;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_BYTEFINDER_H
