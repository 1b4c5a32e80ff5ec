#include "import/ScannedRun.h"

#include "import/ElementValue.h"
#include "import/TagTable.h"

namespace edihal {

namespace {

// The known tag, if any, from the "<" at `open` to the ">" at `close`.
__attribute__((always_inline)) inline void AddTag(const char* text, std::size_t open,
                                                  std::size_t close, LineTags& tags) {
  InvoiceTag tag;
  if (tag_table::FindTag(text + open, close - open + 1, tag)) tags.Add(tag);
}

}  // namespace

// A line whose only brackets are, in this order, "<" ">" or "<" ">" "<"
// ">" is read from their offsets alone.  Each "<" can begin only the tag
// that ends at the ">" after it, and the value lies between the first ">"
// and the "<" after it, whatever else the line holds: so this is what
// ScanLine gives for the line, trimmed or not.
bool ScannedRun::Next(ScannedLine& scanned) {
  const std::size_t size = run_.size();
  if (begin_ >= size) return false;
  const char* const text = run_.data();
  // A copy, which the compiler keeps in registers.
  ByteFinder brackets = brackets_;
  const auto line_end = [&](std::size_t at) { return at == size || text[at] == '\n'; };

  std::size_t at = brackets.Next();
  const std::size_t open = at;
  if (!line_end(open) && text[open] == '<') {
    const std::size_t close = at = brackets.Next();
    if (!line_end(close) && text[close] == '>') {
      at = brackets.Next();
      if (line_end(at)) {
        scanned = ScannedLine();
        AddTag(text, open, close, scanned.tags);
        return Done(brackets, at);
      }
      const std::size_t next_open = at;
      if (text[next_open] == '<') {
        const std::size_t next_close = at = brackets.Next();
        if (!line_end(next_close) && text[next_close] == '>') {
          at = brackets.Next();
          if (line_end(at)) {
            scanned.tags = LineTags();
            AddTag(text, open, close, scanned.tags);
            AddTag(text, next_open, next_close, scanned.tags);
            scanned.value = std::string_view(text + close + 1, next_open - close - 1);
            return Done(brackets, at);
          }
        }
      }
    }
  }
  // Any other line: its end, then the scan of the line itself.
  while (!line_end(at)) at = brackets.Next();
  scanned = ScanLine(TrimmedView(run_.substr(begin_, at - begin_)));
  return Done(brackets, at);
}

}  // namespace edihal
