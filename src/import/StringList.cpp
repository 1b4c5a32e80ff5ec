#include "import/StringList.h"

#include <algorithm>
#include <memory>

namespace edihal {

std::vector<std::string> SplitLines(const std::string& text) {
  const char* const end = text.data() + text.size();
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  for (const char* start = text.data(); start < end;) {
    const char* stop = start;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    lines.emplace_back(start, stop);
    if (stop < end && *stop == '\r') ++stop;
    if (stop < end && *stop == '\n') ++stop;
    start = stop;
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
