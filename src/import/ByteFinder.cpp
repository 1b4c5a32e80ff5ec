#include "import/ByteFinder.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace edihal {

#if defined(__SSE2__)
// Sixteen bytes compared at once where the compiler may use SSE2 anyway
// (x86-64).  The 32-bit module keeps to the byte loops below: it must run
// on any x86 processor.
namespace {

inline __m128i Load(const char* at, int part) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
}

inline std::uint64_t Bits(__m128i hits, int part) {
  return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits)) & 0xFFFFu)
         << (16 * part);
}

}  // namespace

std::uint64_t BracketsAndLineEnds(const char* at) {
  // "<" (0x3C) and ">" (0x3E) are the only bytes that are ">" with bit 1
  // set.
  const __m128i bit1 = _mm_set1_epi8(2);
  const __m128i bracket = _mm_set1_epi8('>');
  const __m128i line_end = _mm_set1_epi8('\n');
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i v = Load(at, part);
    mask |= Bits(
        _mm_or_si128(_mm_cmpeq_epi8(_mm_or_si128(v, bit1), bracket), _mm_cmpeq_epi8(v, line_end)),
        part);
  }
  return mask;
}

std::uint64_t Openings(const char* at) {
  const __m128i opening = _mm_set1_epi8('<');
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) mask |= Bits(_mm_cmpeq_epi8(Load(at, part), opening), part);
  return mask;
}
#else
namespace {

// Two 32-bit halves: no 64-bit shifts on a 32-bit processor.
template <typename InSet>
std::uint64_t MaskOf64(const char* at, InSet in_set) {
  std::uint32_t half[2] = {0, 0};
  for (int h = 0; h < 2; ++h) {
    std::uint32_t bits = 0;
    for (int i = 31; i >= 0; --i) {
      bits = (bits << 1) | static_cast<std::uint32_t>(in_set(at[32 * h + i]));
    }
    half[h] = bits;
  }
  return half[0] | (static_cast<std::uint64_t>(half[1]) << 32);
}

}  // namespace

std::uint64_t BracketsAndLineEnds(const char* at) {
  return MaskOf64(at, [](char c) { return c == '<' || c == '>' || c == '\n'; });
}

std::uint64_t Openings(const char* at) {
  return MaskOf64(at, [](char c) { return c == '<'; });
}
#endif

ByteFinder::ByteFinder(std::string_view run, ByteSetMask mask)
    : run_(run.data()), size_(run.size()), mask_(mask) {
  if (size_ != 0) bits_ = MaskAt(run_, size_, mask_);
}

std::uint64_t ByteFinder::MaskAt(const char* at, std::size_t left, ByteSetMask mask) {
  if (left >= kChunk) return mask(at);
  // The run's last bytes, padded with NULs, which no set holds.
  char padded[kChunk] = {};
  std::memcpy(padded, at, left);
  return mask(padded);
}

void ByteFinder::SkipTo(std::size_t offset) {
  if (offset >= size_) {
    // Nothing is left: the chunk is the last one, and its bits are spent.
    chunk_ = size_ == 0 ? 0 : (size_ - 1) / kChunk * kChunk;
    bits_ = 0;
    return;
  }
  chunk_ = offset / kChunk * kChunk;
  bits_ = MaskAt(run_ + chunk_, size_ - chunk_, mask_) & (~std::uint64_t{0} << (offset - chunk_));
}

}  // namespace edihal
