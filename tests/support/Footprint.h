// What the process holds, for tests that must leave nothing behind: open
// handles (descriptors on POSIX), address space and resident memory.
#ifndef EDIHAL_TESTS_SUPPORT_FOOTPRINT_H
#define EDIHAL_TESTS_SUPPORT_FOOTPRINT_H

#include <cstdint>
#include <string>

namespace testing_support {

// Open handles under Windows, open file descriptors on POSIX.
long OpenHandles();
#if defined(_WIN32)
// Whether nobody holds `path` open: only then can it be opened without
// sharing.
bool NobodyHolds(const std::string& path);
#endif
// Whether the module at `path` is loaded in this process.
bool ModuleLoaded(const std::string& path);
// Bytes of address space reserved or committed.
std::int64_t AddressSpaceBytes();
// Resident bytes on Linux; -1 where not measured (Windows).
std::int64_t ResidentBytes();

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_FOOTPRINT_H
