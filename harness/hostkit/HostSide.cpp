#include "HostSide.h"

#include <algorithm>
#include <cstring>

namespace hostkit {

namespace {

// The callbacks are plain functions; they find their host by its handle.
constexpr int kMaxHosts = 16;
constexpr EdiHalHostValue kFirstHandle = 7000;
Host* g_hosts[kMaxHosts] = {};

void Hand(int id, const EdiHalHostValue& host, EdiHalHostValue context, const char* text,
          int32_t number = 0, char* answer = nullptr) {
  const int slot = host - kFirstHandle;
  if (slot < 0 || slot >= kMaxHosts || g_hosts[slot] == nullptr) return;
  Callback callback;
  callback.id = id;
  callback.host = host;
  callback.context = context;
  callback.text = text != nullptr ? text : "";
  callback.number = number;
  g_hosts[slot]->OnCallback(callback, &host, answer);
}

int32_t EDIHAL_STDCALL OnTitle(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  Hand(EDIHAL_CB_PROGRESS_TITLE, host, context, text);
  return 0;
}
int32_t EDIHAL_STDCALL OnText(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  Hand(EDIHAL_CB_PROGRESS_TEXT, host, context, text);
  return 0;
}
int32_t EDIHAL_STDCALL OnPercent(EdiHalHostValue host, EdiHalHostValue context, int32_t percent) {
  Hand(EDIHAL_CB_PROGRESS_PERCENT, host, context, "", percent);
  return 0;
}
int32_t EDIHAL_STDCALL OnParameter(EdiHalHostValue host, EdiHalHostValue context, const char* name,
                                   char* answer) {
  Hand(EDIHAL_CB_PARAMETER_VALUE, host, context, name, 0, answer);
  return 0;
}
int32_t EDIHAL_STDCALL OnError(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  Hand(EDIHAL_CB_ERROR, host, context, text);
  return 0;
}
int32_t EDIHAL_STDCALL OnMessage(EdiHalHostValue host, EdiHalHostValue context, const char* text) {
  Hand(EDIHAL_CB_MESSAGE, host, context, text);
  return 0;
}
// Registered under the ids the module must never call: a call shows as
// one of id 0.
int32_t EDIHAL_STDCALL OnNeverCalled(EdiHalHostValue host, EdiHalHostValue context, const char*) {
  Hand(0, host, context, "");
  return 0;
}

// The host's function for callback `id`: those of ids 2 to 8 by id (5 is
// never to be called), any other never to be called.
void* CallbackFor(int id) {
  void* const kById[] = {
      reinterpret_cast<void*>(OnTitle),     reinterpret_cast<void*>(OnText),
      reinterpret_cast<void*>(OnPercent),   reinterpret_cast<void*>(OnNeverCalled),
      reinterpret_cast<void*>(OnParameter), reinterpret_cast<void*>(OnError),
      reinterpret_cast<void*>(OnMessage)};
  const bool known = id >= EDIHAL_CB_PROGRESS_TITLE && id <= EDIHAL_CB_MESSAGE;
  return known ? kById[id - EDIHAL_CB_PROGRESS_TITLE] : reinterpret_cast<void*>(OnNeverCalled);
}

}  // namespace

Host::Host(const ModuleApi& api, bool register_callbacks) : api_(api) {
  for (int slot = 0; slot < kMaxHosts; ++slot) {
    if (g_hosts[slot] == nullptr) {
      g_hosts[slot] = this;
      handle_ = kFirstHandle + slot;
      break;
    }
  }
  library_ = api_.RejestrujBiblioteke(handle_, 11, 22, 33);
  if (register_callbacks && library_ != nullptr) {
    for (const int id : {2, 3, 4, 6, 7, 8}) Register(id);
  }
}

Host::~Host() {
  ReleaseLibrary();
  const int slot = handle_ - kFirstHandle;
  if (slot >= 0 && slot < kMaxHosts && g_hosts[slot] == this) g_hosts[slot] = nullptr;
}

void Host::ReleaseLibrary() {
  if (library_ != nullptr) api_.ZwolnijBiblioteke(library_);
  library_ = nullptr;
}

void Host::Register(int id, bool on) {
  api_.RejestrujCallback(library_, on ? CallbackFor(id) : nullptr, id);
}

void Host::OnCallback(const Callback& callback, const void* first_argument, char* answer) {
  if (answer == nullptr) {
    Heard(callback, first_argument);
    return;
  }
  Callback question = callback;
  question.answered = AnswerParameter(callback.text, answer);
  question.answer.assign(answer, std::find(answer, answer + EDIHAL_BUFFER_SIZE, '\0'));
  Heard(question, first_argument);
}

std::string Host::Key(const std::string& name) {
  std::string key = name;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

bool Host::AnswerParameter(const std::string& name, char* answer) {
  const auto raw = raw_answers_.find(Key(name));
  if (raw != raw_answers_.end()) {
    std::memcpy(answer, raw->second.data(),
                std::min<std::size_t>(raw->second.size(), EDIHAL_BUFFER_SIZE));
    return true;
  }
  const auto found = answers_.find(Key(name));
  if (found == answers_.end() || found->second.empty()) return false;
  std::strncpy(answer, found->second.front().c_str(), EDIHAL_BUFFER_SIZE - 1);
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
  if (found->second.size() > 1) found->second.pop_front();
  return true;
}

}  // namespace hostkit
