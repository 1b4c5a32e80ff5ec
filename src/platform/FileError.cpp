#include "platform/FileError.h"

#include "base/Exception.h"
#include "base/Texts.h"

namespace edihal {

namespace {

std::string Reason(FileFailure failure, long system_code) {
  switch (failure) {
    case FileFailure::kNotFound:
      return texts::kReasonNotFound;
    case FileFailure::kAccessDenied:
      return texts::kReasonAccessDenied;
    case FileFailure::kIsFolder:
      return texts::kReasonIsFolder;
    case FileFailure::kInUse:
      return texts::kReasonInUse;
    case FileFailure::kDiskFull:
      return texts::kReasonDiskFull;
    case FileFailure::kBadName:
      return texts::kReasonBadName;
    case FileFailure::kOther:
      break;
  }
  return texts::kReasonSystemError + std::to_string(system_code);
}

}  // namespace

void ThrowFileError(const char* action, const std::string& path, FileFailure failure,
                    long system_code) {
  throw EInOutError(action + path + ": " + Reason(failure, system_code));
}

}  // namespace edihal
