// The character set an invoice declares, and the conversion that brings its
// line records into Windows-1250.
#ifndef EDIHAL_IMPORT_SOURCEENCODING_H
#define EDIHAL_IMPORT_SOURCEENCODING_H

#include <string>

namespace edihal {

enum class SourceEncoding {
  kNone,  // no declaration, or another name: the bytes are taken as they are
  kIso88592,
  kUtf8,
};

// Converts `text` from `encoding` to Windows-1250.  The conversions of
// ISO-8859-2 and UTF-8 end the text at its first NUL: false when that cut
// it short.
bool ConvertToWindows1250(std::string& text, SourceEncoding encoding);

// `text` converted from `encoding` to Windows-1250.
std::string ToWindows1250(std::string text, SourceEncoding encoding);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_SOURCEENCODING_H
