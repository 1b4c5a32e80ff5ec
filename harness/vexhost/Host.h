// vexhost's side of the plug-in contract: the host of hostkit, given
// vexhost's answers and showing what the module reports.
#ifndef VEXHOST_HOST_H
#define VEXHOST_HOST_H

#include <string>

#include "Commands.h"
#include "Console.h"
#include "HostSide.h"

namespace vexhost {

class Host final : public hostkit::Host {
 public:
  // The host of a command: its module, answers, console and tracing.
  explicit Host(const CommandContext& context);
  ~Host() override;

  // A fresh call context for the next worker export.
  EdiHalHostValue NextContext() { return ++context_; }

 private:
  void Heard(const hostkit::Callback& callback, const void* first_argument) override;
  void Trace(const std::string& line);

  Console& console_;
  bool trace_;
  EdiHalHostValue context_ = 0;
};

}  // namespace vexhost

#endif  // VEXHOST_HOST_H
