// The module's error classes.  Every failure travels as one of these to the
// guard of its worker export, which reports the message to the host.  A
// message is Windows-1250 text, as the host shows it.
#ifndef EDIHAL_BASE_EXCEPTION_H
#define EDIHAL_BASE_EXCEPTION_H

#include <string>
#include <utility>

namespace edihal {

// Base of every error that carries a message for the user.
class Exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  virtual ~Exception() = default;
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// Ends a worker silently: the export returns 0 and nothing is reported.
class EAbort : public Exception {
 public:
  EAbort() : Exception(std::string()) {}
};

// A text that should have been a number was not one.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file or folder could not be opened, read, written or created.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

// Memory ran out while the module was reading a file (named in the
// message).
class EOutOfMemory : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace edihal

#endif  // EDIHAL_BASE_EXCEPTION_H
