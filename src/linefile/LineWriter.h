// LineWriter: a text file written line by line, each line ended with CR LF,
// as the host's runtime writes one through its line file class (TMFile).
// Lines are collected and written in large blocks.
//
// Every failure raises EInOutError naming the path and the reason.  The
// destructor writes what is still buffered and closes the file, and never
// throws: Close() is the way to learn of failures.
#ifndef EDIHAL_LINEFILE_LINEWRITER_H
#define EDIHAL_LINEFILE_LINEWRITER_H

#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace edihal {

class LineWriter {
 public:
  explicit LineWriter(const Platform& platform) : platform_(platform) {}
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates the file at `path`, or empties it when it exists.
  void Create(const std::string& path);
  // Appends `line` and CR LF.
  void WriteLine(std::string_view line);
  // Writes what is buffered and closes the file.
  void Close();

 private:
  void Flush();

  const Platform& platform_;
  std::unique_ptr<FileHandle> file_;
  std::string pending_;  // lines not yet handed to the file
};

}  // namespace edihal

#endif  // EDIHAL_LINEFILE_LINEWRITER_H
