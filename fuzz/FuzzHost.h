// What every fuzz target shares: a library object whose host answers the
// parameter questions the target answers from its input, the guard the
// worker exports run their workers in, and a check that stops the run when
// an invariant breaks (libFuzzer then keeps the input as a crash).
#ifndef EDIHAL_FUZZ_FUZZHOST_H
#define EDIHAL_FUZZ_FUZZHOST_H

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "CoreHost.h"

namespace fuzzing {

// The core's host: errors and messages recorded, progress checked.
class FuzzHost final : public testing_support::CoreHost {
 public:
  // Runs `work` as a worker export does; true when it ended normally.
  template <typename Work>
  bool Run(Work&& work);

  std::vector<std::string> errors;
  std::vector<std::string> messages;

 private:
  void Heard(const hostkit::Callback& callback, const void* first_argument) override;
};

// Stops the process with `what` when `condition` is false.
void Check(bool condition, const char* what);

// A text of at most `max_length` bytes from the front of the input.
std::string Text(FuzzedDataProvider& input, std::size_t max_length);
// One of `choices`, or (for the last index) a fuzzed text.
std::string Answer(FuzzedDataProvider& input, const std::vector<std::string>& choices,
                   std::size_t max_length = 24);

}  // namespace fuzzing

#include "boundary/WorkerGuard.h"

// As a worker export runs its worker; a structured exception can only come
// from a host callback on Windows, and the fuzz host raises none.
template <typename Work>
bool fuzzing::FuzzHost::Run(Work&& work) {
  edihal::PendingHostFault fault;
  const bool done = edihal::RunGuardedKeepingFault(Object(), work, fault);
  Check(!fault.pending, "a structured exception from the fuzz host");
  return done;
}

#endif  // EDIHAL_FUZZ_FUZZHOST_H
