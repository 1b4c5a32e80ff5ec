#include "RecordingHost.h"

#include <algorithm>
#include <cstring>

#include "RealHost.h"

namespace testing_support {

namespace {

// Callbacks are plain functions; they find their host by its handle.
constexpr int kMaxHosts = 16;
constexpr EdiHalHostValue kFirstHandle = 7000;
RecordingHost* g_hosts[kMaxHosts] = {};

RecordingHost* HostOf(EdiHalHostValue handle) {
  const int slot = handle - kFirstHandle;
  return slot >= 0 && slot < kMaxHosts ? g_hosts[slot] : nullptr;
}

void RecordText(int id, const EdiHalHostValue& host, EdiHalHostValue context, const char* text) {
  ExpectHostSideState("a text callback", &host);
  if (RecordingHost* recorder = HostOf(host)) recorder->Record({id, host, context, text, 0});
}

int32_t EDIHAL_STDCALL OnTitle(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  RecordText(EDIHAL_CB_PROGRESS_TITLE, host, context, text);
  return 0;
}
int32_t EDIHAL_STDCALL OnText(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  RecordText(EDIHAL_CB_PROGRESS_TEXT, host, context, text);
  return 0;
}
int32_t EDIHAL_STDCALL OnPercent(EdiHalHostValue host, EdiHalHostValue context, int32_t percent) {
  ExpectHostSideState("CallbackProgressPercent", &host);
  if (RecordingHost* recorder = HostOf(host)) {
    recorder->Record({EDIHAL_CB_PROGRESS_PERCENT, host, context, "", percent});
  }
  return 0;
}
int32_t EDIHAL_STDCALL OnParameter(EdiHalHostValue host, EdiHalHostValue context, const char* name,
                                   char* answer) {
  ExpectHostSideState("CallbackParameterValue", &host);
  if (RecordingHost* recorder = HostOf(host)) {
    recorder->Record({EDIHAL_CB_PARAMETER_VALUE, host, context, name, 0});
    recorder->FillAnswer(name, answer);
  }
  return 0;
}
int32_t EDIHAL_STDCALL OnError(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  RecordText(EDIHAL_CB_ERROR, host, context, text);
  return 0;
}
int32_t EDIHAL_STDCALL OnMessage(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  RecordText(EDIHAL_CB_MESSAGE, host, context, text);
  return 0;
}

// Registered under every id the module must never call; a call shows as a
// callback of id 0.
int32_t EDIHAL_STDCALL OnNeverCalled(EdiHalHostValue host, EdiHalHostValue context, const char*) {
  RecordText(0, host, context, "");
  return 0;
}

void* CallbackFor(int id) {
  switch (id) {
    case EDIHAL_CB_PROGRESS_TITLE:
      return reinterpret_cast<void*>(OnTitle);
    case EDIHAL_CB_PROGRESS_TEXT:
      return reinterpret_cast<void*>(OnText);
    case EDIHAL_CB_PROGRESS_PERCENT:
      return reinterpret_cast<void*>(OnPercent);
    case EDIHAL_CB_PARAMETER_VALUE:
      return reinterpret_cast<void*>(OnParameter);
    case EDIHAL_CB_ERROR:
      return reinterpret_cast<void*>(OnError);
    case EDIHAL_CB_MESSAGE:
      return reinterpret_cast<void*>(OnMessage);
    default:
      return reinterpret_cast<void*>(OnNeverCalled);
  }
}

}  // namespace

RecordingHost::RecordingHost(const hostkit::ModuleApi& api, bool register_callbacks)
    : api_(api), handle_(0) {
  for (int slot = 0; slot < kMaxHosts; ++slot) {
    if (g_hosts[slot] == nullptr) {
      g_hosts[slot] = this;
      handle_ = kFirstHandle + slot;
      break;
    }
  }
  library_ = api_.RejestrujBiblioteke(handle_, 11, 22, 33);
  if (register_callbacks) {
    for (int id : {2, 3, 4, 6, 7, 8}) Register(id);
  }
}

RecordingHost::~RecordingHost() {
  if (library_ != nullptr) api_.ZwolnijBiblioteke(library_);
  const int slot = handle_ - kFirstHandle;
  if (slot >= 0 && slot < kMaxHosts && g_hosts[slot] == this) g_hosts[slot] = nullptr;
}

void RecordingHost::ReleaseLibrary() {
  if (library_ != nullptr) api_.ZwolnijBiblioteke(library_);
  library_ = nullptr;
}

void RecordingHost::Register(int id, bool on) {
  api_.RejestrujCallback(library_, on ? CallbackFor(id) : nullptr, id);
}

std::vector<CallbackEvent> RecordingHost::EventsOf(int id) const {
  std::vector<CallbackEvent> matching;
  for (const CallbackEvent& event : events_) {
    if (event.id == id) matching.push_back(event);
  }
  return matching;
}

std::vector<std::string> RecordingHost::TextsOf(int id) const {
  std::vector<std::string> texts;
  for (const CallbackEvent& event : EventsOf(id)) texts.push_back(event.text);
  return texts;
}

void RecordingHost::FillAnswer(const std::string& name, char* answer) {
  const auto raw = raw_answers_.find(name);
  if (raw != raw_answers_.end()) {
    std::memcpy(answer, raw->second.data(),
                std::min<std::size_t>(raw->second.size(), EDIHAL_BUFFER_SIZE));
    return;
  }
  const auto found = answers_.find(name);
  if (found == answers_.end() || found->second.empty()) return;
  std::strncpy(answer, found->second.front().c_str(), EDIHAL_BUFFER_SIZE - 1);
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
  if (found->second.size() > 1) found->second.pop_front();
}

void AnswerLikeAShop(RecordingHost& host) {
  host.Answer("CzyKategoryzacja", "Nie");
  host.Answer("StawkaA", "23");
  host.Answer("StawkaB", "8");
  host.Answer("StawkaC", "5");
  host.Answer("StawkaD", "0");
  host.Answer("StawkaG", "ZW");
}

}  // namespace testing_support
