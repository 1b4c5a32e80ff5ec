// TVEXBibliotekaEDI, the library object the host registers and hands back
// to every call: the module's only state between calls.  It keeps the host
// value given at registration, the call context of the running worker
// export and the host's callbacks, and it is the workers' only way to talk
// to the host.
#ifndef EDIHAL_HOST_LIBRARYOBJECT_H
#define EDIHAL_HOST_LIBRARYOBJECT_H

#include <cstdint>
#include <string>
#include <type_traits>

#include "EdiHal_X.h"

namespace edihal {

class TVEXBibliotekaEDI {
 public:
  explicit TVEXBibliotekaEDI(EdiHalHostValue host_handle) : host_handle_(host_handle) {}
  TVEXBibliotekaEDI(const TVEXBibliotekaEDI&) = delete;
  TVEXBibliotekaEDI& operator=(const TVEXBibliotekaEDI&) = delete;

  // Stores `callback` under `id`; ids other than 2 to 8 and 29 are ignored.
  // A null callback switches that id off.
  void RegisterCallback(void* callback, int32_t id);
  // A worker export begins: the host's call context for its callbacks, and
  // the x87 control word the host called with, which they run with.
  void BeginCall(EdiHalHostValue context, std::uint16_t host_control_word) {
    call_context_ = context;
    host_control_word_ = host_control_word;
  }

  void ShowProgressTitle(const std::string& text) const;
  void ShowProgressText(const std::string& text) const;
  void ShowProgressPercent(int32_t percent) const;
  // The host's current value of the named parameter, trimmed; empty when the
  // host does not answer or has registered no parameter callback.
  std::string ParameterValue(const std::string& name) const;
  void ReportError(const std::string& text) const;
  void ReportMessage(const std::string& text) const;

  // Runs `call` as code of the host's: with the host's x87 control word,
  // and with a structured exception it raises turned into
  // HostCallbackFault, so that the worker unwinds and closes its files.
  // Every callback goes through here, and so does the modal dialog, whose
  // message loop runs the host's window procedures.
  template <typename Call>
  void CallHostSide(Call&& call) const {
    using Target = std::remove_reference_t<Call>;
    RunOnHostSide([](void* target) { (*static_cast<Target*>(target))(); }, &call);
  }

 private:
  void CallText(EdiHalTextCallback callback, const std::string& text) const;
  void RunOnHostSide(void (*call)(void*), void* context) const;

  EdiHalHostValue host_handle_;
  EdiHalHostValue call_context_ = 0;
  std::uint16_t host_control_word_ = 0x037F;
  // The callbacks as registered, by id: 2 to 8 in the first seven places,
  // 29 in the last; ids 5 and 29 are stored, never called.
  void* callbacks_[8] = {};
  template <typename Callback>
  Callback Registered(int32_t id) const;
};

}  // namespace edihal

#endif  // EDIHAL_HOST_LIBRARYOBJECT_H
