// The assortment dialog on POSIX: a conversation on the process's terminal
// (/dev/tty), whatever its standard streams are.  Without a terminal nobody
// can answer, and the dialog counts as closed without a choice.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/OsPlatform.h"
#include "platform/posix/TerminalDialog.h"

namespace edihal {

namespace {

class Terminal {
 public:
  Terminal() {
    do {
      fd_ = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
  }
  ~Terminal() {
    if (fd_ >= 0) ::close(fd_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

  // Reads up to the line end, a byte at a time, so that nothing typed after
  // it is taken from the terminal.
  bool ReadLine(std::string& line) {
    line.clear();
    for (;;) {
      char byte;
      const ssize_t got = ::read(fd_, &byte, 1);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return !line.empty();
      if (byte == '\n') return true;
      line += byte;
    }
  }

  void Write(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t put = ::write(fd_, text.data() + done, text.size() - done);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return;
      done += static_cast<std::size_t>(put);
    }
  }

 private:
  int fd_ = -1;
};

}  // namespace

DialogAnswer OsPlatform::ShowAssortmentDialog(const std::string& product,
                                              const std::vector<std::string>& entries,
                                              int initial) const {
  Terminal terminal;
  if (!terminal.IsOpen()) return DialogAnswer{false, -1};
  const TerminalIo io{[&terminal](std::string& line) { return terminal.ReadLine(line); },
                      [&terminal](const std::string& text) { terminal.Write(text); }};
  return RunTerminalDialog(product, entries, initial, io);
}

}  // namespace edihal
