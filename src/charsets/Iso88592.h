#ifndef EDIHAL_CHARSETS_ISO88592_H
#define EDIHAL_CHARSETS_ISO88592_H

#include <string>

namespace edihal {

// The text up to its first NUL, from ISO-8859-2 to Windows-1250 (mode 0):
// only the six Polish letters whose codes differ (Ą Ś Ź ą ś ź) change; every
// other byte is kept.  Any other mode returns the text unchanged.
std::string Iso88592ToWin1250(const std::string& text, int mode);

// The same conversion (mode 0) of `text` itself, which keeps its buffer.
void Iso88592ToWin1250InPlace(std::string& text);

}  // namespace edihal

#endif  // EDIHAL_CHARSETS_ISO88592_H
