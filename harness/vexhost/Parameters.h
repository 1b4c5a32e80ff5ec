// Where vexhost's answers to the module's parameter questions come from:
// --set options first, then the --config file, then the default the module
// declares for the name.  Names are matched ignoring ASCII case.
#ifndef VEXHOST_PARAMETERS_H
#define VEXHOST_PARAMETERS_H

#include <map>
#include <string>

#include "HostSide.h"
#include "LoadedModule.h"

namespace vexhost {

// Filled from the weakest source to the strongest: a later one replaces an
// earlier answer to the same name.
class ParameterAnswers {
 public:
  // The defaults the module declares through VEXDLLParametr.
  void LoadModuleDefaults(const hostkit::ModuleApi& api);
  // Reads NAME=VALUE lines; blank lines and lines starting with # are
  // skipped.  False when the file cannot be read (`error` says why).
  bool LoadConfig(const std::string& path, std::string& error);
  // NAME=VALUE from the command line.  False when there is no "=".
  bool AddSetting(const std::string& assignment);

  // The answer for `name`; false when nobody knows the name.
  bool Find(const std::string& name, std::string& value) const;
  // Gives `host` every answer.
  void GiveTo(hostkit::Host& host) const;

 private:
  static std::string Key(const std::string& name);
  std::map<std::string, std::string> answers_;  // by Key
};

}  // namespace vexhost

#endif  // VEXHOST_PARAMETERS_H
