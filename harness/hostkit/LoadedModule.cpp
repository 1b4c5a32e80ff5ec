#include "LoadedModule.h"

#include "DynamicLibrary.h"

namespace hostkit {

namespace {

template <typename Function>
bool BindOne(Function& slot, void* symbol, const char* name, std::string& error) {
  slot = reinterpret_cast<Function>(symbol);
  if (symbol == nullptr && error.empty()) error = std::string("the module has no export ") + name;
  return symbol != nullptr;
}

}  // namespace

LoadedModule::~LoadedModule() {
  CloseLibrary(handle_);
}

void* LoadedModule::Symbol(const char* name) const {
  return FindSymbol(handle_, name);
}

bool LoadedModule::Bind(std::string& error) {
#define EDIHAL_BIND(field) BindOne(api_.field, Symbol("VEXDLL" #field), "VEXDLL" #field, error)
  bool ok = EDIHAL_BIND(TypBiblioteki);
  ok = EDIHAL_BIND(Wlasciwosci) && ok;
  ok = EDIHAL_BIND(RejestrujBiblioteke) && ok;
  ok = EDIHAL_BIND(RejestrujCallback) && ok;
  ok = EDIHAL_BIND(ZwolnijBiblioteke) && ok;
  ok = EDIHAL_BIND(Parametr) && ok;
  ok = EDIHAL_BIND(TekstListyParametru) && ok;
  ok = EDIHAL_BIND(EdiPrzedEksportem) && ok;
  ok = EDIHAL_BIND(EdiEksportujDokument) && ok;
  ok = EDIHAL_BIND(EdiUtworzListeWyboruImportu) && ok;
  ok = EDIHAL_BIND(EdiImportujDokument) && ok;
#undef EDIHAL_BIND
  return ok;
}

std::unique_ptr<LoadedModule> LoadedModule::Load(const std::string& path, std::string& error) {
  error.clear();
  void* handle = OpenLibrary(path, error);
  if (handle == nullptr) return nullptr;
  std::unique_ptr<LoadedModule> module(new LoadedModule(handle, path));
  if (!module->Bind(error)) return nullptr;
  return module;
}

std::string ModuleFileName(const std::string& base_name) {
#if defined(_WIN32)
  return base_name + ".dll";
#else
  return "lib" + base_name + ".so";
#endif
}

std::string BesideExecutable(const std::string& file_name) {
  return ExecutableFolder() + file_name;
}

}  // namespace hostkit
