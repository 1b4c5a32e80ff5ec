#include "torlib/TMFile.h"

#include <cstring>

namespace edihal {

namespace {

// Large enough that reading costs one system call per 64 KiB, small
// enough to stay in cache.
constexpr std::size_t kBlockSize = 64 * 1024;

void DropTrailingCr(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

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
  line.clear();
  bool have_bytes = false;
  for (;;) {
    if (begin_ == end_ && !Refill()) {
      if (have_bytes) return true;  // a last line without a line end
      return false;
    }
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const void* newline = std::memchr(start, '\n', available);
    if (newline != nullptr) {
      const std::size_t length = static_cast<const char*>(newline) - start;
      line.append(start, length);
      begin_ += length + 1;
      DropTrailingCr(line);
      return true;
    }
    line.append(start, available);
    begin_ = end_;
    have_bytes = true;
  }
}

void TMFile::WriteLine(const std::string& text, const std::string& terminator) {
  pending_ += text;
  pending_ += terminator;
  if (pending_.size() >= kBlockSize) Flush();
}

void TMFile::Flush() {
  if (!file_ || pending_.empty()) return;
  std::string pending;
  pending.swap(pending_);  // a failed write is not retried by the destructor
  file_->Write(pending.data(), pending.size());
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
