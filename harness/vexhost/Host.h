// vexhost's side of the plug-in contract: the host of hostkit, answering
// parameters from vexhost's settings and showing what the module reports.
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
  bool ReportedError() const { return reported_error_; }

 private:
  void Heard(const hostkit::Callback& callback, const void* first_argument) override;
  void AnswerParameter(const std::string& name, char* answer) override;
  void Trace(const std::string& line);

  const ParameterAnswers& answers_;
  Console& console_;
  bool trace_;
  bool reported_error_ = false;
  EdiHalHostValue context_ = 0;
};

}  // namespace vexhost

#endif  // VEXHOST_HOST_H
