#include "CoreHost.h"

#include "boundary/LibraryHandle.h"
#include "platform/FpuControl.h"

namespace testing_support {

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

CoreHost::CoreHost() : hostkit::Host(CoreApi()) {
  Object().BeginCall(1, edihal::kModuleControlWord);
}

edihal::TVEXBibliotekaEDI& CoreHost::Object() {
  return *edihal::ObjectOf(Library());
}

}  // namespace testing_support
