#include "torlib/TMFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "rtl/Exception.h"
#include "text/Texts.h"

namespace edihal {

namespace {

// Large enough that reading costs one system call per 64 KiB, small
// enough to stay in cache.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

TMFile::TMFile(const Platform& platform) : platform_(platform) {}

TMFile::~TMFile() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report; Close() is the way to learn of failures.
  }
}

void TMFile::Open() {
  Close();
  file_ = platform_.OpenFile(path_, read_only_ ? FileAccess::kRead : FileAccess::kWrite);
  begin_ = end_ = 0;
  end_of_file_ = false;
  lines_ = std::string_view();
}

void TMFile::SetPointer(std::uint64_t position) {
  if (!file_) return;
  Flush();
  file_->Seek(position);
  begin_ = end_ = 0;
  end_of_file_ = false;
  lines_ = std::string_view();
}

void TMFile::SetEof() {
  if (!file_) return;
  Flush();
  file_->Truncate();
}

bool TMFile::ReadLine(std::string& line, const std::string& /*delimiter*/) {
  std::string_view next;
  const bool found = NextLine(next);
  line.assign(next.data(), next.size());
  return found;
}

bool TMFile::NextLine(std::string_view& line) {
  line = std::string_view();
  if (lines_.empty() && !NextLines(lines_)) return false;
  line = TakeFirstLine(lines_);
  return true;
}

bool TMFile::NextLines(std::string_view& lines) {
  if (!lines_.empty()) {
    lines = lines_;
    lines_ = std::string_view();
    return true;
  }
  try {
    return FindNextLines(lines);
  } catch (const std::bad_alloc&) {
    // A line too long for the memory left (a whole invoice on one line).
    std::vector<char>().swap(buffer_);
    begin_ = end_ = 0;
    throw EOutOfMemory(texts::kOutOfMemoryReading + path_);
  }
}

// Lines are handed out where they lie in the block, up to its last LF; the
// unfinished line after it moves to the block's start and the file is read
// on behind it.  Only a line longer than the block makes the block grow.
bool TMFile::FindNextLines(std::string_view& lines) {
  lines = std::string_view();
  if (!file_) return false;
  for (;;) {
    const std::string_view unread(buffer_.data() + begin_, end_ - begin_);
    const std::size_t last_end = unread.rfind('\n');
    if (last_end != std::string_view::npos) {
      lines = unread.substr(0, last_end + 1);
      begin_ += last_end + 1;
      return true;
    }
    if (end_of_file_) {
      if (unread.empty()) return false;
      lines = unread;
      begin_ = end_;
      return true;
    }
    if (begin_ > 0) {
      std::memmove(buffer_.data(), unread.data(), unread.size());
      begin_ = 0;
      end_ = unread.size();
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

void TMFile::WriteLine(const std::string& text, const std::string& terminator) {
  pending_ += text;
  pending_ += terminator;
  if (pending_.size() >= kBlockSize) Flush();
}

void TMFile::Flush() {
  if (!file_ || pending_.empty()) return;
  // The buffer keeps its capacity for the next lines; after a failed write
  // it is emptied all the same, so the destructor does not retry it.
  try {
    file_->Write(pending_.data(), pending_.size());
  } catch (...) {
    pending_.clear();
    throw;
  }
  pending_.clear();
}

namespace {

// Reads exactly `size` bytes, or fails as a read of a file cut short does.
void ReadExactly(FileHandle& file, char* into, std::size_t size, const std::string& path) {
  while (size > 0) {
    const std::size_t got = file.Read(into, size);
    if (got == 0) throw EInOutError(texts::kCannotReadFile + path);
    into += got;
    size -= got;
  }
}

}  // namespace

// Moves the tail a block at a time: from its end when it moves on, from
// its start when it moves back, so no block overwrites one not yet moved.
void TMFile::MoveTail(std::uint64_t from, std::int64_t shift) {
  if (!file_) return;
  Flush();
  const std::uint64_t end = file_->Size();
  const bool before_start = shift < 0 && static_cast<std::uint64_t>(-shift) > from;
  if (end < from || before_start) throw EInOutError(texts::kCannotReadFile + path_);
  std::vector<char> block(kBlockSize);
  const std::uint64_t length = end - from;
  for (std::uint64_t moved = 0; shift != 0 && moved < length;) {
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, length - moved));
    const std::uint64_t at = shift > 0 ? end - moved - size : from + moved;
    file_->Seek(at);
    ReadExactly(*file_, block.data(), size, path_);
    file_->Seek(at + static_cast<std::uint64_t>(shift));
    file_->Write(block.data(), size);
    moved += size;
  }
  file_->Seek(end + static_cast<std::uint64_t>(shift));
  file_->Truncate();
}

void TMFile::Close() {
  lines_ = std::string_view();
  if (!file_) return;
  try {
    Flush();
  } catch (...) {
    file_.reset();
    throw;
  }
  file_.reset();
}

}  // namespace edihal
