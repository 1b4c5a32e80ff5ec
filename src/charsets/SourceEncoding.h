// The character set an invoice declares, and the conversion that brings its
// line records into the host's code page: how an ISO-8859-2 or a UTF-8
// invoice becomes Windows-1250.
#ifndef EDIHAL_CHARSETS_SOURCEENCODING_H
#define EDIHAL_CHARSETS_SOURCEENCODING_H

#include <string>
#include <string_view>

namespace edihal {

enum class SourceEncoding {
  kNone,  // no declaration, or another name: the bytes are taken as they are
  kIso88592,
  kUtf8,
};

// The encoding a declared name (in upper case) selects.  True for the
// names the import knows: "ISO-8859-2" and "UTF-8", which it converts, and
// "WINDOWS-1250" and "CP1250", which it takes as they are (kNone).
bool DeclaredEncoding(const std::string& upper_name, SourceEncoding& encoding);

// Whether every byte of `text` belongs to a character of `encoding`: UTF-8
// as RFC 3629 has it (no overlong forms, surrogates or code points past
// U+10FFFF), ISO-8859-2 without its control codes 0x80 to 0x9F, and
// Windows-1250 without the five bytes it leaves undefined.  The import
// reads anything else as "?" or as another letter.
bool ValidBytes(std::string_view text, SourceEncoding encoding);

// The encoding's name as the integrator knows it.
const char* EncodingName(SourceEncoding encoding);

// Converts `text` from `encoding` to Windows-1250.  The conversions of
// ISO-8859-2 and UTF-8 end the text at its first NUL: false when that cut
// it short.
bool ConvertToWindows1250(std::string& text, SourceEncoding encoding);

// `text` converted from `encoding` to Windows-1250.
std::string ToWindows1250(std::string text, SourceEncoding encoding);

}  // namespace edihal

#endif  // EDIHAL_CHARSETS_SOURCEENCODING_H
