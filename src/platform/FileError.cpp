#include "platform/FileError.h"

#include "base/Exception.h"
#include "base/Texts.h"

namespace edihal {

namespace {

// The reason of each failure but kOther, in the order of FileFailure.
constexpr const char* kReasons[] = {texts::kReasonNotFound, texts::kReasonAccessDenied,
                                    texts::kReasonIsFolder, texts::kReasonInUse,
                                    texts::kReasonDiskFull, texts::kReasonBadName};

std::string Reason(FileFailure failure, long system_code) {
  if (failure == FileFailure::kOther)
    return texts::kReasonSystemError + std::to_string(system_code);
  return kReasons[static_cast<int>(failure)];
}

}  // namespace

void ThrowFileError(const char* action, const std::string& path, FileFailure failure,
                    long system_code) {
  throw EInOutError(action + path + ": " + Reason(failure, system_code));
}

}  // namespace edihal
