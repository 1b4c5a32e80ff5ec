#include "import/SourceEncoding.h"

#include "text/Iso88592.h"
#include "text/Plkonwer.h"

namespace edihal {

std::string ToWindows1250(std::string text, SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kIso88592:
      Iso88592ToWin1250InPlace(text);
      return text;
    case SourceEncoding::kUtf8:
      ConvertCharSet(text, kCharSetUtf8, kCharSetWindows1250);
      return text;
    case SourceEncoding::kNone:
      break;
  }
  return text;
}

}  // namespace edihal
