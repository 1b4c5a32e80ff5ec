// TMFile: the line file every worker reads and writes through.  Sequential,
// buffered both ways: reading takes the file in large blocks and keeps in
// memory only the block, which grows only to hold a line longer than it;
// writing collects lines and writes them in blocks.
//
// Line ends: a line ends at LF, and a CR right before that LF is removed;
// a last line without a line end is still a line; a lone CR stays inside
// its line.  So files saved with LF alone read exactly like CR LF ones.
// Written lines end with the terminator given (always CR LF here).
//
// Every failure raises EInOutError naming the path and the reason; memory
// running out while a line is read raises EOutOfMemory naming the path.  The
// destructor writes what is still buffered and closes the file, and never
// throws.
#ifndef EDIHAL_TORLIB_TMFILE_H
#define EDIHAL_TORLIB_TMFILE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

class TMFile {
 public:
  explicit TMFile(const Platform& platform);
  ~TMFile();
  TMFile(const TMFile&) = delete;
  TMFile& operator=(const TMFile&) = delete;

  // Only sequential access is offered; the flag is kept for the callers'
  // sake.
  void SetRandomAccess(bool random_access) { random_access_ = random_access; }
  // True: the next Open reads an existing file.  False: it opens the file
  // for writing, creating it when missing (its content stays until SetEof).
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  void SetPath(const std::string& path) { path_ = path; }
  const std::string& Path() const { return path_; }

  void Open();
  bool IsOpen() const { return file_ != nullptr; }
  // The next read or write happens `position` bytes from the start.
  void SetPointer(std::uint64_t position);
  // The file ends at the current position.
  void SetEof();
  // The next line, without its line end; false when no line is left.
  // The delimiter is accepted for the callers' sake; line ends follow the
  // rule above.
  bool ReadLine(std::string& line, const std::string& delimiter = "\r\n");
  // The same without a copy: `line` views the next line inside the object
  // and stays valid until the next read, rewind or close.  A line that is
  // whole in the block is handed out here; the rest reads on.
  bool NextLine(std::string_view& line) {
    const char* const data = buffer_.data();
    const void* newline = begin_ < end_ ? std::memchr(data + begin_, '\n', end_ - begin_) : nullptr;
    if (newline == nullptr) return ReadOn(line);
    const auto at = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
    const std::size_t stop = at > begin_ && data[at - 1] == '\r' ? at - 1 : at;
    line = std::string_view(data + begin_, stop - begin_);
    begin_ = at + 1;
    return true;
  }
  // Appends `text` and `terminator`.
  void WriteLine(const std::string& text, const std::string& terminator = "\r\n");
  // Writes what is buffered and closes; the object may be given a new path
  // and opened again.
  void Close();

 private:
  void Flush();
  bool ReadOn(std::string_view& line);
  bool FindNextLine(std::string_view& line);

  const Platform& platform_;
  std::unique_ptr<FileHandle> file_;
  std::string path_;
  bool read_only_ = true;
  bool random_access_ = false;
  std::vector<char> buffer_;  // read block; grows only for a longer line
  std::size_t begin_ = 0;     // first unread byte of the block
  std::size_t end_ = 0;       // end of the bytes read into the block
  bool end_of_file_ = false;
  std::string pending_;  // written lines not yet handed to the file
};

}  // namespace edihal

#endif  // EDIHAL_TORLIB_TMFILE_H
