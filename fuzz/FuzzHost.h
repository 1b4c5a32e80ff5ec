// What every fuzz target shares: a library object whose parameter callback
// answers from a table the target fills from its input, the guard the
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

#include "HostSide.h"
#include "library/TVEXBibliotekaEDI.h"

namespace fuzzing {

// The host of hostkit, with a library object of the core made in this
// process: parameters answered from `answers`, errors and messages
// recorded, progress checked.
class FuzzHost final : public hostkit::Host {
 public:
  FuzzHost();

  edihal::TVEXBibliotekaEDI& Library();
  // Runs `work` as a worker export does; true when it ended normally.
  template <typename Work>
  bool Run(Work&& work);

  std::map<std::string, std::string> answers;
  std::vector<std::string> errors;
  std::vector<std::string> messages;

 private:
  void Heard(const hostkit::Callback& callback, const void* first_argument) override;
  void AnswerParameter(const std::string& name, char* answer) override;
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

template <typename Work>
bool fuzzing::FuzzHost::Run(Work&& work) {
  return edihal::RunGuarded(Library(), work);
}

#endif  // EDIHAL_FUZZ_FUZZHOST_H
