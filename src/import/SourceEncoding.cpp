#include "import/SourceEncoding.h"

#include "text/Iso88592.h"
#include "text/Plkonwer.h"

namespace edihal {

void ConvertToWindows1250(std::string& text, SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kIso88592:
      Iso88592ToWin1250InPlace(text);
      return;
    case SourceEncoding::kUtf8:
      ConvertCharSet(text, kCharSetUtf8, kCharSetWindows1250);
      return;
    case SourceEncoding::kNone:
      return;
  }
}

bool FromWindows1250(const std::string& text, SourceEncoding encoding, std::string& encoded) {
  switch (encoding) {
    case SourceEncoding::kIso88592:
      if (!Win1250ToIso88592(text, encoded)) return false;
      break;
    case SourceEncoding::kUtf8:
      encoded = Utf8FromAnsi(text);
      break;
    case SourceEncoding::kNone:
      encoded = text;
      break;
  }
  return ToWindows1250(encoded, encoding) == text;
}

std::string ToWindows1250(std::string text, SourceEncoding encoding) {
  ConvertToWindows1250(text, encoding);
  return text;
}

}  // namespace edihal
