#include "Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace bench {

namespace {

// posix_spawn file actions, released on every way out.
class FileActions {
 public:
  FileActions() { posix_spawn_file_actions_init(&actions_); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// A new empty file in TMPDIR or /tmp; throws when none can be made.
std::string TemporaryFile() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base ? base : "/tmp") + "/edihal-bench-XXXXXX";
  const int fd = ::mkstemp(&pattern[0]);
  if (fd < 0) throw std::runtime_error("no temporary file");
  ::close(fd);
  return pattern;
}

}  // namespace

ProcessRun RunProcess(const std::vector<std::string>& argv, const ProcessSetup& setup) {
  // The program runs under `measure`, which reports on it in this file.
  const std::string report = TemporaryFile();
  std::vector<std::string> measured = {BesideThisProgram("measure"), report};
  measured.insert(measured.end(), argv.begin(), argv.end());
  std::vector<char*> args;
  for (const std::string& arg : measured) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  FileActions actions;
  posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(actions.get(), 1, setup.output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(actions.get(), 2, setup.errors.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!setup.folder.empty()) {
    posix_spawn_file_actions_addchdir_np(actions.get(), setup.folder.c_str());
  }
  // A session of its own: no controlling terminal to ask on.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  const int error = posix_spawn(&child, args[0], actions.get(), &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  int status = 0;
  if (error != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    ::unlink(report.c_str());
    throw std::runtime_error("cannot run " + argv[0]);
  }
  ProcessRun run;
  std::ifstream in(report);
  in >> run.seconds >> run.peak_kib >> run.status >> run.cpu_seconds;
  ::unlink(report.c_str());
  if (!in) throw std::runtime_error("no measurement of " + argv[0]);
  return run;
}

std::string BesideThisProgram(const std::string& name) {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) throw std::runtime_error("cannot find this program");
  const std::string path(self, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1) + name;
}

bool InPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= folders.size();) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string FirstLineOf(const std::vector<std::string>& argv) {
  ProcessSetup setup;
  setup.output = TemporaryFile();
  std::string line;
  try {
    if (RunProcess(argv, setup).status == 0) {
      std::ifstream in(setup.output);
      std::getline(in, line);
    }
  } catch (const std::exception&) {
    line.clear();
  }
  ::unlink(setup.output.c_str());
  return line;
}

}  // namespace bench
