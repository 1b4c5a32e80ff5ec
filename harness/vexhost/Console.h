// What vexhost shows.  The module's texts are Windows-1250; what vexhost
// prints of them is shown in the character set of its output: on POSIX the
// locale's codeset (UTF-8 also when no locale is set), whether the output is
// a terminal, a pipe or a file; on Windows a console gets wide text and a
// file or pipe the bytes of the ANSI code page.  Raw output keeps the
// bytes.  The files the module writes are never touched.
#ifndef VEXHOST_CONSOLE_H
#define VEXHOST_CONSOLE_H

#include <cstdio>
#include <string>

namespace vexhost {

class Console {
 public:
  explicit Console(bool raw = false);
  // A module text (Windows-1250), converted when the stream is a terminal.
  void Out(const std::string& text) { Write(stdout, out_converts_, text); }
  void Err(const std::string& text) { Write(stderr, err_converts_, text); }

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
  std::string codeset_;  // what conversion turns the text into (POSIX)
  bool err_is_terminal_ = false;
  bool bar_open_ = false;
  int percent_ = 0;
  std::string status_;
};

// A text the user typed (an argument, a --set or --config value) as the
// host hands texts to the module: in Windows-1250.  What Windows-1250
// cannot show becomes "?".
std::string ToModuleText(const std::string& typed);

}  // namespace vexhost

#endif  // VEXHOST_CONSOLE_H
