// The exception guard around every worker: no exception ever leaves a
// worker export.  A silent abort is swallowed, a module error is reported
// with its own message, anything else as "unknown exception"; each report
// goes to the host's error callback.
#ifndef EDIHAL_PLUGIN_WORKERGUARD_H
#define EDIHAL_PLUGIN_WORKERGUARD_H

#include <string>

#include "plugin/TVEXBibliotekaEDI.h"
#include "rtl/Exception.h"
#include "text/Texts.h"

namespace edihal {

// Reports `message` through the library's error callback.  A callback that
// throws in turn cannot be reported anywhere, so its exception ends here.
inline void ReportFailure(const TVEXBibliotekaEDI& library, const std::string& message) noexcept {
  try {
    library.ReportError(message);
  } catch (...) {
  }
}

// Runs `work` and returns true when it ended normally, false after an
// exception, which has then been reported as the host expects.
template <typename Work>
bool RunGuarded(const TVEXBibliotekaEDI& library, Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (const EAbort&) {
  } catch (const Exception& error) {
    ReportFailure(library, error.Message());
  } catch (...) {
    ReportFailure(library, texts::kUnknownException);
  }
  return false;
}

}  // namespace edihal

#endif  // EDIHAL_PLUGIN_WORKERGUARD_H
