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

// `text` converted from `encoding` to Windows-1250.
std::string ToWindows1250(std::string text, SourceEncoding encoding);
// The same conversion of `text` itself.
void ConvertToWindows1250(std::string& text, SourceEncoding encoding);
// Windows-1250 `text` in `encoding`, such that converting `encoded` back
// gives `text` again; false when no such text is found.
bool FromWindows1250(const std::string& text, SourceEncoding encoding, std::string& encoded);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_SOURCEENCODING_H
