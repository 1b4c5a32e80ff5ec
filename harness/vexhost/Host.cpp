#include "Host.h"

#include <cstring>

namespace vexhost {

namespace {

// The module calls plain functions; they find the one host of this process
// here.  HostHandle carries a fixed value that they check.
Host* g_host = nullptr;
constexpr EdiHalHostValue kHostHandle = 0x56455831;  // "VEX1"

Host* Current(EdiHalHostValue handle) {
  return handle == kHostHandle ? g_host : nullptr;
}

int32_t EDIHAL_STDCALL ProgressTitle(EdiHalHostValue host, EdiHalHostValue, const char* text) {
  if (Host* current = Current(host)) current->OnProgressTitle(text);
  return 0;
}
int32_t EDIHAL_STDCALL ProgressText(EdiHalHostValue host, EdiHalHostValue, const char* text) {
  if (Host* current = Current(host)) current->OnProgressText(text);
  return 0;
}
int32_t EDIHAL_STDCALL ProgressPercent(EdiHalHostValue host, EdiHalHostValue, int32_t percent) {
  if (Host* current = Current(host)) current->OnProgressPercent(percent);
  return 0;
}
int32_t EDIHAL_STDCALL Parameter(EdiHalHostValue host, EdiHalHostValue, const char* name,
                                 char* answer) {
  if (Host* current = Current(host)) current->OnParameter(name, answer);
  return 0;
}
int32_t EDIHAL_STDCALL Error(EdiHalHostValue host, EdiHalHostValue, const char* text) {
  if (Host* current = Current(host)) current->OnError(text);
  return 0;
}
int32_t EDIHAL_STDCALL Message(EdiHalHostValue host, EdiHalHostValue, const char* text) {
  if (Host* current = Current(host)) current->OnMessage(text);
  return 0;
}

void* AsPointer(EdiHalTextCallback callback) {
  return reinterpret_cast<void*>(callback);
}

}  // namespace

Host::Host(const hostkit::ModuleApi& api, const ParameterAnswers& answers, Console& console,
           bool trace)
    : api_(api), answers_(answers), console_(console), trace_(trace) {
  g_host = this;
  library_ = api_.RejestrujBiblioteke(kHostHandle, 0, 0, 0);
  if (library_ == nullptr) return;
  api_.RejestrujCallback(library_, AsPointer(ProgressTitle), EDIHAL_CB_PROGRESS_TITLE);
  api_.RejestrujCallback(library_, AsPointer(ProgressText), EDIHAL_CB_PROGRESS_TEXT);
  api_.RejestrujCallback(library_, reinterpret_cast<void*>(ProgressPercent),
                         EDIHAL_CB_PROGRESS_PERCENT);
  api_.RejestrujCallback(library_, reinterpret_cast<void*>(Parameter), EDIHAL_CB_PARAMETER_VALUE);
  api_.RejestrujCallback(library_, AsPointer(Error), EDIHAL_CB_ERROR);
  api_.RejestrujCallback(library_, AsPointer(Message), EDIHAL_CB_MESSAGE);
}

Host::~Host() {
  console_.EndProgress();
  if (library_ != nullptr) api_.ZwolnijBiblioteke(library_);
  g_host = nullptr;
}

void Host::Trace(const std::string& line) {
  if (trace_) {
    console_.EndProgress();
    console_.Err("[trace] " + line + "\n");
  }
}

void Host::OnProgressTitle(const char* text) {
  Trace(std::string("progress title: ") + text);
  console_.ProgressTitle(text);
}

void Host::OnProgressText(const char* text) {
  Trace(std::string("progress text: ") + text);
  console_.ProgressText(text);
}

void Host::OnProgressPercent(int32_t percent) {
  Trace("progress percent: " + std::to_string(percent));
  console_.ProgressPercent(percent);
}

void Host::OnParameter(const char* name, char* answer) {
  std::string value;
  if (!answers_.Find(name, value)) {
    Trace(std::string("parameter ") + name + ": (no answer)");
    return;
  }
  Trace(std::string("parameter ") + name + " = " + value);
  std::strncpy(answer, value.c_str(), EDIHAL_BUFFER_SIZE - 1);
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
}

void Host::OnError(const char* text) {
  reported_error_ = true;
  console_.EndProgress();
  console_.Err(std::string("vexhost: error: ") + text + "\n");
}

void Host::OnMessage(const char* text) {
  console_.EndProgress();
  console_.Err(std::string("vexhost: message: ") + text + "\n");
}

}  // namespace vexhost
