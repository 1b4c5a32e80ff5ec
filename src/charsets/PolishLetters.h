// The 18 Polish letters between eight numbered character sets, as the
// host runtime's converter (Plkonwer) numbers them: the import uses sets 0
// and 7, and callers may convert between any two.
//
// The letters, in the order of every table:  Ą Ć Ę Ł Ń Ó Ś Ż Ź ą ć ę ł ń ó ś ż ź
#ifndef EDIHAL_CHARSETS_POLISHLETTERS_H
#define EDIHAL_CHARSETS_POLISHLETTERS_H

#include <string>

namespace edihal {

enum CharSet : int {
  kCharSetWindows1250 = 0,
  kCharSetCp852 = 1,
  kCharSetMazovia = 2,
  kCharSetPlain = 3,  // the letters without diacritics
  kCharSetHigh4 = 4,  // capitals in 0x80..0x9F, small letters 0x20 above
  kCharSetHigh5 = 5,  // the letters in alphabetical order from 0x80
  kCharSetHigh6 = 6,  // capitals from 0x80, small letters from 0xA0
  kCharSetUtf8 = 7,   // through the ANSI code page (AnsiCodePage.h)
};

// Converts `text` in place from set `source` to set `target`.  Between the
// tabled sets 0 to 6 each byte is looked at once: a byte of 0x80 or more
// found in the source table becomes the target table's byte for that
// letter, every other byte stays (a byte produced by a replacement is never
// converted again).  From set 7 the text becomes Utf8ToAnsi of it, to set
// 7 AnsiToUtf8 of it, whatever the other set.  Equal sets, or a number
// outside 0 to 7, leave the text alone.
void ConvertCharSet(std::string& text, int source, int target);

}  // namespace edihal

#endif  // EDIHAL_CHARSETS_POLISHLETTERS_H
