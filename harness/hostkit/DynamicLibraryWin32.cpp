#include <windows.h>

#include "DynamicLibrary.h"

namespace hostkit {

void* OpenLibrary(const std::string& path, std::string& error) {
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    error = "LoadLibrary failed with system error " + std::to_string(GetLastError());
  }
  return reinterpret_cast<void*>(library);
}

void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) {
  FreeLibrary(static_cast<HMODULE>(library));
}

std::string ExecutableFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".\\";
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace hostkit
