// Loads an EdiHal_X module at run time, the way the VEX host does, and
// gives its exports by name.  Used by the vexhost harness and the host tests.
#ifndef EDIHAL_HOSTKIT_LOADEDMODULE_H
#define EDIHAL_HOSTKIT_LOADEDMODULE_H

#include <memory>
#include <string>

#include "EdiHal_X.h"

namespace hostkit {

// The module's exports.
struct ModuleApi {
  decltype(&VEXDLLTypBiblioteki) TypBiblioteki = nullptr;
  decltype(&VEXDLLWlasciwosci) Wlasciwosci = nullptr;
  decltype(&VEXDLLRejestrujBiblioteke) RejestrujBiblioteke = nullptr;
  decltype(&VEXDLLRejestrujCallback) RejestrujCallback = nullptr;
  decltype(&VEXDLLZwolnijBiblioteke) ZwolnijBiblioteke = nullptr;
  decltype(&VEXDLLParametr) Parametr = nullptr;
  decltype(&VEXDLLTekstListyParametru) TekstListyParametru = nullptr;
  decltype(&VEXDLLEdiPrzedEksportem) EdiPrzedEksportem = nullptr;
  decltype(&VEXDLLEdiEksportujDokument) EdiEksportujDokument = nullptr;
  decltype(&VEXDLLEdiUtworzListeWyboruImportu) EdiUtworzListeWyboruImportu = nullptr;
  decltype(&VEXDLLEdiImportujDokument) EdiImportujDokument = nullptr;
};

class LoadedModule {
 public:
  // Loads the module at `path`; on failure returns null and says why in
  // `error` (a module that cannot be opened or lacks an export).
  static std::unique_ptr<LoadedModule> Load(const std::string& path, std::string& error);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  const ModuleApi& Api() const { return api_; }
  const std::string& Path() const { return path_; }

 private:
  LoadedModule(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  void* Symbol(const char* name) const;
  bool Bind(std::string& error);

  void* handle_;
  std::string path_;
  ModuleApi api_;
};

// File name of the module on this platform ("libEdiHal_X.so", "EdiHal_X.dll").
std::string ModuleFileName(const std::string& base_name);
// `file_name` in the folder of the running program.
std::string BesideExecutable(const std::string& file_name);

}  // namespace hostkit

#endif  // EDIHAL_HOSTKIT_LOADEDMODULE_H
