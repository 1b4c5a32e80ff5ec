#include "FuzzHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "EdiHal_X.h"

namespace fuzzing {

void FuzzHost::Heard(const hostkit::Callback& callback, const void* /*first_argument*/) {
  Check(callback.id != 0, "a callback the module must never call");
  if (callback.id == EDIHAL_CB_ERROR) errors.push_back(callback.text);
  if (callback.id == EDIHAL_CB_MESSAGE) messages.push_back(callback.text);
  if (callback.id == EDIHAL_CB_PROGRESS_PERCENT) {
    Check(callback.number >= 0 && callback.number < 100, "progress outside 0 to 99");
  }
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::string Text(FuzzedDataProvider& input, std::size_t max_length) {
  return input.ConsumeRandomLengthString(max_length);
}

std::string Answer(FuzzedDataProvider& input, const std::vector<std::string>& choices,
                   std::size_t max_length) {
  const std::size_t pick = input.ConsumeIntegralInRange<std::size_t>(0, choices.size());
  return pick < choices.size() ? choices[pick] : Text(input, max_length);
}

}  // namespace fuzzing
