// The lines of a run of whole lines (TMFile::NextLines), each scanned as
// ScanLine scans it trimmed, from one look at every byte of the run for
// "<", ">" and LF.  A line whose brackets are those of the common shape,
// "<NAME>value</NAME>" or "<NAME>" and text, is then read from their
// offsets alone; every other line goes to ScanLine.
#ifndef EDIHAL_IMPORT_SCANNEDRUN_H
#define EDIHAL_IMPORT_SCANNEDRUN_H

#include <cstddef>
#include <string_view>

#include "import/ByteFinder.h"
#include "import/LineTags.h"

namespace edihal {

class ScannedRun {
 public:
  explicit ScannedRun(std::string_view run) : run_(run), brackets_(run, BracketsAndLineEnds) {}

  // The next line, scanned; false when none is left.
  bool Next(ScannedLine& scanned);

 private:
  // Ends the line at `end`, its LF or the run's end.
  bool Done(const ByteFinder& brackets, std::size_t end) {
    brackets_ = brackets;
    begin_ = end + 1;
    return true;
  }

  std::string_view run_;
  ByteFinder brackets_;
  std::size_t begin_ = 0;  // where the next line starts
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_SCANNEDRUN_H
