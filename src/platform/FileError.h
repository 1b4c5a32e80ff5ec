// Builds the Polish messages of file and folder errors, the same on every
// platform: what failed, the host's path, and why.
#ifndef EDIHAL_PLATFORM_FILEERROR_H
#define EDIHAL_PLATFORM_FILEERROR_H

#include <string>

namespace edihal {

// kOther last: the others index the reasons of FileError.cpp.
enum class FileFailure { kNotFound, kAccessDenied, kIsFolder, kInUse, kDiskFull, kBadName, kOther };

// `action` is one of the texts::kCannot... prefixes; `system_code` is shown
// only for kOther.
[[noreturn]] void ThrowFileError(const char* action, const std::string& path, FileFailure failure,
                                 long system_code);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_FILEERROR_H
