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

std::string ToWindows1250(std::string text, SourceEncoding encoding) {
  ConvertToWindows1250(text, encoding);
  return text;
}

}  // namespace edihal
