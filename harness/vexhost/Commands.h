#ifndef VEXHOST_COMMANDS_H
#define VEXHOST_COMMANDS_H

#include <string>
#include <vector>

#include "Console.h"
#include "LoadedModule.h"
#include "Parameters.h"

namespace vexhost {

// Exit statuses: the worker export returned 1, it returned 0, or vexhost
// could not run it (usage, module).
enum ExitStatus { kDone = 0, kFailed = 1, kUsage = 2 };

struct CommandContext {
  const hostkit::ModuleApi* module;  // null for a command that loads none
  const hostkit::ModuleApi& Api() const { return *module; }
  const ParameterAnswers& answers;
  Console& console;
  bool trace;
  bool quiet;  // do not print the written file
};

struct Command {
  const char* name;
  const char* usage;    // arguments, for the usage line
  const char* summary;  // one line of help
  int min_args;
  int max_args;
  bool loads_module;
  int (*run)(CommandContext& context, const std::vector<std::string>& args);
};

const std::vector<Command>& Commands();

}  // namespace vexhost

#endif  // VEXHOST_COMMANDS_H
