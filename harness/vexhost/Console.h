// What vexhost shows.  The module's texts are Windows-1250; on a UTF-8
// terminal (or a Windows console) they are converted for display.  Anything
// written to a file or a pipe keeps its bytes.
#ifndef VEXHOST_CONSOLE_H
#define VEXHOST_CONSOLE_H

#include <cstdio>
#include <string>

namespace vexhost {

class Console {
 public:
  Console();
  // A module text (Windows-1250), converted when the stream is a terminal.
  void Out(const std::string& text) { Write(stdout, out_converts_, text); }
  void Err(const std::string& text) { Write(stderr, err_converts_, text); }
  bool ErrIsTerminal() const { return err_is_terminal_; }

  // Progress, as the module reports it while it builds a list.
  void ProgressTitle(const std::string& title);
  void ProgressText(const std::string& text);
  void ProgressPercent(int percent);
  // Ends a progress line left open by ProgressPercent.
  void EndProgress();
  // Ends it after the work ended well, the bar drawn full.
  void FinishProgress();

 private:
  void Write(std::FILE* stream, bool convert, const std::string& text);
  void DrawBar();

  bool out_converts_ = false;
  bool err_converts_ = false;
  bool err_is_terminal_ = false;
  bool bar_open_ = false;
  int percent_ = 0;
  std::string status_;
};

}  // namespace vexhost

#endif  // VEXHOST_CONSOLE_H
