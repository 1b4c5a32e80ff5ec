#include "charsets/SourceEncoding.h"

#include <algorithm>

#include "charsets/Iso88592.h"
#include "charsets/PolishLetters.h"
#include "charsets/Utf8.h"
#include "charsets/Windows1250.h"

namespace edihal {

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

bool ValidBytes(std::string_view text, SourceEncoding encoding) {
  const auto all = [text](bool (*is_character)(unsigned char)) {
    return std::all_of(text.begin(), text.end(), [is_character](char c) {
      return is_character(static_cast<unsigned char>(c));
    });
  };
  switch (encoding) {
    case SourceEncoding::kUtf8:
      return utf8::IsValid(text);
    case SourceEncoding::kIso88592:
      return all(iso88592::IsCharacter);
    default:
      return all(windows1250::IsCharacter);
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

// ISO-8859-2 has a conversion of its own; UTF-8 goes through the host's
// code page as set 7 of the Polish letters' converter.
bool ConvertToWindows1250(std::string& text, SourceEncoding encoding) {
  if (encoding == SourceEncoding::kNone) return true;
  const bool whole = text.find('\0') == std::string::npos;
  if (encoding == SourceEncoding::kIso88592) {
    iso88592::ToWindows1250(text);
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
