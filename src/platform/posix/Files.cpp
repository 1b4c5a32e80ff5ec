// Files and folders on POSIX.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/Exception.h"
#include "base/Texts.h"
#include "platform/FileError.h"
#include "platform/OsPlatform.h"
#include "platform/posix/FileNames.h"

namespace edihal {

namespace {

FileFailure FailureOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FileFailure::kNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileFailure::kAccessDenied;
    case EISDIR:
      return FileFailure::kIsFolder;
    case EBUSY:
    case ETXTBSY:
      return FileFailure::kInUse;
    case ENOSPC:
    case EDQUOT:
      return FileFailure::kDiskFull;
    case ENAMETOOLONG:
    case EINVAL:
      return FileFailure::kBadName;
    default:
      return FileFailure::kOther;
  }
}

[[noreturn]] void Fail(const char* action, const std::string& path, int error) {
  ThrowFileError(action, path, FailureOf(error), error);
}

class PosixFile final : public FileHandle {
 public:
  PosixFile(int descriptor, std::string path) : fd_(descriptor), path_(std::move(path)) {}
  ~PosixFile() override { ::close(fd_); }

  std::size_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) Fail(texts::kCannotReadFile, path_, errno);
    }
  }

  void Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t put = ::write(fd_, data, size);
      if (put < 0) {
        if (errno == EINTR) continue;
        Fail(texts::kCannotWriteFile, path_, errno);
      }
      data += put;
      size -= static_cast<std::size_t>(put);
    }
  }

  void Seek(std::uint64_t position) override {
    if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) {
      Fail(texts::kCannotReadFile, path_, errno);
    }
  }

  void Truncate() override {
    const off_t here = ::lseek(fd_, 0, SEEK_CUR);
    if (here < 0) Fail(texts::kCannotWriteFile, path_, errno);
    // A file that already ends here is left as it is: ext4 takes any
    // truncation to zero for a file being replaced and makes its close
    // wait until the new data is on its way to the disk, which a document
    // written into a new file has no need of.
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_size == here) return;
    if (::ftruncate(fd_, here) != 0) Fail(texts::kCannotWriteFile, path_, errno);
  }

 private:
  int fd_;
  std::string path_;
};

bool IsFolder(const std::string& native) {
  struct stat info {};
  return ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::unique_ptr<FileHandle> OsPlatform::OpenFile(const std::string& path, FileAccess access) const {
  const std::string native = NativePath(path);
  const int flags = access == FileAccess::kRead ? O_RDONLY : (O_WRONLY | O_CREAT);
  int fd;
  do {
    fd = ::open(native.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) Fail(texts::kCannotOpenFile, path, errno);
  // Opening a folder for reading succeeds on POSIX; refuse it here, as
  // Windows does, rather than on the first read.
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    Fail(texts::kCannotOpenFile, path, EISDIR);
  }
  return std::make_unique<PosixFile>(fd, path);
}

bool OsPlatform::FileExists(const std::string& path) const {
  struct stat info {};
  return !path.empty() && ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool OsPlatform::ForceDirectories(const std::string& folder) const {
  if (folder.empty()) throw EInOutError(texts::kEmptyFolderName);
  std::string native = NativePath(folder);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  if (IsFolder(native)) return true;
  const std::size_t slash = native.rfind('/');
  if (slash != std::string::npos && slash > 0 && !IsFolder(native.substr(0, slash)) &&
      !ForceDirectories(folder.substr(0, slash))) {
    return false;
  }
  return ::mkdir(native.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(native));
}

std::string OsPlatform::FullPath(const std::string& name) const {
  if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return name;
  char here[PATH_MAX];
  if (::getcwd(here, sizeof here) == nullptr) return name;
  return HostPath(here) + "/" + name;
}

}  // namespace edihal
