#include "TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testing_support {

#if defined(_WIN32)

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

}  // namespace

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    const std::wstring candidate = std::wstring(base) + L"edihal-" +
                                   std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(++counter);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      char narrow[MAX_PATH * 2];
      const int length = WideCharToMultiByte(CP_ACP, 0, candidate.c_str(), -1, narrow,
                                             sizeof narrow, nullptr, nullptr);
      path_.assign(narrow, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no temporary folder");
  }
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolder(const std::string& path) {
  CreateDirectoryW(Wide(path).c_str(), nullptr);
}

void RemoveFile(const std::string& path) {
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(Wide(path).c_str());
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAW found;
  const std::wstring folder = Wide(path);
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = folder + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        char narrow[MAX_PATH * 2];
        const int length = WideCharToMultiByte(CP_ACP, 0, child.c_str(), -1, narrow, sizeof narrow,
                                               nullptr, nullptr);
        RemoveTree(std::string(narrow, length > 0 ? static_cast<std::size_t>(length - 1) : 0));
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolder::CurrentFolder(const std::string& folder) {
  char previous[MAX_PATH * 2] = "";
  GetCurrentDirectoryA(sizeof previous, previous);
  previous_ = previous;
  SetCurrentDirectoryA(folder.c_str());
}

CurrentFolder::~CurrentFolder() {
  SetCurrentDirectoryA(previous_.c_str());
}

std::string SourcePath(const std::string& relative) {
  std::string path = std::string("Z:") + EDIHAL_SOURCE_DIR + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

#else

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base ? base : "/tmp") + "/edihal-XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("no temporary folder");
  path_ = pattern;
}

// Paths in tests are Windows-1250, as the host hands them to the module;
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

std::string Native(const std::string& path) {
  return Convert(path, "UTF-8", "CP1250");
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(Native(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return stat(Native(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void MakeFolder(const std::string& path) {
  mkdir(Native(path).c_str(), 0777);
}

void RemoveFile(const std::string& path) {
  unlink(Native(path).c_str());
}

namespace {

void RemoveNativeTree(const std::string& path) {
  if (DIR* folder = opendir(path.c_str())) {
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string child = path + "/" + name;
      struct stat info {};
      if (lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        RemoveNativeTree(child);
      } else {
        unlink(child.c_str());
      }
    }
    closedir(folder);
  }
  rmdir(path.c_str());
}

}  // namespace

void RemoveTree(const std::string& path) {
  RemoveNativeTree(Native(path));
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* folder = opendir(Native(path).c_str())) {
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(Convert(name, "CP1250", "UTF-8"));
    }
    closedir(folder);
  }
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolder::CurrentFolder(const std::string& folder) {
  if (char* previous = getcwd(nullptr, 0)) {
    previous_ = previous;
    std::free(previous);
  }
  if (chdir(Native(folder).c_str()) != 0) throw std::runtime_error("cannot enter " + folder);
}

CurrentFolder::~CurrentFolder() {
  if (chdir(previous_.c_str()) != 0) std::perror("chdir");
}

std::string SourcePath(const std::string& relative) {
  return std::string(EDIHAL_SOURCE_DIR) + "/" + relative;
}

#endif

TempFolder::~TempFolder() {
  RemoveTree(path_);
}

#if defined(_WIN32)
std::string Native(const std::string& path) {
  return path;
}
#endif

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(Native(path), std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot write " + path);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(Native(path), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

}  // namespace testing_support
