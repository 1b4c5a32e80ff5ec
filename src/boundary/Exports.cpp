// The eleven exports: the whole contract with the host.  Each is a thin
// frame: it copies the host's texts, runs one operation and copies results
// back.  No exception leaves any of them.
#include <cstdint>
#include <new>
#include <string>

#include "EdiHal_X.h"
#include "base/Texts.h"
#include "boundary/LibraryHandle.h"
#include "boundary/Parameters.h"
#include "boundary/TestHooks.h"
#include "boundary/TextBuffer.h"
#include "boundary/WorkerGuard.h"
#include "export/ExportCalls.h"
#include "host/LibraryObject.h"
#include "import/ImportInvoiceDocument.h"
#include "platform/EntryPoint.h"
#include "platform/FpuControl.h"
#include "platform/Platform.h"
#include "selection/ImportSelectionList.h"

using edihal::TVEXBibliotekaEDI;

namespace {

// Steps 1 to 3 of every worker export: store the call context, then build
// the worker's inputs and run it inside the guard, with the module's own
// x87 control word.  True when it ended normally.  A structured exception
// that the host raised in a callback is raised again only after the host's
// control word is back: the host's handler unwinds past this frame without
// running its destructors.
template <typename Work>
bool RunWorker(EdiHalLibrary handle, EdiHalHostValue context, Work&& work) noexcept {
  TVEXBibliotekaEDI* library = edihal::ObjectOf(handle);
  if (library == nullptr) return false;  // nothing to report to
  edihal::PendingHostFault fault;
  bool done = false;
  {
    const edihal::ModuleFpuScope fpu;
    library->BeginCall(context, fpu.CallerWord());
    done = edihal::RunGuardedKeepingFault(
        *library,
        [&] {
          if (!edihal::test_hooks::RunArmedFailure(*library)) work(*library);
        },
        fault);
  }
  if (fault.pending) edihal::RaiseStructuredException(fault.exception);
  return done;
}

}  // namespace

extern "C" {

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL VEXDLLTypBiblioteki(void) {
  const edihal::ModuleFpuScope fpu;
  return EDIHAL_LIBRARY_TYPE;
}

EDIHAL_EXPORT EDIHAL_ENTRY void EDIHAL_STDCALL VEXDLLWlasciwosci(char* buffer,
                                                                 int32_t property_id) {
  const edihal::ModuleFpuScope fpu;
  const bool zero = property_id >= 401 && property_id <= 404;
  const char* text = property_id == 1   ? edihal::texts::kFormatName
                     : property_id == 2 ? edihal::texts::kModuleName
                     : zero             ? "0"
                                        : "";
  edihal::WriteTextBuffer(buffer, text);
}

EDIHAL_EXPORT EDIHAL_ENTRY EdiHalLibrary EDIHAL_STDCALL VEXDLLRejestrujBiblioteke(
    EdiHalHostValue host, int32_t /*ignored1*/, int32_t /*ignored2*/, int32_t /*ignored3*/) {
  const edihal::ModuleFpuScope fpu;
  return edihal::HandleOf(new (std::nothrow) TVEXBibliotekaEDI(host));
}

EDIHAL_EXPORT EDIHAL_ENTRY void EDIHAL_STDCALL VEXDLLRejestrujCallback(EdiHalLibrary library,
                                                                       void* callback,
                                                                       int32_t callback_id) {
  const edihal::ModuleFpuScope fpu;
  if (library != nullptr) edihal::ObjectOf(library)->RegisterCallback(callback, callback_id);
}

EDIHAL_EXPORT EDIHAL_ENTRY void EDIHAL_STDCALL VEXDLLZwolnijBiblioteke(EdiHalLibrary library) {
  const edihal::ModuleFpuScope fpu;
  delete edihal::ObjectOf(library);
}

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL
VEXDLLParametr(int32_t group, int32_t index, char* name, char* description, char* default_value,
               int32_t /*ignored1*/, int32_t /*ignored2*/, int32_t* flag) {
  const edihal::ModuleFpuScope fpu;
  try {
    return edihal::DescribeParameter(edihal::SystemPlatform(), group, index, name, description,
                                     default_value, flag);
  } catch (...) {
    return 0;  // only an allocation can fail here
  }
}

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL VEXDLLTekstListyParametru(const char* name,
                                                                            int32_t index,
                                                                            char* buffer) {
  const edihal::ModuleFpuScope fpu;
  try {
    std::string entry;
    if (!edihal::ParameterListEntry(edihal::TextArgument(name), index, entry)) return 0;
    edihal::WriteTextBuffer(buffer, entry);
    return 1;
  } catch (...) {
    return 0;
  }
}

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL
VEXDLLEdiPrzedEksportem(EdiHalLibrary library, EdiHalHostValue context, char* path_buffer,
                        char* filter_buffer, char* prompt_buffer, int32_t* flag) {
  edihal::ExportProposal proposal;
  const bool done = RunWorker(library, context, [&](const TVEXBibliotekaEDI& object) {
    const std::int32_t number = edihal::NumberArgument(path_buffer);
    edihal::PrepareExportFileName(object, edihal::SystemPlatform(), number, proposal);
  });
  if (!done) return 0;
  edihal::WriteTextBuffer(path_buffer, proposal.path);
  edihal::WriteTextBuffer(filter_buffer, proposal.filter);
  edihal::WriteTextBuffer(prompt_buffer, proposal.prompt);
  if (flag != nullptr) *flag = proposal.flag ? 1 : 0;
  return 1;
}

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL VEXDLLEdiEksportujDokument(
    EdiHalLibrary library, EdiHalHostValue context, const char* text1, const char* text2) {
  return RunWorker(library, context, [&](const TVEXBibliotekaEDI& object) {
    edihal::RejectDocumentExport(object, edihal::TextArgument(text1), edihal::TextArgument(text2));
  });
}

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL VEXDLLEdiUtworzListeWyboruImportu(
    EdiHalLibrary library, EdiHalHostValue context, const char* list_path) {
  return RunWorker(library, context, [&](const TVEXBibliotekaEDI& object) {
    edihal::BuildImportSelectionList(object, edihal::SystemPlatform(),
                                     edihal::TextArgument(list_path));
  });
}

EDIHAL_EXPORT EDIHAL_ENTRY int32_t EDIHAL_STDCALL
VEXDLLEdiImportujDokument(EdiHalLibrary library, EdiHalHostValue context, const char* output_path,
                          const char* invoice_path) {
  return RunWorker(library, context, [&](const TVEXBibliotekaEDI& object) {
    edihal::ImportInvoiceDocument(object, edihal::SystemPlatform(),
                                  edihal::TextArgument(output_path),
                                  edihal::TextArgument(invoice_path));
  });
}

}  // extern "C"
