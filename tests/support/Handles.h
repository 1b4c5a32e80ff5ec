// The number of handles the process holds, for tests that must leave none
// behind.  Where GetProcessHandleCount tells nothing (Wine answers 0), the
// handles are counted by how many can be opened below the first one that
// a new object gets: the system hands out the lowest free slot, so a
// handle left open anywhere moves that slot up.
#ifndef EDIHAL_TESTS_SUPPORT_HANDLES_H
#define EDIHAL_TESTS_SUPPORT_HANDLES_H

#if defined(_WIN32)
#include <windows.h>

#include <cstdint>
#include <string>

namespace testing_support {

inline long HandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) {
    return static_cast<long>(count);
  }
  HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const auto slot = reinterpret_cast<std::uintptr_t>(probe);
  CloseHandle(probe);
  return static_cast<long>(slot / 4);
}

// Whether nobody holds `path` open: only then can it be opened without
// sharing.
inline bool NobodyHolds(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace testing_support

#endif  // _WIN32

#endif  // EDIHAL_TESTS_SUPPORT_HANDLES_H
