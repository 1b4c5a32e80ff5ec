// The system's run-time loader: dlopen on POSIX, LoadLibrary on Windows.
#ifndef EDIHAL_HOSTKIT_DYNAMICLIBRARY_H
#define EDIHAL_HOSTKIT_DYNAMICLIBRARY_H

#include <string>

namespace hostkit {

// Null on failure, with the system's reason in `error`.
void* OpenLibrary(const std::string& path, std::string& error);
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);
// The folder of the running program, with a trailing separator.
std::string ExecutableFolder();

}  // namespace hostkit

#endif  // EDIHAL_HOSTKIT_DYNAMICLIBRARY_H
