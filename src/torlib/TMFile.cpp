#include "torlib/TMFile.h"

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
}

void TMFile::SetPointer(std::uint64_t position) {
  if (!file_) return;
  Flush();
  file_->Seek(position);
  begin_ = end_ = 0;
  end_of_file_ = false;
}

void TMFile::SetEof() {
  if (!file_) return;
  Flush();
  file_->Truncate();
}

bool TMFile::Refill() {
  if (end_of_file_ || !file_) return false;
  if (buffer_.size() != kBlockSize) buffer_.resize(kBlockSize);
  end_ = file_->Read(buffer_.data(), buffer_.size());
  begin_ = 0;
  if (end_ == 0) end_of_file_ = true;
  return end_ > 0;
}

bool TMFile::ReadLine(std::string& line, const std::string& /*delimiter*/) {
  std::string_view next;
  const bool found = NextLine(next);
  line.assign(next.data(), next.size());
  return found;
}

bool TMFile::NextLine(std::string_view& line) {
  try {
    return FindNextLine(line);
  } catch (const std::bad_alloc&) {
    // A line too long for the memory left (a whole invoice on one line).
    assembled_ = std::string();
    throw EOutOfMemory(texts::kOutOfMemoryReading + path_);
  }
}

bool TMFile::FindNextLine(std::string_view& line) {
  line = std::string_view();
  // A line wholly inside the block is handed out where it lies; only one
  // that runs past the block's end is put together in assembled_.
  bool assembling = false;
  for (;;) {
    if (begin_ == end_ && !Refill()) {
      if (!assembling) return false;
      line = assembled_;  // a last line without a line end
      return true;
    }
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const void* newline = std::memchr(start, '\n', available);
    if (newline == nullptr) {
      if (!assembling) assembled_.clear();
      assembled_.append(start, available);
      assembling = true;
      begin_ = end_;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(newline) - start);
    begin_ += length + 1;
    if (assembling) {
      assembled_.append(start, length);
      line = assembled_;
    } else {
      line = std::string_view(start, length);
    }
    // The CR of a CR LF goes; a lone CR elsewhere stays in its line.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
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

void TMFile::Close() {
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
