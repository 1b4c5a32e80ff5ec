#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include "DynamicLibrary.h"

namespace hostkit {

void* OpenLibrary(const std::string& path, std::string& error) {
  // A bare file name would make dlopen search the library path; the host
  // names a file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "dlopen failed";
  }
  return library;
}

void* FindSymbol(void* library, const char* name) {
  return dlsym(library, name);
}

void CloseLibrary(void* library) {
  dlclose(library);
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "./";
  std::string folder(path, static_cast<std::size_t>(length));
  return folder.substr(0, folder.rfind('/') + 1);
}

}  // namespace hostkit
