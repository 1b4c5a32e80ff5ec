// A host written in another language fails in a callback (or a window
// procedure of its own) by raising a structured exception, and catches it
// in a frame of its own around the export it called.  This is that frame,
// and the exceptions such a host raises.  Windows only.
#ifndef EDIHAL_TESTS_SUPPORT_HOSTCATCH_H
#define EDIHAL_TESTS_SUPPORT_HOSTCATCH_H

#include <windows.h>

#include <functional>

namespace testing_support {

// Its runtime's own exception (code 0x0EEDFADE, not continuable, seven
// arguments: the address, the exception object, then registers; a silent
// abort is the same code with an abort object), and an application's code
// of its own.
struct HostRaise {
  const char* what;
  DWORD code;
  DWORD flags;
  DWORD count;
  ULONG_PTR arguments[7];
};
extern const HostRaise kHostRaises[3];
// The one RaiseAsHost raises.
extern const HostRaise* raising;
void RaiseAsHost();

// What the host's frame caught.
struct Caught {
  bool raised = false;
  DWORD code = 0;
  DWORD flags = 0;
  DWORD count = 0;
  ULONG_PTR arguments[EXCEPTION_MAXIMUM_PARAMETERS] = {};
};

// Runs `body` inside the host's frame; what it caught.
Caught RunCatching(const std::function<void()>& body);

// Fails the running test unless `caught` is what RaiseAsHost raised.
void ExpectCaughtAsRaised(const Caught& caught);

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_HOSTCATCH_H
