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
//
// The lines up to the run's last LF are read from the finder alone: with
// an LF still ahead, every offset it gives is a "<", ">" or LF of the run.
// A last line without a line end goes to ScanLine.
template <typename Take>
__attribute__((always_inline)) inline void ForEachScannedLine(std::string_view run, Take&& take) {
  using scanned_run::AddTag;
  const std::size_t ended = run.rfind('\n') + 1;  // npos + 1 is 0
  const char* const text = run.data();
  ByteFinder<BracketsAndLineEnds> brackets(run.substr(0, ended));
  ScannedLine scanned;
  for (std::size_t begin = 0; begin < ended;) {
    std::size_t at = brackets.Next();
    const std::size_t open = at;
    bool done = false;
    if (text[open] == '<') {
      const std::size_t close = at = brackets.Next();
      if (text[close] == '>') {
        at = brackets.Next();
        if (text[at] == '\n') {
          scanned = ScannedLine();
          AddTag(text, open, close, scanned.tags);
          done = true;
        } else if (text[at] == '<') {
          const std::size_t next_open = at;
          const std::size_t next_close = at = brackets.Next();
          if (text[next_close] == '>') {
            at = brackets.Next();
            if (text[at] == '\n') {
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
      while (text[at] != '\n') at = brackets.Next();
      scanned = ScanLine(TrimmedView(run.substr(begin, at - begin)));
    }
    take(static_cast<const ScannedLine&>(scanned), std::string_view(text + begin, at + 1 - begin));
    begin = at + 1;
  }
  if (ended < run.size()) {
    const std::string_view last = run.substr(ended);
    take(static_cast<const ScannedLine&>(ScanLine(TrimmedView(last))), last);
  }
}

}  // namespace edihal

#endif  // EDIHAL_IMPORT_SCANNEDRUN_H
