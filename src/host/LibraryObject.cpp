#include "host/LibraryObject.h"

#include <cstring>
#include <type_traits>

#include "platform/FpuControl.h"
#include "platform/Platform.h"
#include "text/Text.h"

namespace edihal {

namespace {

// The place of callback `id`, or -1 for an id the host may not register.
int SlotOf(int32_t id) {
  if (id >= EDIHAL_CB_PROGRESS_TITLE && id <= EDIHAL_CB_MESSAGE)
    return id - EDIHAL_CB_PROGRESS_TITLE;
  return id == EDIHAL_CB_RESERVED_29 ? 7 : -1;
}

}  // namespace

// Callbacks arrive as untyped pointers; the id says which signature they have.
template <typename Callback>
Callback TVEXBibliotekaEDI::Registered(int32_t id) const {
  return reinterpret_cast<Callback>(callbacks_[SlotOf(id)]);
}

void TVEXBibliotekaEDI::RunOnHostSide(void (*call)(void*), void* context) const {
  const HostFpuScope host_fpu(host_control_word_);
  CallShielded(call, context);
}

void TVEXBibliotekaEDI::RegisterCallback(void* callback, int32_t id) {
  const int slot = SlotOf(id);
  if (slot >= 0) callbacks_[slot] = callback;
}

void TVEXBibliotekaEDI::CallText(EdiHalTextCallback callback, const std::string& text) const {
  if (callback != nullptr)
    CallHostSide([&] { callback(host_handle_, call_context_, text.c_str()); });
}

void TVEXBibliotekaEDI::ShowProgressTitle(const std::string& text) const {
  CallText(Registered<EdiHalTextCallback>(EDIHAL_CB_PROGRESS_TITLE), text);
}

void TVEXBibliotekaEDI::ShowProgressText(const std::string& text) const {
  CallText(Registered<EdiHalTextCallback>(EDIHAL_CB_PROGRESS_TEXT), text);
}

void TVEXBibliotekaEDI::ShowProgressPercent(int32_t percent) const {
  const auto callback = Registered<EdiHalPercentCallback>(EDIHAL_CB_PROGRESS_PERCENT);
  if (callback == nullptr) return;
  CallHostSide([&] { callback(host_handle_, call_context_, percent); });
}

std::string TVEXBibliotekaEDI::ParameterValue(const std::string& name) const {
  const auto callback = Registered<EdiHalParameterCallback>(EDIHAL_CB_PARAMETER_VALUE);
  if (callback == nullptr) return std::string();
  const std::string trimmed_name = Trim(name);
  char answer[EDIHAL_BUFFER_SIZE];
  std::memset(answer, 0, sizeof answer);
  CallHostSide([&] { callback(host_handle_, call_context_, trimmed_name.c_str(), answer); });
  // The host may fill all 300 bytes without a terminator.
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
  return Trim(std::string(answer));
}

void TVEXBibliotekaEDI::ReportError(const std::string& text) const {
  CallText(Registered<EdiHalTextCallback>(EDIHAL_CB_ERROR), text);
}

void TVEXBibliotekaEDI::ReportMessage(const std::string& text) const {
  CallText(Registered<EdiHalTextCallback>(EDIHAL_CB_MESSAGE), text);
}

}  // namespace edihal
