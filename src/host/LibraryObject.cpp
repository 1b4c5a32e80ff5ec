#include "host/LibraryObject.h"

#include <cstring>
#include <type_traits>

#include "platform/FpuControl.h"
#include "platform/Platform.h"
#include "text/Text.h"

namespace edihal {

namespace {

// Callbacks arrive as untyped pointers; the id says which signature they have.
template <typename Callback>
Callback As(void* callback) {
  return reinterpret_cast<Callback>(callback);
}

}  // namespace

void TVEXBibliotekaEDI::RunOnHostSide(void (*call)(void*), void* context) const {
  const HostFpuScope host_fpu(host_control_word_);
  CallShielded(call, context);
}

void TVEXBibliotekaEDI::RegisterCallback(void* callback, int32_t id) {
  switch (id) {
    case EDIHAL_CB_PROGRESS_TITLE:
      progress_title_ = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_PROGRESS_TEXT:
      progress_text_ = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_PROGRESS_PERCENT:
      progress_percent_ = As<EdiHalPercentCallback>(callback);
      break;
    case EDIHAL_CB_RESERVED_5:
      reserved5_ = callback;
      break;
    case EDIHAL_CB_PARAMETER_VALUE:
      parameter_value_ = As<EdiHalParameterCallback>(callback);
      break;
    case EDIHAL_CB_ERROR:
      error_ = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_MESSAGE:
      message_ = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_RESERVED_29:
      reserved29_ = callback;
      break;
    default:
      break;
  }
}

void TVEXBibliotekaEDI::CallText(EdiHalTextCallback callback, const std::string& text) const {
  if (callback != nullptr)
    CallHostSide([&] { callback(host_handle_, call_context_, text.c_str()); });
}

void TVEXBibliotekaEDI::ShowProgressTitle(const std::string& text) const {
  CallText(progress_title_, text);
}

void TVEXBibliotekaEDI::ShowProgressText(const std::string& text) const {
  CallText(progress_text_, text);
}

void TVEXBibliotekaEDI::ShowProgressPercent(int32_t percent) const {
  if (progress_percent_ == nullptr) return;
  CallHostSide([&] { progress_percent_(host_handle_, call_context_, percent); });
}

std::string TVEXBibliotekaEDI::ParameterValue(const std::string& name) const {
  if (parameter_value_ == nullptr) return std::string();
  const std::string trimmed_name = Trim(name);
  char answer[EDIHAL_BUFFER_SIZE];
  std::memset(answer, 0, sizeof answer);
  CallHostSide(
      [&] { parameter_value_(host_handle_, call_context_, trimmed_name.c_str(), answer); });
  // The host may fill all 300 bytes without a terminator.
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
  return Trim(std::string(answer));
}

void TVEXBibliotekaEDI::ReportError(const std::string& text) const {
  CallText(error_, text);
}

void TVEXBibliotekaEDI::ReportMessage(const std::string& text) const {
  CallText(message_, text);
}

}  // namespace edihal
