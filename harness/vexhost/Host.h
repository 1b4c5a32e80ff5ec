// vexhost's side of the plug-in contract: the host of hostkit, given
// vexhost's answers and showing what the module reports.
#ifndef VEXHOST_HOST_H
#define VEXHOST_HOST_H

#include <string>

#include "Console.h"
#include "HostSide.h"
#include "Parameters.h"

namespace vexhost {

class Host final : public hostkit::Host {
 public:
  Host(const hostkit::ModuleApi& api, const ParameterAnswers& answers, Console& console,
       bool trace);
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
