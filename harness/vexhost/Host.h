// vexhost's side of the plug-in contract: one library object with every
// callback registered, answering parameters and showing what the module
// reports.
#ifndef VEXHOST_HOST_H
#define VEXHOST_HOST_H

#include "Console.h"
#include "LoadedModule.h"
#include "Parameters.h"

namespace vexhost {

class Host {
 public:
  Host(const hostkit::ModuleApi& api, const ParameterAnswers& answers, Console& console,
       bool trace);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The registered library object; null when the module could not make one.
  EdiHalLibrary Library() const { return library_; }
  // A fresh call context for the next worker export.
  EdiHalHostValue NextContext() { return ++context_; }
  bool ReportedError() const { return reported_error_; }

  // Called by the callbacks.
  void OnProgressTitle(const char* text);
  void OnProgressText(const char* text);
  void OnProgressPercent(int32_t percent);
  void OnParameter(const char* name, char* answer);
  void OnError(const char* text);
  void OnMessage(const char* text);

 private:
  void Trace(const std::string& line);

  const hostkit::ModuleApi& api_;
  const ParameterAnswers& answers_;
  Console& console_;
  bool trace_;
  bool reported_error_ = false;
  EdiHalLibrary library_ = nullptr;
  EdiHalHostValue context_ = 0;
};

}  // namespace vexhost

#endif  // VEXHOST_HOST_H
