// Case and code-page services for POSIX, where the module's single-byte
// code page is always Windows-1250.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/Platform.h"
#include "platform/posix/Cp1250Table.h"

namespace edihal::os {

namespace {

unsigned char UpperByte(unsigned char byte) {
  if (byte >= 'a' && byte <= 'z') return static_cast<unsigned char>(byte - 'a' + 'A');
  if (byte >= 0x80) return cp1250::kUpper[byte - 0x80];
  return byte;
}

std::string UpToFirstNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Most letters of the code page lie in U+0080..U+017F; a reverse table of
// that range, built at compile time, spares a search for each of them.
constexpr std::uint32_t kLatinEnd = 0x180;
struct LatinReverse {
  unsigned char bytes[kLatinEnd - 0x80];
};
constexpr LatinReverse MakeLatinReverse() {
  LatinReverse reverse{};
  for (int i = 0; i < 128; ++i) {
    const std::uint32_t code = cp1250::kToUnicode[i];
    if (code >= 0x80 && code < kLatinEnd)
      reverse.bytes[code - 0x80] = static_cast<unsigned char>(0x80 + i);
  }
  return reverse;
}
constexpr LatinReverse kLatinReverse = MakeLatinReverse();

// The Windows-1250 byte of `code`, or 0 when the code page lacks it.
unsigned char Cp1250Byte(std::uint32_t code) {
  if (code < 0x80) return static_cast<unsigned char>(code);
  if (code < kLatinEnd) return kLatinReverse.bytes[code - 0x80];
  for (int i = 0; i < 128; ++i) {
    if (cp1250::kToUnicode[i] == code) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

// UTF-8 text is taken a step of ASCII bytes at a time: sixteen where the
// build has SSE2, else eight.
#if defined(__SSE2__)
constexpr std::size_t kAsciiStep = 16;
#else
constexpr std::size_t kAsciiStep = 8;
#endif

// How many of the step's bytes at `step`, in order, come before the first
// with its high bit set.
std::size_t AsciiBytes(const char* step) {
#if defined(__SSE2__)
  const unsigned high = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(step))));
  return high == 0 ? kAsciiStep : static_cast<std::size_t>(__builtin_ctz(high));
#else
  std::uint64_t eight;
  std::memcpy(&eight, step, sizeof eight);
  const std::uint64_t high = eight & 0x8080808080808080ull;
  if (high == 0) return kAsciiStep;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  return static_cast<std::size_t>(__builtin_ctzll(high)) / 8;
#else
  return static_cast<std::size_t>(__builtin_clzll(high)) / 8;
#endif
#endif
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Decodes one UTF-8 sequence at `at`.  Returns the code point, or -1 for an
// ill-formed sequence; `length` receives the bytes consumed, which for an
// ill-formed sequence is its longest valid-looking prefix (at least 1), so
// that each broken piece stands for one replacement character.
long DecodeUtf8(const char* text, std::size_t at, std::size_t end, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  length = 1;
  int needed;
  std::uint32_t code;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead < 0x80) return lead;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2, code = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3, code = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return -1;
  }
  for (int i = 1; i <= needed; ++i) {
    if (at + i >= end) return -1;
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    const bool fits = i == 1 ? (next >= low && next <= high) : IsContinuation(next);
    if (!fits) return -1;
    code = (code << 6) | (next & 0x3F);
    length = i + 1;
  }
  return static_cast<long>(code);
}

}  // namespace

std::string UpperCase(const std::string& text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return upper;
}

int CompareTextIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const int diff =
        UpperByte(static_cast<unsigned char>(a[i])) - UpperByte(static_cast<unsigned char>(b[i]));
    if (diff != 0) return diff;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string AnsiToUtf8(const std::string& text) {
  const std::string ansi = UpToFirstNul(text);
  std::string utf8;
  utf8.reserve(ansi.size() + ansi.size() / 2);
  for (unsigned char byte : ansi) {
    AppendUtf8(utf8, byte < 0x80 ? byte : cp1250::kToUnicode[byte - 0x80]);
  }
  return utf8;
}

namespace {

// Converts the `end` bytes at `text` and writes the result from `out` on,
// which may be `text` itself: no step writes past the bytes it has read
// (one to three bytes give one, four give two).  The size written.
std::size_t ConvertUtf8(const char* text, std::size_t end, char* out) {
  std::size_t written = 0;
  std::size_t at = 0;
  while (at < end) {
    // Most of every invoice is ASCII, taken a step at a time up to the
    // first byte with its high bit set.  Until the first letter that
    // shortens the text, they are already where they belong.
    {
      // The text's last bytes are padded with bytes that are not ASCII,
      // so that they too are taken in one step.
      char step[kAsciiStep];
      const std::size_t left = end - at;
      if (left >= kAsciiStep) {
        std::memcpy(step, text + at, kAsciiStep);
      } else {
        std::memset(step, 0x80, kAsciiStep);
        std::memcpy(step, text + at, left);
      }
      const std::size_t ascii = AsciiBytes(step);
      // Moved down; the bytes after the ASCII ones are still to read.
      if (written != at) std::memcpy(out + written, step, ascii);
      written += ascii;
      at += ascii;
      if (ascii == kAsciiStep) continue;
      if (at == end) break;
    }
    // Not ASCII.  A character of two bytes (every Polish letter) is decoded
    // here, as DecodeUtf8 would.
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0xC2 && byte <= 0xDF && at + 1 < end &&
        IsContinuation(static_cast<unsigned char>(text[at + 1]))) {
      const std::uint32_t code =
          (std::uint32_t{byte} & 0x1Fu) << 6 | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu);
      const unsigned char converted = Cp1250Byte(code);
      out[written++] = converted != 0 ? static_cast<char>(converted) : '?';
      at += 2;
      continue;
    }
    std::size_t length = 1;
    const long code = DecodeUtf8(text, at, end, length);
    at += length;
    if (code > 0xFFFF) {
      out[written++] = '?';  // Windows sees a surrogate pair: two characters it lacks
      out[written++] = '?';
    } else {
      const unsigned char converted = code < 0 ? 0 : Cp1250Byte(static_cast<std::uint32_t>(code));
      out[written++] = converted != 0 ? static_cast<char>(converted) : '?';
    }
  }
  return written;
}

}  // namespace

std::string Utf8ToAnsi(const std::string& text) {
  std::string ansi = text;
  Utf8ToAnsiInPlace(ansi);
  return ansi;
}

void Utf8ToAnsiInPlace(std::string& text) {
  const std::size_t end = std::min(text.find('\0'), text.size());
  char* const bytes = &text[0];
  text.resize(ConvertUtf8(bytes, end, bytes));
}

}  // namespace edihal::os
