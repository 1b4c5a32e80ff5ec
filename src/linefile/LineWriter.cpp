#include "linefile/LineWriter.h"

namespace edihal {

namespace {

// Lines are handed to the file in blocks of about this size.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

LineWriter::~LineWriter() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report; Close() is the way to learn of failures.
  }
}

void LineWriter::Create(const std::string& path) {
  Close();
  file_ = platform_.OpenFile(path, FileAccess::kWrite);
  file_->Truncate();
}

void LineWriter::WriteLine(std::string_view line) {
  pending_ += line;
  pending_ += "\r\n";
  if (pending_.size() >= kBlockSize) Flush();
}

void LineWriter::Flush() {
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

void LineWriter::Close() {
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
