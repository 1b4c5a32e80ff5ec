#ifndef EDIHAL_TEXT_ISO88592_H
#define EDIHAL_TEXT_ISO88592_H

#include <string>

namespace edihal {

// The text up to its first NUL, from ISO-8859-2 to Windows-1250 (mode 0):
// only the six Polish letters whose codes differ (Ą Ś Ź ą ś ź) change; every
// other byte is kept.  Any other mode returns the text unchanged.
std::string Iso88592ToWin1250(const std::string& text, int mode);

// The same conversion (mode 0) of `text` itself, which keeps its buffer.
void Iso88592ToWin1250InPlace(std::string& text);

// Windows-1250 `text` in ISO-8859-2: each byte the ISO-8859-2 byte the
// conversion above turns into it, the letter where two do (0xA1 for Ą).
// False when a byte has none: 0xA1, 0xA6, 0xAC, 0xB1, 0xB6 and 0xBC, whose
// ISO-8859-2 bytes are letters that convert to other bytes.
bool Win1250ToIso88592(const std::string& text, std::string& iso);

}  // namespace edihal

#endif  // EDIHAL_TEXT_ISO88592_H
