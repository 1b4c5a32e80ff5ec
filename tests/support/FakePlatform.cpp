#include "FakePlatform.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/Exception.h"
#include "base/Texts.h"
#include "charsets/AnsiCodePage.h"
#include "platform/FileError.h"

namespace testing_support {

namespace {

using edihal::FileFailure;

class MemoryFile final : public edihal::FileHandle {
 public:
  MemoryFile(std::string& content, std::string path, bool readable, std::size_t piece,
             bool no_memory)
      : content_(content),
        path_(std::move(path)),
        readable_(readable),
        piece_(piece),
        no_memory_(no_memory) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    if (no_memory_) throw std::bad_alloc();
    if (!readable_) {
      edihal::ThrowFileError(edihal::texts::kCannotReadFile, path_, FileFailure::kAccessDenied, 5);
    }
    if (position_ >= content_.size()) return 0;
    std::size_t count = std::min(size, content_.size() - position_);
    if (piece_ != 0) count = std::min(count, piece_);
    content_.copy(buffer, count, position_);
    position_ += count;
    return count;
  }

  void Write(const char* data, std::size_t size) override {
    if (no_memory_) throw std::bad_alloc();
    if (position_ > content_.size()) content_.resize(position_, '\0');
    content_.replace(position_, std::min(size, content_.size() - position_), data, size);
    position_ += size;
  }

  void Seek(std::uint64_t position) override { position_ = static_cast<std::size_t>(position); }
  // Past the end the file grows, as the systems make it.
  void Truncate() override { content_.resize(position_, '\0'); }

 private:
  std::string& content_;
  std::string path_;
  bool readable_;
  std::size_t piece_;
  bool no_memory_;
  std::size_t position_ = 0;
};

std::string Upper(const std::string& text) {
  return edihal::AnsiUpperCase(text);
}

// * and ? as Windows reads them, case ignored.
bool Matches(const std::string& pattern, const std::string& name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (Matches(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
         Matches(pattern.substr(1), name.substr(1));
}

}  // namespace

std::unique_ptr<edihal::FileHandle> FakePlatform::OpenFile(const std::string& path,
                                                           edihal::FileAccess access) const {
  const bool reading = access == edihal::FileAccess::kRead;
  if (unreadable.count(path) != 0) {
    edihal::ThrowFileError(edihal::texts::kCannotOpenFile, path, FileFailure::kAccessDenied, 5);
  }
  if (folders.count(path) != 0) {
    edihal::ThrowFileError(edihal::texts::kCannotOpenFile, path, FileFailure::kIsFolder, 5);
  }
  auto found = files.find(path);
  if (found == files.end()) {
    if (reading) {
      edihal::ThrowFileError(edihal::texts::kCannotOpenFile, path, FileFailure::kNotFound, 2);
    }
    found = files.emplace(path, std::string()).first;
  }
  return std::make_unique<MemoryFile>(found->second, path, reading, read_piece,
                                      out_of_memory.count(path) != 0);
}

bool FakePlatform::FileExists(const std::string& path) const {
  return files.count(path) != 0;
}

bool FakePlatform::ForceDirectories(const std::string& folder) const {
  if (folder.empty()) throw edihal::EInOutError(edihal::texts::kEmptyFolderName);
  folders.insert(folder);
  return true;
}

std::vector<std::string> FakePlatform::FindFiles(const std::string& mask) const {
  const std::size_t cut = mask.rfind('\\');
  const std::string folder = cut == std::string::npos ? "" : mask.substr(0, cut + 1);
  const std::string pattern = Upper(mask.substr(cut == std::string::npos ? 0 : cut + 1));
  std::vector<std::string> names;
  for (const auto& file : files) {
    const std::string& path = file.first;
    if (path.compare(0, folder.size(), folder) != 0) continue;
    const std::string name = path.substr(folder.size());
    if (name.find('\\') != std::string::npos) continue;
    if (Matches(pattern, Upper(name))) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return Upper(a) != Upper(b) ? Upper(a) < Upper(b) : a < b;
  });
  return names;
}

edihal::DialogAnswer FakePlatform::ShowAssortmentDialog(const std::string& product,
                                                        const std::vector<std::string>& entries,
                                                        int initial) const {
  dialog_calls.push_back({product, entries, initial});
  if (dialog_answers.empty()) return {false, initial};
  const edihal::DialogAnswer answer = dialog_answers.front();
  dialog_answers.pop_front();
  return answer;
}

}  // namespace testing_support
