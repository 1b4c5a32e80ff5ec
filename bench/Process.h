// Runs a program as a whole process and measures it, through the small
// program `measure` beside this one: wall time from start to exit, the
// processor time and the peak resident memory the kernel reports for it.
#ifndef EDIHAL_BENCH_PROCESS_H
#define EDIHAL_BENCH_PROCESS_H

#include <string>
#include <vector>

namespace bench {

struct ProcessRun {
  double seconds = 0;
  long peak_kib = 0;
  int status = -1;         // the exit status; -1 when the process was killed
  double cpu_seconds = 0;  // user and system time
};

// Where the process reads and writes, and where it runs.  Standard input is
// /dev/null, so that a program that would ask on the terminal cannot wait
// for an answer.
struct ProcessSetup {
  std::string output = "/dev/null";
  std::string errors = "/dev/null";
  std::string folder;  // the current folder; empty: this process's
};

// Runs argv[0] (looked up in PATH when it has no slash) and waits for it;
// throws std::runtime_error when it cannot be measured.  A program that
// cannot be started has the status 127.
ProcessRun RunProcess(const std::vector<std::string>& argv, const ProcessSetup& setup = {});

// The path of `name` in the folder of this program.
std::string BesideThisProgram(const std::string& name);

// Whether `name` is a program in PATH.
bool InPath(const std::string& name);

// The first line a command writes to standard output, for version
// strings; empty when it cannot be run.
std::string FirstLineOf(const std::vector<std::string>& argv);

}  // namespace bench

#endif  // EDIHAL_BENCH_PROCESS_H
