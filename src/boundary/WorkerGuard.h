// The exception guard around every worker: no exception ever leaves a
// worker export.  A silent abort is swallowed, a module error is reported
// with its own message, anything else as "unknown exception"; each report
// goes to the host's error callback.  A structured exception that the host
// raised in a callback (Windows) is the host's own: once the worker has
// unwound, it is raised again for the host to catch, and not reported.
#ifndef EDIHAL_BOUNDARY_WORKERGUARD_H
#define EDIHAL_BOUNDARY_WORKERGUARD_H

#include <new>
#include <string>

#include "base/Exception.h"
#include "base/Texts.h"
#include "host/LibraryObject.h"
#include "platform/Platform.h"

namespace edihal {

// A structured exception from a host callback, kept until it can be
// raised again.
struct PendingHostFault {
  bool pending = false;
  StructuredException exception;
};

// Reports `message` through the library's error callback.  A callback that
// throws in turn cannot be reported anywhere, so its exception ends here;
// a structured exception it raises is kept in `fault`.
inline void ReportFailure(const TVEXBibliotekaEDI& library, const std::string& message,
                          PendingHostFault& fault) noexcept {
  try {
    library.ReportError(message);
  } catch (const HostCallbackFault& raised) {
    fault = {true, raised.exception};
  } catch (...) {
  }
}

// Runs `work` and returns true when it ended normally, false after an
// exception, which has then been reported as the host expects.  A host's
// structured exception is only kept in `fault`: the caller raises it again
// once it has put the host's own state back, when nothing of the worker is
// left.
template <typename Work>
bool RunGuardedKeepingFault(const TVEXBibliotekaEDI& library, Work&& work,
                            PendingHostFault& fault) noexcept {
  try {
    work();
    return true;
  } catch (const HostCallbackFault& raised) {
    fault = {true, raised.exception};
  } catch (const EAbort&) {
  } catch (const Exception& error) {
    ReportFailure(library, error.Message(), fault);
  } catch (const std::bad_alloc&) {
    // Allocations that a worker makes while it reads a file say which file;
    // this is for any other.
    ReportFailure(library, texts::kOutOfMemory, fault);
  } catch (...) {
    ReportFailure(library, texts::kUnknownException, fault);
  }
  return false;
}

}  // namespace edihal

#endif  // EDIHAL_BOUNDARY_WORKERGUARD_H
