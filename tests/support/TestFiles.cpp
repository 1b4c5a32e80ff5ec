#include "TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#include <unistd.h>
#endif

namespace testing_support {

namespace fs = std::filesystem;

#if defined(_WIN32)

// Paths in tests are in the ANSI code page (1250 in the tests' locale), as
// the host gives them to the module.
fs::path PathOf(const std::string& path) {
  if (path.empty()) return fs::path();
  const int size = static_cast<int>(path.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), size, &wide[0], size));
  return fs::path(wide);
}

namespace {

std::string TextOf(const fs::path& path) {
  const std::wstring& wide = path.native();
  const int size = static_cast<int>(wide.size());
  std::string text(wide.size() * 2, '\0');
  text.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &text[0],
                                  static_cast<int>(text.size()), nullptr, nullptr));
  return text;
}

std::string FolderPrefix() {
  return "edihal-" + std::to_string(GetCurrentProcessId()) + "-";
}

#else

namespace {

// Paths in tests are Windows-1250, as the host gives them to the module;
// the file system names files in UTF-8 (the module converts the same way).
std::string Convert(const std::string& text, const char* to, const char* from) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 4 + 4, '\0');
  char* in_at = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_at = &out[0];
  std::size_t out_left = out.size();
  while (in_left > 0 &&
         iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) {
    if (errno == E2BIG) break;
    *out_at++ = '?', --out_left, ++in_at, --in_left;
  }
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

fs::path PathOf(const std::string& path) {
  return fs::path(Convert(path, "UTF-8", "CP1250"));
}

namespace {

std::string TextOf(const fs::path& path) {
  return Convert(path.native(), "CP1250", "UTF-8");
}

std::string FolderPrefix() {
  return "edihal-" + std::to_string(getpid()) + "-";
}

#endif

// Read-only files (some tests make them) must be writable to go.
void MakeWritable(const fs::path& path) {
  std::error_code ignored;
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ignored);
}

}  // namespace

#if defined(_WIN32)
std::string SourcePath(const std::string& relative) {
  std::string path = std::string("Z:") + EDIHAL_SOURCE_DIR + "/" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}
#else
std::string SourcePath(const std::string& relative) {
  return std::string(EDIHAL_SOURCE_DIR) + "/" + relative;
}
#endif

TempFolder::TempFolder() {
  const fs::path base = fs::temp_directory_path();
  for (unsigned counter = 1;; ++counter) {
    const fs::path candidate = base / (FolderPrefix() + std::to_string(counter));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = TextOf(candidate);
      return;
    }
    if (error) throw std::runtime_error("no temporary folder");
  }
}

TempFolder::~TempFolder() {
  RemoveTree(path_);
}

bool FileExists(const std::string& path) {
  std::error_code ignored;
  return fs::is_regular_file(PathOf(path), ignored);
}

bool FolderExists(const std::string& path) {
  std::error_code ignored;
  return fs::is_directory(PathOf(path), ignored);
}

void MakeFolder(const std::string& path) {
  std::error_code ignored;
  fs::create_directory(PathOf(path), ignored);
}

void RemoveFile(const std::string& path) {
  MakeWritable(PathOf(path));
  std::error_code ignored;
  fs::remove(PathOf(path), ignored);
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  for (fs::recursive_directory_iterator entry(PathOf(path), ignored), end; !ignored && entry != end;
       entry.increment(ignored)) {
    MakeWritable(entry->path());
  }
  fs::remove_all(PathOf(path), ignored);
}

void CopyFolder(const std::string& from, const std::string& to) {
  std::error_code ignored;
  fs::copy(PathOf(from), PathOf(to),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing, ignored);
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (fs::directory_iterator entry(PathOf(path), ignored), end; !ignored && entry != end;
       entry.increment(ignored)) {
    names.push_back(TextOf(entry->path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolder::CurrentFolder(const std::string& folder) : previous_(TextOf(fs::current_path())) {
  fs::current_path(PathOf(folder));
}

CurrentFolder::~CurrentFolder() {
  std::error_code ignored;
  fs::current_path(PathOf(previous_), ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(PathOf(path), std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot write " + path);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(PathOf(path), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

}  // namespace testing_support
