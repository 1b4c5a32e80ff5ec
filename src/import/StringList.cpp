#include "import/StringList.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace edihal {

// A CR LF, an LF or a lone CR ends a line.  The next CR and the next LF
// are each found with one search and kept until the lines pass them, so
// every byte is searched once, whichever line ends the file uses.
TStringList::TStringList(std::string text) : text_(std::move(text)) {
  const std::size_t end = text_.size();
  starts_.clear();
  const auto next = [this, end](char byte, std::size_t from) {
    const void* at = std::memchr(text_.data() + from, byte, end - from);
    return at == nullptr ? end
                         : static_cast<std::size_t>(static_cast<const char*>(at) - text_.data());
  };
  std::size_t cr = next('\r', 0);
  std::size_t lf = next('\n', 0);
  for (std::size_t start = 0; start < end;) {
    starts_.push_back(start);
    if (cr < lf) {
      // `lf` is `end` when no LF is left: a CR that ends the text ends
      // its line alone.
      start = cr + 1 == lf && lf < end ? lf + 1 : cr + 1;
    } else {
      start = lf < end ? lf + 1 : end;
    }
    if (cr < start) cr = next('\r', start);
    if (lf < start) lf = next('\n', start);
  }
  starts_.push_back(end);
}

// The file is read into one text sized to the file, so that it costs one
// allocation and no copying.  A file the system cannot size, or one that
// grows while it is read, is read on into a larger text.
TStringList TStringList::LoadFromFile(const Platform& platform, const std::string& path) {
  const std::unique_ptr<FileHandle> file = platform.OpenFile(path, FileAccess::kRead);
  constexpr std::size_t kBlock = 64 * 1024;
  const std::uint64_t size = file->Size();
  std::string text;
  // One byte over the size, so that the end is seen without growing.
  if (size >= text.max_size()) throw std::bad_alloc();
  text.resize(static_cast<std::size_t>(size) + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == text.size()) text.resize(total + std::max(total / 2, kBlock));
    const std::size_t got = file->Read(&text[total], text.size() - total);
    if (got == 0) break;
    total += got;
  }
  text.resize(total);
  return TStringList(std::move(text));
}

}  // namespace edihal
