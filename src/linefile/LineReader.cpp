#include "linefile/LineReader.h"

#include <cstring>
#include <new>

#include "base/Exception.h"
#include "base/Texts.h"

namespace edihal {

namespace {

// Large enough that reading costs one system call per 64 KiB, small
// enough to stay in cache.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

void LineReader::Open(const std::string& path) {
  file_.reset();
  path_ = path;
  file_ = platform_.OpenFile(path_, FileAccess::kRead);
  begin_ = end_ = 0;
  end_of_file_ = false;
}

void LineReader::Rewind() {
  if (!file_) return;
  file_->Seek(0);
  begin_ = end_ = 0;
  end_of_file_ = false;
}

void LineReader::Close() {
  file_.reset();
}

bool LineReader::NextLine(std::string_view& line) {
  try {
    return FindNextLine(line);
  } catch (const std::bad_alloc&) {
    // A line too long for the memory left (a whole invoice on one line).
    std::vector<char>().swap(buffer_);
    begin_ = end_ = 0;
    throw EOutOfMemory(texts::kOutOfMemoryReading + path_);
  }
}

// A line is handed out where it lies in the block; the unfinished line at
// the block's end moves to its start and the file is read on behind it.
// Only a line longer than the block makes the block grow.
bool LineReader::FindNextLine(std::string_view& line) {
  line = std::string_view();
  if (!file_) return false;
  for (std::size_t searched = begin_;;) {
    const char* const data = buffer_.data();
    const void* newline =
        searched < end_ ? std::memchr(data + searched, '\n', end_ - searched) : nullptr;
    if (newline != nullptr) {
      const auto at = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
      const std::size_t stop = at > begin_ && data[at - 1] == '\r' ? at - 1 : at;
      line = std::string_view(data + begin_, stop - begin_);
      begin_ = at + 1;
      return true;
    }
    if (end_of_file_) {
      if (begin_ == end_) return false;
      // The last line has no line end; a CR at its end stays.
      line = std::string_view(data + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
    // What is left holds no LF: it moves to the block's start, and the
    // search goes on behind it once more is read.
    searched = end_ - begin_;
    if (begin_ > 0) {
      std::memmove(buffer_.data(), data + begin_, searched);
      begin_ = 0;
      end_ = searched;
    }
    if (buffer_.size() < kBlockSize) {
      buffer_.resize(kBlockSize);
    } else if (end_ == buffer_.size()) {
      buffer_.resize(buffer_.size() * 2);
    }
    const std::size_t read = file_->Read(buffer_.data() + end_, buffer_.size() - end_);
    if (read == 0) end_of_file_ = true;
    end_ += read;
  }
}

}  // namespace edihal
