#include "import/SourceEncoding.h"

#include "charsets/Iso88592.h"
#include "charsets/Plkonwer.h"

namespace edihal {

namespace {

bool ValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    // The lead byte decides the length and the range of the second byte.
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || at + length > text.size()) return false;
    const unsigned char second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) return false;
    for (std::size_t i = 2; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

}  // namespace

bool ValidBytes(std::string_view text, SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kUtf8:
      return ValidUtf8(text);
    case SourceEncoding::kIso88592:
      for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F) return false;
      }
      return true;
    default:
      return text.find_first_of("\x81\x83\x88\x90\x98") == std::string_view::npos;
  }
}

const char* EncodingName(SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kUtf8:
      return "UTF-8";
    case SourceEncoding::kIso88592:
      return "ISO-8859-2";
    default:
      return "Windows-1250";
  }
}

bool DeclaredEncoding(const std::string& upper_name, SourceEncoding& encoding) {
  if (upper_name == "ISO-8859-2") {
    encoding = SourceEncoding::kIso88592;
  } else if (upper_name == "UTF-8") {
    encoding = SourceEncoding::kUtf8;
  } else if (upper_name == "WINDOWS-1250" || upper_name == "CP1250") {
    encoding = SourceEncoding::kNone;
  } else {
    return false;
  }
  return true;
}

bool ConvertToWindows1250(std::string& text, SourceEncoding encoding) {
  if (encoding == SourceEncoding::kNone) return true;
  const bool whole = text.find('\0') == std::string::npos;
  if (encoding == SourceEncoding::kIso88592) {
    Iso88592ToWin1250InPlace(text);
  } else {
    ConvertCharSet(text, kCharSetUtf8, kCharSetWindows1250);
  }
  return whole;
}

std::string ToWindows1250(std::string text, SourceEncoding encoding) {
  ConvertToWindows1250(text, encoding);
  return text;
}

}  // namespace edihal
