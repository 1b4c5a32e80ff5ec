#include "import/StringList.h"

#include <memory>

namespace edihal {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.emplace_back(text, start, end - start);
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::vector<std::string> LoadStringList(const Platform& platform, const std::string& path) {
  const std::unique_ptr<FileHandle> file = platform.OpenFile(path, FileAccess::kRead);
  std::string text;
  std::vector<char> block(64 * 1024);
  for (;;) {
    const std::size_t got = file->Read(block.data(), block.size());
    if (got == 0) break;
    text.append(block.data(), got);
  }
  return SplitLines(text);
}

}  // namespace edihal
