#include "FuzzHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "EdiHal_X.h"

namespace fuzzing {

namespace {

// One host at a time: the callbacks find it through this pointer, as a real
// host finds its state through the HostHandle.
FuzzHost* current_host = nullptr;
constexpr EdiHalHostValue kHandle = 0x4855;

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue host, EdiHalHostValue, const char* name,
                                       char* answer) {
  Check(host == kHandle && current_host != nullptr, "callback without its host");
  const auto found = current_host->answers.find(name);
  if (found != current_host->answers.end()) {
    // A host writes at most 299 bytes and a NUL.
    const std::size_t size = found->second.size() < 299 ? found->second.size() : 299;
    std::memcpy(answer, found->second.data(), size);
    answer[size] = '\0';
  }
  return 1;
}

int32_t EDIHAL_STDCALL RecordError(EdiHalHostValue, EdiHalHostValue, const char* text) {
  Check(text != nullptr, "null error text");
  current_host->errors.emplace_back(text);
  return 1;
}

int32_t EDIHAL_STDCALL RecordMessage(EdiHalHostValue, EdiHalHostValue, const char* text) {
  Check(text != nullptr, "null message text");
  current_host->messages.emplace_back(text);
  return 1;
}

int32_t EDIHAL_STDCALL TakeText(EdiHalHostValue, EdiHalHostValue, const char* text) {
  Check(text != nullptr, "null progress text");
  return 1;
}

int32_t EDIHAL_STDCALL TakePercent(EdiHalHostValue, EdiHalHostValue, int32_t percent) {
  Check(percent >= 0 && percent < 100, "progress outside 0 to 99");
  return 1;
}

}  // namespace

FuzzHost::FuzzHost() : library_(kHandle) {
  current_host = this;
  library_.RegisterCallback(reinterpret_cast<void*>(TakeText), EDIHAL_CB_PROGRESS_TITLE);
  library_.RegisterCallback(reinterpret_cast<void*>(TakeText), EDIHAL_CB_PROGRESS_TEXT);
  library_.RegisterCallback(reinterpret_cast<void*>(TakePercent), EDIHAL_CB_PROGRESS_PERCENT);
  library_.RegisterCallback(reinterpret_cast<void*>(AnswerParameter), EDIHAL_CB_PARAMETER_VALUE);
  library_.RegisterCallback(reinterpret_cast<void*>(RecordError), EDIHAL_CB_ERROR);
  library_.RegisterCallback(reinterpret_cast<void*>(RecordMessage), EDIHAL_CB_MESSAGE);
  library_.CallContext = 1;
}

FuzzHost::~FuzzHost() {
  current_host = nullptr;
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
