// ISO-8859-2 (Latin-2), in which some wholesalers write their invoices:
// its Polish letters brought into Windows-1250.
#ifndef EDIHAL_CHARSETS_ISO88592_H
#define EDIHAL_CHARSETS_ISO88592_H

#include <string>

namespace edihal::iso88592 {

// `text`, up to its first NUL, from ISO-8859-2 to Windows-1250: only the
// six Polish letters whose codes differ (Ą Ś Ź ą ś ź) change; every other
// byte is kept, letters of other languages too.
void ToWindows1250(std::string& text);
// Whether `byte` stands for a character: not one of the control codes 0x80
// to 0x9F.
bool IsCharacter(unsigned char byte);

}  // namespace edihal::iso88592

#endif  // EDIHAL_CHARSETS_ISO88592_H
