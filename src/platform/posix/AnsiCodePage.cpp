// The ANSI code page where the system has none: Windows-1250 stands in,
// through the tables of charsets/.
#include <string>

#include "charsets/AnsiCodePage.h"
#include "charsets/Utf8.h"
#include "charsets/Windows1250.h"

namespace edihal {

namespace {

std::string_view UpToFirstNul(const std::string& text) {
  return std::string_view(text).substr(0, text.find('\0'));
}

}  // namespace

std::string AnsiUpperCase(const std::string& text) {
  std::string upper(text);
  for (char& c : upper)
    c = static_cast<char>(windows1250::UpperCase(static_cast<unsigned char>(c)));
  return upper;
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const int diff = windows1250::UpperCase(static_cast<unsigned char>(a[i])) -
                     windows1250::UpperCase(static_cast<unsigned char>(b[i]));
    if (diff != 0) return diff;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string AnsiToUtf8(const std::string& text) {
  const std::string_view ansi = UpToFirstNul(text);
  std::string utf8;
  utf8.reserve(ansi.size() + ansi.size() / 2);
  for (const char c : ansi)
    utf8::Append(utf8, windows1250::ToUnicode(static_cast<unsigned char>(c)));
  return utf8;
}

// No character takes fewer bytes in the code page than in UTF-8, so the
// text is converted into a buffer of its own size.
std::string Utf8ToAnsi(const std::string& text) {
  const std::string_view utf8 = UpToFirstNul(text);
  std::string ansi(utf8.size(), '\0');
  std::size_t written = 0;
  for (std::size_t at = 0, length = 1; at < utf8.size(); at += length) {
    const long code = utf8::Decode(utf8, at, length);
    if (code > 0xFFFF) {
      // Windows sees a surrogate pair: two characters it lacks.
      ansi[written++] = '?';
      ansi[written++] = '?';
      continue;
    }
    const unsigned char byte =
        code < 0 ? 0 : windows1250::FromUnicode(static_cast<std::uint32_t>(code));
    ansi[written++] = byte != 0 ? static_cast<char>(byte) : '?';
  }
  ansi.resize(written);
  return ansi;
}

}  // namespace edihal
