// The host runtime's 1-based text routines, as the selection list's header
// scan reads an invoice line with them.  Positions count bytes from 1, and
// every routine is total: odd positions and counts give an empty or
// unchanged text, never an error.
#ifndef EDIHAL_SELECTION_ONEBASEDTEXT_H
#define EDIHAL_SELECTION_ONEBASEDTEXT_H

#include <cstddef>
#include <string>

namespace edihal {

// A 1-based byte position or a byte count; 0 means "not found".
using TextPos = std::ptrdiff_t;

// Position of the first occurrence of `needle` in `text`, case-sensitive;
// 0 when it does not occur or `needle` is empty.
TextPos Pos(const std::string& needle, const std::string& text);

// Removes up to `count` bytes from `index` on.  An index outside 1..length
// or a count below 1 leaves the text unchanged (so Delete(s, Pos(...), n)
// removes nothing when the needle was not found).
void Delete(std::string& text, TextPos index, TextPos count);

// Up to `count` bytes from `index` on; an index below 1 counts as 1.  Empty
// when the index is beyond the end or the count is below 1.
std::string SubString(const std::string& text, TextPos index, TextPos count);

// Looks for `open_tag` in `line`.  On a hit, `line` keeps what follows the
// opening tag with the first `close_tag` after it removed (text after the
// closing tag stays), `value` is that remainder trimmed, and the result is
// true.  On a miss nothing changes and the result is false.
bool HeaderTagValue(std::string& line, const std::string& open_tag, const std::string& close_tag,
                    std::string& value);

}  // namespace edihal

#endif  // EDIHAL_SELECTION_ONEBASEDTEXT_H
