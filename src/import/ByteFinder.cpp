#include "import/ByteFinder.h"

#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

// x86-64 Linux builds also have 32-byte masks, used when the processor has
// AVX2: the two reading passes then look at each byte with half the
// instructions.
#if defined(__SSE2__) && defined(__x86_64__) && defined(__linux__)
#define EDIHAL_AVX2_MASKS 1
#endif

namespace edihal {

#if defined(__SSE2__)
// Sixteen bytes compared at once where the compiler may use SSE2 anyway
// (x86-64).  The 32-bit module keeps to 32-bit words (below): it must run
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

std::uint64_t BracketsAndLineEnds::NarrowMask(const char* at) {
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

std::uint64_t HeaderTagOpenings::NarrowMask(const char* at) {
  const __m128i opening = _mm_set1_epi8('<');
  const __m128i t = _mm_set1_epi8('T'), n = _mm_set1_epi8('n');
  const __m128i a = _mm_set1_epi8('a'), d = _mm_set1_epi8('d');
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i ahead = Load(at + 4, part);
    const __m128i fourth =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(ahead, t), _mm_cmpeq_epi8(ahead, n)),
                     _mm_or_si128(_mm_cmpeq_epi8(ahead, a), _mm_cmpeq_epi8(ahead, d)));
    mask |= Bits(_mm_and_si128(_mm_cmpeq_epi8(Load(at, part), opening), fourth), part);
  }
  return mask;
}
#elif __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// The 32-bit module may not assume SSE2: it looks at four bytes at a time
// in a 32-bit word instead (SWAR), and builds the mask in two 32-bit
// halves, with no 64-bit shifts.
namespace {

std::uint32_t WordAt(const char* at) {
  std::uint32_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

constexpr std::uint32_t EachByte(unsigned char byte) {
  return 0x01010101u * byte;
}

// 0x80 in each byte of `word` that is zero, 0 in every other: exact, as
// no byte's sum carries into the next.
std::uint32_t ZeroBytes(std::uint32_t word) {
  return ~(((word & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | word | 0x7F7F7F7Fu);
}

// The four bytes' 0x80 bits of ZeroBytes as bits 0 to 3, in the order the
// bytes lie in memory: the product moves each to its place among bits 24
// to 27, and every other partial product falls outside them.
std::uint32_t FourBits(std::uint32_t highs) {
  return ((highs >> 7) * 0x01020408u) >> 24;
}

template <typename WordHits>
std::uint64_t MaskOfWords(const char* at, WordHits hits) {
  std::uint32_t half[2] = {0, 0};
  for (int h = 0; h < 2; ++h) {
    std::uint32_t bits = 0;
    for (int w = 0; w < 8; ++w) bits |= FourBits(hits(at + 32 * h + 4 * w)) << (4 * w);
    half[h] = bits;
  }
  return half[0] | (static_cast<std::uint64_t>(half[1]) << 32);
}

}  // namespace

std::uint64_t BracketsAndLineEnds::NarrowMask(const char* at) {
  return MaskOfWords(at, [](const char* four) {
    const std::uint32_t word = WordAt(four);
    // "<" (0x3C) and ">" (0x3E) are the only bytes that are ">" with bit 1
    // set.
    return ZeroBytes((word | EachByte(2)) ^ EachByte('>')) | ZeroBytes(word ^ EachByte('\n'));
  });
}

std::uint64_t HeaderTagOpenings::NarrowMask(const char* at) {
  return MaskOfWords(at, [](const char* four) {
    const std::uint32_t openings = ZeroBytes(WordAt(four) ^ EachByte('<'));
    if (openings == 0) return openings;
    // The four bytes after these four are those four bytes on.
    const std::uint32_t ahead = WordAt(four + 4);
    return openings & (ZeroBytes(ahead ^ EachByte('T')) | ZeroBytes(ahead ^ EachByte('n')) |
                       ZeroBytes(ahead ^ EachByte('a')) | ZeroBytes(ahead ^ EachByte('d')));
  });
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
      bits = (bits << 1) | static_cast<std::uint32_t>(in_set(at + 32 * h + i));
    }
    half[h] = bits;
  }
  return half[0] | (static_cast<std::uint64_t>(half[1]) << 32);
}

}  // namespace

std::uint64_t BracketsAndLineEnds::NarrowMask(const char* at) {
  return MaskOf64(at, [](const char* c) { return *c == '<' || *c == '>' || *c == '\n'; });
}

std::uint64_t HeaderTagOpenings::NarrowMask(const char* at) {
  return MaskOf64(at, [](const char* c) {
    return *c == '<' && (c[4] == 'T' || c[4] == 'n' || c[4] == 'a' || c[4] == 'd');
  });
}
#endif

#if defined(EDIHAL_AVX2_MASKS)
namespace {

// The processor's features, as libgcc read them when the module loaded.
bool HasAvx2() {
  return __builtin_cpu_supports("avx2");
}

__attribute__((target("avx2"))) inline __m256i Load32(const char* at, int part) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * part));
}

__attribute__((target("avx2"))) inline std::uint64_t Bits32(__m256i hits, int part) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(hits)))
         << (32 * part);
}

__attribute__((target("avx2"))) std::uint64_t BracketsAndLineEnds32(const char* at) {
  const __m256i bit1 = _mm256_set1_epi8(2);
  const __m256i bracket = _mm256_set1_epi8('>');
  const __m256i line_end = _mm256_set1_epi8('\n');
  std::uint64_t mask = 0;
  for (int part = 0; part < 2; ++part) {
    const __m256i v = Load32(at, part);
    mask |= Bits32(_mm256_or_si256(_mm256_cmpeq_epi8(_mm256_or_si256(v, bit1), bracket),
                                   _mm256_cmpeq_epi8(v, line_end)),
                   part);
  }
  return mask;
}

__attribute__((target("avx2"))) std::uint64_t HeaderTagOpenings32(const char* at) {
  const __m256i opening = _mm256_set1_epi8('<');
  const __m256i t = _mm256_set1_epi8('T'), n = _mm256_set1_epi8('n');
  const __m256i a = _mm256_set1_epi8('a'), d = _mm256_set1_epi8('d');
  std::uint64_t mask = 0;
  for (int part = 0; part < 2; ++part) {
    const __m256i ahead = Load32(at + 4, part);
    const __m256i fourth =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(ahead, t), _mm256_cmpeq_epi8(ahead, n)),
                        _mm256_or_si256(_mm256_cmpeq_epi8(ahead, a), _mm256_cmpeq_epi8(ahead, d)));
    mask |= Bits32(_mm256_and_si256(_mm256_cmpeq_epi8(Load32(at, part), opening), fourth), part);
  }
  return mask;
}

}  // namespace

std::uint64_t BracketsAndLineEnds::Mask(const char* at) {
  return HasAvx2() ? BracketsAndLineEnds32(at) : NarrowMask(at);
}

std::uint64_t HeaderTagOpenings::Mask(const char* at) {
  return HasAvx2() ? HeaderTagOpenings32(at) : NarrowMask(at);
}
#else
std::uint64_t BracketsAndLineEnds::Mask(const char* at) {
  return NarrowMask(at);
}

std::uint64_t HeaderTagOpenings::Mask(const char* at) {
  return NarrowMask(at);
}
#endif

}  // namespace edihal
