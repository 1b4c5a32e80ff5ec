#include "import/categorise/StringList.h"

#include <memory>
#include <utility>

namespace edihal {

// A CR LF, an LF or a lone CR ends a line.
TStringList::TStringList(std::string text) : text_(std::move(text)) {
  starts_.clear();
  const std::size_t end = text_.size();
  for (std::size_t start = 0; start < end;) {
    starts_.push_back(start);
    const std::size_t line_end = text_.find_first_of("\r\n", start);
    if (line_end == std::string::npos) {
      start = end;
    } else if (text_[line_end] == '\r' && line_end + 1 < end && text_[line_end + 1] == '\n') {
      start = line_end + 2;
    } else {
      start = line_end + 1;
    }
  }
  starts_.push_back(end);
}

TStringList TStringList::LoadFromFile(const Platform& platform, const std::string& path) {
  const std::unique_ptr<FileHandle> file = platform.OpenFile(path, FileAccess::kRead);
  constexpr std::size_t kBlock = 64 * 1024;
  std::string text;
  std::size_t size = 0;
  for (;;) {
    text.resize(size + kBlock);
    const std::size_t got = file->Read(&text[size], kBlock);
    if (got == 0) break;
    size += got;
  }
  text.resize(size);
  return TStringList(std::move(text));
}

}  // namespace edihal
