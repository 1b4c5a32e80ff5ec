// LineReader: a text file read line by line from its start, as the host's
// runtime reads one through its line file class (TMFile).  Sequential and
// buffered: the file is read in large blocks and only the block is kept in
// memory, which grows only to hold a line longer than it.
//
// Line ends: a line ends at LF, and a CR right before that LF is removed;
// a last line without a line end is still a line; a lone CR stays inside
// its line.  So files saved with LF alone read exactly like CR LF ones.
//
// Every failure raises EInOutError naming the path and the reason; memory
// running out while a line is read raises EOutOfMemory naming the path.
#ifndef EDIHAL_LINEFILE_LINEREADER_H
#define EDIHAL_LINEFILE_LINEREADER_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

class LineReader {
 public:
  explicit LineReader(const Platform& platform) : platform_(platform) {}
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens the existing file at `path` at its start, closing the one before;
  // one reader serves many files in turn.
  void Open(const std::string& path);
  // The next line, without its line end: `line` views it inside the reader
  // and stays valid until the next read, rewind or close.  False when no
  // line is left.
  bool NextLine(std::string_view& line);
  // Back to the start, for a second reading.
  void Rewind();
  void Close();

 private:
  bool FindNextLine(std::string_view& line);

  const Platform& platform_;
  std::unique_ptr<FileHandle> file_;
  std::string path_;
  std::vector<char> buffer_;  // read block; grows only for a longer line
  std::size_t begin_ = 0;     // first unread byte of the block
  std::size_t end_ = 0;       // end of the bytes read into the block
  bool end_of_file_ = false;
};

}  // namespace edihal

#endif  // EDIHAL_LINEFILE_LINEREADER_H
