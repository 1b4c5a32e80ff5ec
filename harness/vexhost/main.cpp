// vexhost: loads an EdiHal_X module the way the VEX host does and runs one
// of its calls, so that the module can be used and tested without the host.
#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "Console.h"
#include "FileVersion.h"
#include "LoadedModule.h"
#include "Parameters.h"

#ifndef VEXHOST_VERSION
#define VEXHOST_VERSION "0"
#endif

namespace {

using vexhost::Command;

struct Options {
  std::string module;
  std::string config;
  std::vector<std::string> settings;
  bool trace = false;
  bool quiet = false;
  bool raw = false;
  bool help = false;
  bool version = false;
  std::string command;
  std::vector<std::string> args;
};

void PrintUsage(std::FILE* stream) {
  std::fprintf(stream,
               "usage: vexhost [OPTIONS] COMMAND [ARGS]\n\n"
               "Loads the EdiHal_X module like the VEX host does and runs one command.\n\n"
               "commands:\n");
  for (const Command& command : vexhost::Commands()) {
    const std::string head = std::string(command.name) + " " + command.usage;
    std::fprintf(stream, "  %-28s %s\n", head.c_str(), command.summary);
  }
  std::fprintf(stream,
               "\noptions:\n"
               "  --module PATH      the module to load (default: the one beside vexhost)\n"
               "  --set NAME=VALUE   answer parameter NAME with VALUE (repeatable)\n"
               "  --config FILE      answer parameters from NAME=VALUE lines of FILE\n"
               "  --trace            show every callback the module makes\n"
               "  --quiet            do not show the file a command wrote\n"
               "  --raw              show the module's Windows-1250 bytes unconverted\n"
               "  --version          show the versions of vexhost and the module\n"
               "  --help             show this help, or a command's with COMMAND --help\n\n"
               "Parameters nobody sets get the defaults the module declares.  Exit status:\n"
               "0 when the module's call returned 1, 1 when it returned 0, 2 for a usage\n"
               "error or a module that cannot be loaded.\n");
}

void PrintCommandHelp(const Command& command) {
  std::printf("usage: vexhost [OPTIONS] %s %s\n\n%s\n", command.name, command.usage,
              command.summary);
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : vexhost::Commands()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

// Options may stand before or after the command.  False on a usage error.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      into = argv[++i];
      return true;
    };
    if (arg == "--module") {
      if (!value(options.module)) return false;
    } else if (arg == "--config") {
      if (!value(options.config)) return false;
    } else if (arg == "--set") {
      std::string setting;
      if (!value(setting)) return false;
      options.settings.push_back(setting);
    } else if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--quiet" || arg == "-q") {
      options.quiet = true;
    } else if (arg == "--raw") {
      options.raw = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      error = "unknown option " + arg;
      return false;
    } else if (options.command.empty()) {
      options.command = arg;
    } else {
      options.args.push_back(arg);
    }
  }
  return true;
}

// The harness's own version, then the loaded module: its file, the name it
// gives the host, and the version its file's resource carries (Windows).
void PrintVersions(const hostkit::LoadedModule& module, bool raw) {
  vexhost::Console console(raw);
  console.Out(std::string("vexhost ") + VEXHOST_VERSION + "\n");
  console.Out("module " + module.Path() + "\n");
  char format[EDIHAL_BUFFER_SIZE] = {0}, name[EDIHAL_BUFFER_SIZE] = {0};
  module.Api().Wlasciwosci(format, 1);
  module.Api().Wlasciwosci(name, 2);
  console.Out(std::string("module name: ") + name + " (" + format + ")\n");
  hostkit::FileVersion version;
  if (hostkit::ReadFileVersion(module.Path(), version)) {
    console.Out("module version: " + version.product_version + " (file " + version.file_version +
                ", " + version.product_name + ": " + version.description + ")\n");
  } else {
    console.Out(
        "module version: none recorded (only the Windows DLL carries a version resource)\n");
  }
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "vexhost: %s\n", message.c_str());
  return vexhost::kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // The module reads numbers with the decimal separator of this locale.
  std::setlocale(LC_ALL, "");
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) return Fail(error + " (see vexhost --help)");
  const Command* command = options.command.empty() ? nullptr : FindCommand(options.command);
  if (options.help || (options.command.empty() && !options.version)) {
    if (command != nullptr) {
      PrintCommandHelp(*command);
    } else {
      PrintUsage(options.help ? stdout : stderr);
    }
    return options.help ? vexhost::kDone : vexhost::kUsage;
  }
  if (command == nullptr && !options.version) return Fail("unknown command " + options.command);

  if (command != nullptr && !command->loads_module &&
      (!options.module.empty() || options.version)) {
    return Fail(std::string(command->name) +
                " loads no module: --module and --version do not apply");
  }
  std::unique_ptr<hostkit::LoadedModule> module;
  if (options.version || command->loads_module) {
    const std::string path = options.module.empty()
                                 ? hostkit::BesideExecutable(hostkit::ModuleFileName("EdiHal_X"))
                                 : options.module;
    module = hostkit::LoadedModule::Load(path, error);
    if (!module) return Fail("cannot load the module " + path + ": " + error);
  }
  if (options.version) {
    PrintVersions(*module, options.raw);
    if (command == nullptr) return vexhost::kDone;
  }

  const int count = static_cast<int>(options.args.size());
  if (count < command->min_args || count > command->max_args) {
    return Fail(std::string("usage: vexhost ") + command->name + " " + command->usage);
  }
  // The module gets texts as the host hands them: in Windows-1250.
  vexhost::ParameterAnswers answers;
  if (module) answers.LoadModuleDefaults(module->Api());
  if (!options.config.empty() && !answers.LoadConfig(options.config, error)) return Fail(error);
  for (const std::string& setting : options.settings) {
    if (!answers.AddSetting(vexhost::ToModuleText(setting))) {
      return Fail("--set needs NAME=VALUE, not " + setting);
    }
  }
  for (std::string& arg : options.args) arg = vexhost::ToModuleText(arg);
  vexhost::Console console(options.raw);
  vexhost::CommandContext context{module ? &module->Api() : nullptr, answers, console,
                                  options.trace, options.quiet};
  return command->run(context, options.args);
}
