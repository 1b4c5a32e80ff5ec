// The assortment dialog as a conversation on a text terminal: the product
// name, the numbered assortments with the preselected one marked, and one
// line of answer.  Enter accepts the marked entry, a number accepts that
// entry, q or the end of input closes without a choice; anything else asks
// again.
//
// The conversation itself knows nothing of terminals: it reads lines and
// writes text through the two functions given, so that it can run on any
// pair of streams.  Texts are written as UTF-8.
#ifndef EDIHAL_PLATFORM_POSIX_TERMINALDIALOG_H
#define EDIHAL_PLATFORM_POSIX_TERMINALDIALOG_H

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

struct TerminalIo {
  // The next line without its line end; false at the end of input.
  std::function<bool(std::string& line)> read_line;
  std::function<void(const std::string& text)> write;
};

// `product` and `entries` are Windows-1250.
DialogAnswer RunTerminalDialog(const std::string& product, const std::vector<std::string>& entries,
                               int initial, const TerminalIo& io);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_POSIX_TERMINALDIALOG_H
