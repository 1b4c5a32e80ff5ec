#include "platform/posix/TerminalDialog.h"

#include <cstddef>

#include "base/Texts.h"
#include "charsets/AnsiCodePage.h"

namespace edihal {

namespace {

// Terminal-safe UTF-8: control bytes of the text, and the bytes that would
// become control characters, are shown as "?" instead of being sent to the
// terminal, where an invoice's text could otherwise move the cursor or
// change the terminal's settings.
std::string Printable(const std::string& cp1250) {
  std::string safe = cp1250;
  for (char& c : safe) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x83 || byte == 0x88 ||
        byte == 0x90 || byte == 0x98) {
      c = '?';
    }
  }
  return AnsiToUtf8(safe);
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The entry number typed, 1 to `count`, as an index; -1 for anything else.
int ChosenIndex(const std::string& answer, std::size_t count) {
  if (answer.empty() || answer.size() > 9 ||
      answer.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  const long number = std::stol(answer);
  return number >= 1 && static_cast<std::size_t>(number) <= count ? static_cast<int>(number - 1)
                                                                  : -1;
}

std::string Screen(const std::string& product, const std::vector<std::string>& entries,
                   int marked) {
  std::string screen = "\n" + Printable(texts::kDialogCaption) + "\n\n";
  screen += Printable(texts::kDialogProductLabel) + " " + Printable(product) + "\n\n";
  screen += Printable(texts::kDialogAssortmentLabel) + "\n";
  if (entries.empty()) screen += "      " + Printable(texts::kTerminalNoAssortments) + "\n";
  const std::size_t width = std::to_string(entries.size()).size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string number = std::to_string(i + 1);
    number.insert(0, width - number.size(), ' ');
    screen += (static_cast<int>(i) == marked ? "  > " : "    ") + number + "  " +
              Printable(entries[i]) + "\n";
  }
  return screen + "\n";
}

}  // namespace

DialogAnswer RunTerminalDialog(const std::string& product, const std::vector<std::string>& entries,
                               int initial, const TerminalIo& io) {
  io.write(Screen(product, entries, initial));
  for (;;) {
    io.write(Printable(texts::kTerminalPrompt));
    std::string line;
    if (!io.read_line(line)) {
      io.write("\n");
      return DialogAnswer{false, -1};
    }
    const std::string answer = Trimmed(line);
    if (answer.empty()) return DialogAnswer{true, initial};
    if (answer == "q" || answer == "Q") return DialogAnswer{false, -1};
    const int chosen = ChosenIndex(answer, entries.size());
    if (chosen >= 0) return DialogAnswer{true, chosen};
    io.write(Printable(texts::kTerminalNoSuchEntry) + "\n");
  }
}

}  // namespace edihal
