#include "FuzzHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "EdiHal_X.h"
#include "boundary/LibraryHandle.h"

namespace fuzzing {

namespace {

// The registration exports, made of the core linked into this program.
EdiHalLibrary EDIHAL_STDCALL Register(EdiHalHostValue host, int32_t, int32_t, int32_t) {
  return edihal::HandleOf(new edihal::TVEXBibliotekaEDI(host));
}
void EDIHAL_STDCALL RegisterCallback(EdiHalLibrary library, void* callback, int32_t id) {
  edihal::ObjectOf(library)->RegisterCallback(callback, id);
}
void EDIHAL_STDCALL Release(EdiHalLibrary library) {
  delete edihal::ObjectOf(library);
}

const hostkit::ModuleApi& CoreApi() {
  static const hostkit::ModuleApi api = [] {
    hostkit::ModuleApi made;
    made.RejestrujBiblioteke = Register;
    made.RejestrujCallback = RegisterCallback;
    made.ZwolnijBiblioteke = Release;
    return made;
  }();
  return api;
}

}  // namespace

FuzzHost::FuzzHost() : hostkit::Host(CoreApi()) {
  Library().CallContext = 1;
}

edihal::TVEXBibliotekaEDI& FuzzHost::Library() {
  return *edihal::ObjectOf(hostkit::Host::Library());
}

// A host writes at most 299 bytes and a NUL.
void FuzzHost::AnswerParameter(const std::string& name, char* answer) {
  const auto found = answers.find(name);
  if (found == answers.end()) return;
  const std::size_t size = found->second.size() < 299 ? found->second.size() : 299;
  std::memcpy(answer, found->second.data(), size);
  answer[size] = '\0';
}

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
