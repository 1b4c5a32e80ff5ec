// The only door from the module to the operating system.  Two
// implementations stand behind it, chosen by the build: platform/win32 and
// platform/posix.  Nothing outside platform/ includes a system header.
//
// Paths are the host's: Windows-1250 text with backslashes.  The POSIX
// implementation turns backslashes into slashes only where it touches the
// file system, so every path the module writes or compares stays as the host
// gave it.
//
// `Platform` is an interface for what depends on the machine and the moment
// (files, registry, locale, clock, the dialog): workers receive it as an
// argument, so that tests can hand them a fake.  The system's ANSI code page
// (charsets/AnsiCodePage.h) is defined here too, by each system.
#ifndef EDIHAL_PLATFORM_PLATFORM_H
#define EDIHAL_PLATFORM_PLATFORM_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace edihal {

struct CalendarDate {
  int year;
  int month;  // 1 to 12
  int day;    // 1 to 31
};

// One open file, read or written sequentially.  Every failure raises
// EInOutError with a Polish message naming the path and the reason.  The
// destructor closes the file and never throws.
class FileHandle {
 public:
  virtual ~FileHandle() = default;
  // Reads up to `size` bytes; 0 only at the end of the file.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // Writes all `size` bytes.
  virtual void Write(const char* data, std::size_t size) = 0;
  // Moves to `position` bytes from the start.
  virtual void Seek(std::uint64_t position) = 0;
  // Ends the file at the current position.
  virtual void Truncate() = 0;
};

enum class FileAccess {
  kRead,   // an existing file, for reading only
  kWrite,  // created when missing, never truncated on opening
};

// What the assortment dialog returns: whether the user accepted, and the
// index selected in its list then (-1 when nothing was selected).
struct DialogAnswer {
  bool accepted;
  int selected;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Registry -----------------------------------------------------------
  // The host's installation folder, value "Binaria" of
  // HKEY_LOCAL_MACHINE\SOFTWARE\TORVAL\VEXWin\Instalacja when it is a plain
  // string (REG_SZ), untrimmed; empty when there is none or on any error.
  virtual std::string InstallFolderValue() const = 0;

  // --- File system --------------------------------------------------------
  virtual std::unique_ptr<FileHandle> OpenFile(const std::string& path,
                                               FileAccess access) const = 0;
  // True when `path` names an existing file (not a folder).
  virtual bool FileExists(const std::string& path) const = 0;
  // Creates `folder` with all its missing parents; false when that fails.
  // An empty name raises EInOutError.
  virtual bool ForceDirectories(const std::string& folder) const = 0;
  // Names (without folder) of the files matching the wildcard `mask`
  // (folder, backslash, pattern with * and ?; case ignored).  Only ordinary,
  // read-only and archive files: no folders, hidden or system files.  In
  // the order the file system lists them (case-insensitive name order).
  virtual std::vector<std::string> FindFiles(const std::string& mask) const = 0;
  // `name` made absolute against the current folder, for messages.
  virtual std::string FullPath(const std::string& name) const = 0;

  // --- Locale and clock ---------------------------------------------------
  // The first character of the user's decimal separator.
  virtual char DecimalSeparator() const = 0;
  virtual CalendarDate Today() const = 0;

  // --- Dialog -------------------------------------------------------------
  // Shows the modal assortment dialog: `product` above a list of `entries`
  // with entry `initial` selected (-1: none).
  virtual DialogAnswer ShowAssortmentDialog(const std::string& product,
                                            const std::vector<std::string>& entries,
                                            int initial) const = 0;
};

// --- Host callbacks -------------------------------------------------------
// A structured exception (Windows) that a host callback raised and did not
// handle itself: what it takes to raise it again.
struct StructuredException {
  std::uint32_t code = 0;
  std::uint32_t flags = 0;
  std::uint32_t argument_count = 0;  // at most 15
  std::uintptr_t arguments[15] = {};
};

// Thrown in place of a structured exception that left a host callback, so
// that the worker unwinds as after any error and closes what it opened.
// It is the host's failure, not the module's: the worker export's guard
// does not report it but raises the structured exception again once the
// worker is gone, for the host's own handler to catch.
class HostCallbackFault {
 public:
  explicit HostCallbackFault(const StructuredException& raised) : exception(raised) {}
  StructuredException exception;
};

// Calls `call(context)`.  On 32-bit Windows a structured exception that
// leaves it ends the call as HostCallbackFault; elsewhere a plain call.
void CallShielded(void (*call)(void*), void* context);

// Raises `exception` again as a structured exception; returns only if the
// host's handler continues it.  Only Windows ever has one to raise;
// elsewhere it ends the process.
void RaiseStructuredException(const StructuredException& exception);

// The platform of the running system.  Stateless, so one constant instance
// serves every call.
const Platform& SystemPlatform();

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_PLATFORM_H
