// Case and code-page services for POSIX, where the module's single-byte
// code page is always Windows-1250.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

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

// The code page's characters from 0x80 on, sorted by their code points,
// with their bytes: the way back, by a binary search.
struct CodeAndByte {
  std::uint16_t code;
  unsigned char byte;
};
using ReverseTable = std::array<CodeAndByte, 128>;

constexpr ReverseTable MakeReverseTable() {
  ReverseTable table{};
  for (int i = 0; i < 128; ++i) {
    table[static_cast<std::size_t>(i)] = {cp1250::kToUnicode[i],
                                          static_cast<unsigned char>(0x80 + i)};
  }
  // Insertion sort: std::sort is not constexpr in C++17.
  for (std::size_t i = 1; i < table.size(); ++i) {
    for (std::size_t j = i; j > 0 && table[j - 1].code > table[j].code; --j) {
      const CodeAndByte swapped = table[j];
      table[j] = table[j - 1];
      table[j - 1] = swapped;
    }
  }
  return table;
}
constexpr ReverseTable kReverse = MakeReverseTable();

// The Windows-1250 byte of `code`, or 0 when the code page lacks it.
unsigned char Cp1250Byte(std::uint32_t code) {
  if (code < 0x80) return static_cast<unsigned char>(code);
  const auto found = std::lower_bound(
      kReverse.begin(), kReverse.end(), code,
      [](const CodeAndByte& entry, std::uint32_t wanted) { return entry.code < wanted; });
  return found != kReverse.end() && found->code == code ? found->byte : 0;
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

// No character takes fewer bytes in the code page than in UTF-8, so the
// text is converted into a buffer of its own size.
std::string Utf8ToAnsi(const std::string& text) {
  const std::size_t end = std::min(text.find('\0'), text.size());
  std::string ansi(end, '\0');
  const char* const in = text.data();
  char* const out = &ansi[0];
  std::size_t written = 0;
  for (std::size_t at = 0; at < end;) {
    const auto byte = static_cast<unsigned char>(in[at]);
    if (byte < 0x80) {
      out[written++] = static_cast<char>(byte);
      ++at;
      continue;
    }
    std::size_t length = 1;
    const long code = DecodeUtf8(in, at, end, length);
    at += length;
    if (code > 0xFFFF) {
      // Windows sees a surrogate pair: two characters it lacks.
      out[written++] = '?';
      out[written++] = '?';
      continue;
    }
    const unsigned char converted = code < 0 ? 0 : Cp1250Byte(static_cast<std::uint32_t>(code));
    out[written++] = converted != 0 ? static_cast<char>(converted) : '?';
  }
  ansi.resize(written);
  return ansi;
}

}  // namespace edihal::os
