#include "Footprint.h"

#include "TestFiles.h"

#if defined(_WIN32)
#include <windows.h>

#include <cstdint>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace testing_support {

#if defined(_WIN32)

// Where GetProcessHandleCount tells nothing (Wine answers 0), handles are
// counted by the slot a new one gets: the system hands out the lowest free
// slot, so a handle left open anywhere moves it up.
long OpenHandles() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) {
    return static_cast<long>(count);
  }
  HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const auto slot = reinterpret_cast<std::uintptr_t>(probe);
  CloseHandle(probe);
  return static_cast<long>(slot / 4);
}

bool ModuleLoaded(const std::string& path) {
  return GetModuleHandleW(PathOf(path).c_str()) != nullptr;
}

bool NobodyHolds(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::int64_t AddressSpaceBytes() {
  std::int64_t bytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr;
       VirtualQuery(at, &region, sizeof region) == sizeof region && region.RegionSize != 0;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State != MEM_FREE) bytes += static_cast<std::int64_t>(region.RegionSize);
  }
  return bytes;
}

std::int64_t ResidentBytes() {
  return -1;
}

#else

long OpenHandles() {
  long count = 0;
  if (DIR* folder = opendir("/proc/self/fd")) {
    while (readdir(folder) != nullptr) ++count;
    closedir(folder);
  }
  return count;
}

// dlopen finds a loaded module without loading it again.
bool ModuleLoaded(const std::string& path) {
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (module != nullptr) dlclose(module);
  return module != nullptr;
}

namespace {

// Field `index` (0: size, 1: resident) of /proc/self/statm, in bytes.
std::int64_t StatmBytes(int index) {
  long fields[2] = {0, 0};
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &fields[0], &fields[1]) != 2) fields[0] = fields[1] = 0;
    std::fclose(statm);
  }
  return static_cast<std::int64_t>(fields[index]) * sysconf(_SC_PAGESIZE);
}

}  // namespace

std::int64_t AddressSpaceBytes() {
  return StatmBytes(0);
}

std::int64_t ResidentBytes() {
  return StatmBytes(1);
}

#endif

}  // namespace testing_support
