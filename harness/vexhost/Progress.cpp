// Progress as a live bar on a terminal; plain lines (title and status only)
// elsewhere, so that a log does not get a hundred percent lines.
#include "Console.h"

namespace vexhost {

namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kStatusWidth = 40;

}  // namespace

void Console::ProgressTitle(const std::string& title) {
  EndProgress();
  Err(title + "\n");
}

void Console::ProgressText(const std::string& text) {
  status_ = text;
  if (!err_is_terminal_) {
    if (!text.empty()) Err("  " + text + "\n");
    return;
  }
  if (bar_open_) {
    DrawBar();
  } else if (!text.empty()) {
    Err("  " + text + "\n");
  }
}

void Console::ProgressPercent(int percent) {
  // A large folder reports thousands of files but at most a hundred
  // different percentages: draw only what changes the bar.
  const bool changed = !bar_open_ || percent != percent_;
  percent_ = percent;
  if (!err_is_terminal_ || !changed) return;
  bar_open_ = true;
  DrawBar();
}

void Console::FinishProgress() {
  if (!bar_open_) return;
  // The module never reports 100: the last file is reported before it is
  // read.  The call has ended well, so the bar is shown full.
  percent_ = 100;
  DrawBar();
  EndProgress();
}

void Console::DrawBar() {
  const int clamped = percent_ < 0 ? 0 : (percent_ > 100 ? 100 : percent_);
  const int filled = clamped * kBarWidth / 100;
  std::string bar = "\r  [" + std::string(static_cast<std::size_t>(filled), '#') +
                    std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
  const std::string number = std::to_string(clamped);
  bar += std::string(3 - number.size(), ' ') + number + "% " + status_;
  // Spaces rub out a longer status drawn before (no terminal escapes, so
  // that a Windows console shows the same).
  if (status_.size() < kStatusWidth) bar += std::string(kStatusWidth - status_.size(), ' ');
  Err(bar);
}

void Console::EndProgress() {
  if (!bar_open_) return;
  bar_open_ = false;
  Err("\n");
}

}  // namespace vexhost
