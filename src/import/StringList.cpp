#include "import/StringList.h"

#include <algorithm>
#include <memory>

namespace edihal {

// A CR LF, an LF or a lone CR ends a line.  The next CR and the next LF
// are each found with one search and kept until the lines pass them, so
// every byte is searched once, whichever line ends the file uses.
TStringList::TStringList(std::string text) : text_(std::move(text)) {
  const std::size_t end = text_.size();
  starts_.clear();
  starts_.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) + 2);
  const auto next = [this, end](char byte, std::size_t from) {
    const std::size_t at = text_.find(byte, from);
    return at == std::string::npos ? end : at;
  };
  std::size_t cr = next('\r', 0);
  std::size_t lf = next('\n', 0);
  for (std::size_t start = 0; start < end;) {
    starts_.push_back(start);
    if (cr < lf) {
      start = cr + 1 == lf ? lf + 1 : cr + 1;
    } else {
      start = lf < end ? lf + 1 : end;
    }
    if (cr < start) cr = next('\r', start);
    if (lf < start) lf = next('\n', start);
  }
  starts_.push_back(end);
}

std::string_view TStringList::operator[](std::size_t index) const {
  const std::size_t start = starts_[index];
  std::size_t stop = starts_[index + 1];
  if (stop > start && text_[stop - 1] == '\n') --stop;
  if (stop > start && text_[stop - 1] == '\r') --stop;
  return std::string_view(text_.data() + start, stop - start);
}

// The file is read in blocks and joined once, so that the text is
// allocated once at its size.
TStringList TStringList::LoadFromFile(const Platform& platform, const std::string& path) {
  const std::unique_ptr<FileHandle> file = platform.OpenFile(path, FileAccess::kRead);
  constexpr std::size_t kBlock = 64 * 1024;
  std::vector<std::string> blocks;
  std::size_t total = 0;
  for (;;) {
    std::string block(kBlock, '\0');
    const std::size_t got = file->Read(&block[0], kBlock);
    if (got == 0) break;
    block.resize(got);
    total += got;
    blocks.push_back(std::move(block));
  }
  std::string text;
  text.reserve(total);
  for (const std::string& block : blocks) text += block;
  return TStringList(std::move(text));
}

}  // namespace edihal
