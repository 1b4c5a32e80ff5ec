// Runs a program and measures it like time(1):
//
//   measure REPORT PROGRAM [ARGS]
//
// runs PROGRAM with this process's standard streams and current folder,
// waits for it and writes "SECONDS PEAK_KIB STATUS CPU_SECONDS" to REPORT:
// the wall time from start to exit, the peak resident memory the kernel
// reports for it, its exit status (-1 when it was killed), and the processor
// time it used (user and system).
//
// The suite starts its programs through this small process: a program
// started straight from the suite (posix_spawn shares the parent's memory
// until exec) is charged the suite's own peak memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: measure REPORT PROGRAM [ARGS]\n");
    return 2;
  }
  timespec start{}, end{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return 2;
  clock_gettime(CLOCK_MONOTONIC, &end);
  const double seconds = static_cast<double>(end.tv_sec - start.tv_sec) +
                         static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e9;
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) return 2;
  const auto time_of = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  std::fprintf(report, "%.9f %ld %d %.6f\n", seconds, usage.ru_maxrss,
               WIFEXITED(status) ? WEXITSTATUS(status) : -1,
               time_of(usage.ru_utime) + time_of(usage.ru_stime));
  return std::fclose(report) == 0 ? 0 : 2;
}
