#include "library/TVEXBibliotekaEDI.h"

#include <cstring>
#include <type_traits>

#include "library/TextPrimitives.h"
#include "platform/FpuControl.h"
#include "platform/Platform.h"

namespace edihal {

namespace {

// Callbacks arrive as untyped pointers; the id says which signature they have.
template <typename Callback>
Callback As(void* callback) {
  return reinterpret_cast<Callback>(callback);
}

}  // namespace

void TVEXBibliotekaEDI::RunOnHostSide(void (*call)(void*), void* context) const {
  const HostFpuScope host_fpu(HostControlWord);
  CallShielded(call, context);
}

void TVEXBibliotekaEDI::RegisterCallback(void* callback, int32_t id) {
  switch (id) {
    case EDIHAL_CB_PROGRESS_TITLE:
      CallbackProgressTitle = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_PROGRESS_TEXT:
      CallbackProgressText = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_PROGRESS_PERCENT:
      CallbackProgressPercent = As<EdiHalPercentCallback>(callback);
      break;
    case EDIHAL_CB_RESERVED_5:
      CallbackReserved5 = callback;
      break;
    case EDIHAL_CB_PARAMETER_VALUE:
      CallbackParameterValue = As<EdiHalParameterCallback>(callback);
      break;
    case EDIHAL_CB_ERROR:
      CallbackError = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_MESSAGE:
      CallbackMessage = As<EdiHalTextCallback>(callback);
      break;
    case EDIHAL_CB_RESERVED_29:
      CallbackReserved29 = callback;
      break;
    default:
      break;
  }
}

void TVEXBibliotekaEDI::CallText(EdiHalTextCallback callback, const std::string& text) const {
  if (callback != nullptr) CallHostSide([&] { callback(HostHandle, CallContext, text.c_str()); });
}

void TVEXBibliotekaEDI::ShowProgressTitle(const std::string& text) const {
  CallText(CallbackProgressTitle, text);
}

void TVEXBibliotekaEDI::ShowProgressText(const std::string& text) const {
  CallText(CallbackProgressText, text);
}

void TVEXBibliotekaEDI::ShowProgressPercent(int32_t percent) const {
  if (CallbackProgressPercent == nullptr) return;
  CallHostSide([&] { CallbackProgressPercent(HostHandle, CallContext, percent); });
}

std::string TVEXBibliotekaEDI::ParameterValue(const std::string& name) const {
  if (CallbackParameterValue == nullptr) return std::string();
  const std::string trimmed_name = Trim(name);
  char answer[EDIHAL_BUFFER_SIZE];
  std::memset(answer, 0, sizeof answer);
  CallHostSide(
      [&] { CallbackParameterValue(HostHandle, CallContext, trimmed_name.c_str(), answer); });
  // The host may fill all 300 bytes without a terminator.
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
  return Trim(std::string(answer));
}

void TVEXBibliotekaEDI::ReportError(const std::string& text) const {
  CallText(CallbackError, text);
}

void TVEXBibliotekaEDI::ReportMessage(const std::string& text) const {
  CallText(CallbackMessage, text);
}

}  // namespace edihal
