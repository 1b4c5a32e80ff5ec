#include "import/SourceEncoding.h"

#include "charsets/Iso88592.h"
#include "charsets/Plkonwer.h"

namespace edihal {

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
