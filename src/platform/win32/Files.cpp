// Files and folders through the Win32 functions.
#include <windows.h>

#include "base/Exception.h"
#include "base/Texts.h"
#include "platform/FileError.h"
#include "platform/OsPlatform.h"
#include "platform/win32/WideText.h"

namespace edihal {

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileFailure FailureOf(DWORD error, const std::wstring& path) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileFailure::kNotFound;
    case ERROR_ACCESS_DENIED:
      // Windows answers "access denied" when a folder is opened as a file.
      return IsFolder(path) ? FileFailure::kIsFolder : FileFailure::kAccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileFailure::kInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFailure::kDiskFull;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return FileFailure::kBadName;
    default:
      return FileFailure::kOther;
  }
}

[[noreturn]] void Fail(const char* action, const std::string& path) {
  const DWORD error = GetLastError();
  ThrowFileError(action, path, FailureOf(error, Widen(path, kAnsiCodePage)),
                 static_cast<long>(error));
}

class Win32File final : public FileHandle {
 public:
  Win32File(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  ~Win32File() override { CloseHandle(handle_); }

  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!ReadFile(handle_, buffer, wanted, &got, nullptr)) Fail(texts::kCannotReadFile, path_);
    return got;
  }

  void Write(const char* data, std::size_t size) override {
    while (size > 0) {
      DWORD put = 0;
      const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      if (!WriteFile(handle_, data, chunk, &put, nullptr)) Fail(texts::kCannotWriteFile, path_);
      data += put;
      size -= put;
    }
  }

  void Seek(std::uint64_t position) override {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(position);
    if (!SetFilePointerEx(handle_, distance, nullptr, FILE_BEGIN)) {
      Fail(texts::kCannotReadFile, path_);
    }
  }

  void Truncate() override {
    if (!SetEndOfFile(handle_)) Fail(texts::kCannotWriteFile, path_);
  }

 private:
  HANDLE handle_;
  std::string path_;
};

}  // namespace

std::unique_ptr<FileHandle> OsPlatform::OpenFile(const std::string& path, FileAccess access) const {
  const bool reading = access == FileAccess::kRead;
  const HANDLE handle =
      CreateFileW(Widen(path, kAnsiCodePage).c_str(), reading ? GENERIC_READ : GENERIC_WRITE,
                  FILE_SHARE_READ, nullptr, reading ? OPEN_EXISTING : OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | (reading ? FILE_FLAG_SEQUENTIAL_SCAN : 0), nullptr);
  if (handle == INVALID_HANDLE_VALUE) Fail(texts::kCannotOpenFile, path);
  return std::make_unique<Win32File>(handle, path);
}

bool OsPlatform::FileExists(const std::string& path) const {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(Widen(path, kAnsiCodePage).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool OsPlatform::ForceDirectories(const std::string& folder) const {
  if (folder.empty()) throw EInOutError(texts::kEmptyFolderName);
  std::wstring wide = Widen(folder, kAnsiCodePage);
  while (wide.size() > 1 && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
  if (IsFolder(wide)) return true;
  const std::size_t cut = wide.find_last_of(L"\\/");
  // A drive root such as "C:" cannot be created and needs no parent.
  const bool has_parent = cut != std::wstring::npos && cut > 0 && wide[cut - 1] != L':';
  if (has_parent && !IsFolder(wide.substr(0, cut)) &&
      !ForceDirectories(Narrow(wide.substr(0, cut), kAnsiCodePage))) {
    return false;
  }
  return CreateDirectoryW(wide.c_str(), nullptr) || IsFolder(wide);
}

std::string OsPlatform::FullPath(const std::string& name) const {
  const std::wstring wide = Widen(name, kAnsiCodePage);
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return name;
  std::wstring full(length, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
  full.resize(written);
  return Narrow(full, kAnsiCodePage);
}

}  // namespace edihal
