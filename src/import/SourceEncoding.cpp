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
    case SourceEncoding::kIso88592: {
      // The conversion goes byte for byte: each byte takes the first byte
      // the conversion turns into it (NUL where none does).
      std::string every(255, '\0');
      for (int byte = 1; byte <= 255; ++byte) every[byte - 1] = static_cast<char>(byte);
      Iso88592ToWin1250InPlace(every);
      char from[256] = {};
      for (int byte = 255; byte >= 1; --byte) {
        from[static_cast<unsigned char>(every[byte - 1])] = static_cast<char>(byte);
      }
      encoded.resize(text.size());
      for (std::size_t at = 0; at < text.size(); ++at) {
        encoded[at] = from[static_cast<unsigned char>(text[at])];
      }
      break;
    }
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
