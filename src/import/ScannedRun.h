// The lines of a run of whole lines (TMFile::NextLines), each scanned as
// ScanLine scans it trimmed, from one look at every byte of the run for
// "<", ">" and LF.
//
// A line whose only brackets are, in this order, "<" ">" or "<" ">" "<"
// ">" is read from their offsets alone.  Each "<" can begin only the tag
// that ends at the ">" after it, and the value lies between the first ">"
// and the "<" after it, whatever else the line holds: so this is what
// ScanLine gives for the line, trimmed or not.  Every other line goes to
// ScanLine.
#ifndef EDIHAL_IMPORT_SCANNEDRUN_H
#define EDIHAL_IMPORT_SCANNEDRUN_H

#include <cstddef>
#include <string_view>

#include "import/ByteFinder.h"
#include "import/ElementValue.h"
#include "import/LineTags.h"
#include "import/TagTable.h"

namespace edihal {

namespace scanned_run {

// The known tag, if any, from the "<" at `open` to the ">" at `close`.
// Reading open + 2 is safe: a "/" at open + 1 lies before the ">".
__attribute__((always_inline)) inline void AddTag(const char* text, std::size_t open,
                                                  std::size_t close, LineTags& tags) {
  InvoiceTag tag;
  if (!tag_table::MayBeKnown(text + open)) return;
  if (tag_table::FindTag(text + open, close - open + 1, tag)) tags.Add(tag);
}

}  // namespace scanned_run

// Calls `take` with every line of `run`, scanned, in order, and the line
// as it lies in the run, with its line end (TakeFirstLine reads it).  A
// template, always inline, so that `take` is called inline and what it
// keeps stays in registers.
template <typename Take>
__attribute__((always_inline)) inline void ForEachScannedLine(std::string_view run, Take&& take) {
  using scanned_run::AddTag;
  const std::size_t size = run.size();
  const char* const text = run.data();
  const auto line_end = [&](std::size_t at) { return at == size || text[at] == '\n'; };
  // The finder gives only "<", ">" and LF, or the run's size: a byte it
  // gave that is the bracket looked for is no line end.
  const auto is = [&](std::size_t at, char bracket) { return at != size && text[at] == bracket; };
  ByteFinder<BracketsAndLineEnds> brackets(run);
  ScannedLine scanned;
  for (std::size_t begin = 0; begin < size;) {
    std::size_t at = brackets.Next();
    const std::size_t open = at;
    bool done = false;
    if (is(open, '<')) {
      const std::size_t close = at = brackets.Next();
      if (is(close, '>')) {
        at = brackets.Next();
        if (line_end(at)) {
          scanned = ScannedLine();
          AddTag(text, open, close, scanned.tags);
          done = true;
        } else if (text[at] == '<') {
          const std::size_t next_open = at;
          const std::size_t next_close = at = brackets.Next();
          if (is(next_close, '>')) {
            at = brackets.Next();
            if (line_end(at)) {
              scanned.tags = LineTags();
              AddTag(text, open, close, scanned.tags);
              AddTag(text, next_open, next_close, scanned.tags);
              scanned.value = std::string_view(text + close + 1, next_open - close - 1);
              done = true;
            }
          }
        }
      }
    }
    if (!done) {
      // Any other line: its end, then the scan of the line itself.
      while (!line_end(at)) at = brackets.Next();
      scanned = ScanLine(TrimmedView(run.substr(begin, at - begin)));
    }
    const std::size_t next = at + 1;
    take(static_cast<const ScannedLine&>(scanned),
         std::string_view(text + begin, (next < size ? next : size) - begin));
    begin = next;
  }
}

}  // namespace edihal

#endif  // EDIHAL_IMPORT_SCANNEDRUN_H
