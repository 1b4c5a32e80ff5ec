// Character sets on POSIX, through iconv: the locale's, and conversion
// between it and the module's Windows-1250.  Used for file names here and
// by vexhost for what it shows and reads.
#ifndef EDIHAL_PLATFORM_POSIX_CODESETS_H
#define EDIHAL_PLATFORM_POSIX_CODESETS_H

#include <string>

namespace edihal::posix {

// The codeset of the current locale (upper case); UTF-8 where none is set,
// since the C locale's ASCII cannot name a Polish letter at all.
std::string LocaleCodeset();

// True for the names of Windows-1250.
bool IsWindows1250(const std::string& codeset);

// `text` from codeset `from` to `to` in `out`; false when some of it has no
// form in `to` or is not valid in `from`.  With `lenient`, "?" stands for
// each such character (a cut UTF-8 sequence counts as one) and the result
// is true.
bool ConvertCodeset(const std::string& text, const std::string& to, const std::string& from,
                    bool lenient, std::string& out);

}  // namespace edihal::posix

#endif  // EDIHAL_PLATFORM_POSIX_CODESETS_H
