// Workaround: the compiler's run-time, linked into the DLL, is not made to
// be loaded and freed many times in one process, as a host may do with a
// plug-in.  Three pieces of it were left behind at every FreeLibrary:
//   - the per-thread record of exceptions in flight (__cxa_get_globals),
//     which libsupc++ keeps in an emulated thread-local variable whose
//     TLS slot and lock (a semaphore handle) are never released;
//   - the emergency arena for exception objects, allocated when the DLL is
//     loaded and never freed;
//   - the locks of the unwinder and of libstdc++ (each a semaphore made on
//     first use, e.g. by the first exception), never closed.
// So the record is kept here in a TLS slot of the module's own, made on
// first use; the run-time's semaphores are made through a function of
// ours, which keeps their handles; and the slot, this thread's record, the
// arena and the semaphores are released when the DLL is unloaded.  A
// record of another thread is freed when that thread ends, by the
// run-time's TLS destructor list.  Unloading happens with no call of the
// module running, so no lock is held or waited for then.
#include <windows.h>

#include <cstdlib>

namespace __gnu_cxx {
void __freeres() noexcept;  // libstdc++: frees the emergency arena
}

extern "C" int __mingwthr_key_dtor(DWORD key, void (*dtor)(void*));
extern "C" int __mingwthr_remove_key_dtor(DWORD key);

namespace {

// What libsupc++ keeps per thread (its __cxa_eh_globals).
struct ExceptionGlobals {
  void* caught_exceptions;
  unsigned int uncaught_exceptions;
};

// The TLS slot, or TLS_OUT_OF_INDEXES before the first exception.
volatile LONG slot = static_cast<LONG>(TLS_OUT_OF_INDEXES);

// The run-time's TLS destructor list calls this on the thread that ends,
// and on the unloading thread when the DLL is unloaded, before or after the
// static destructors.  Forgetting the record here keeps Teardown from
// freeing it a second time (a corrupt heap that hung the host later).
void FreeThreadRecord(void* record) {
  std::free(record);
  const LONG current = slot;
  if (current != static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
    TlsSetValue(static_cast<DWORD>(current), nullptr);
  }
}

DWORD Slot() {
  const LONG current = slot;
  if (current != static_cast<LONG>(TLS_OUT_OF_INDEXES)) return static_cast<DWORD>(current);
  const DWORD made = TlsAlloc();
  if (made == TLS_OUT_OF_INDEXES) std::abort();  // as the run-time does
  const LONG before = InterlockedCompareExchange(&slot, static_cast<LONG>(made),
                                                 static_cast<LONG>(TLS_OUT_OF_INDEXES));
  if (before == static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
    __mingwthr_key_dtor(made, FreeThreadRecord);
    return made;
  }
  TlsFree(made);  // another thread was first
  return static_cast<DWORD>(before);
}

// The run-time's semaphores, as they were made; a few at most.
constexpr LONG kKeptSemaphores = 16;
HANDLE kept_semaphores[kKeptSemaphores] = {};
volatile LONG kept_count = 0;

using CreateSemaphoreFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR);

HANDLE WINAPI CreateKeptSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                  LPCWSTR name) {
  const auto create = reinterpret_cast<CreateSemaphoreFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateSemaphoreW")));
  const HANDLE semaphore = create(attributes, initial, maximum, name);
  if (semaphore == nullptr) return semaphore;
  const LONG index = InterlockedIncrement(&kept_count) - 1;
  if (index < kKeptSemaphores) kept_semaphores[index] = semaphore;
  return semaphore;
}

void CloseKeptSemaphores() {
  const LONG count = kept_count < kKeptSemaphores ? kept_count : kKeptSemaphores;
  for (LONG i = 0; i < count; ++i) {
    if (kept_semaphores[i] != nullptr) CloseHandle(kept_semaphores[i]);
    kept_semaphores[i] = nullptr;
  }
  kept_count = 0;
}

// Runs when the DLL is unloaded (its static destructors run then).
struct Teardown {
  ~Teardown() {
    CloseKeptSemaphores();
    const LONG current = slot;
    if (current != static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
      // Off the destructor list first: the slot is given back below.
      __mingwthr_remove_key_dtor(static_cast<DWORD>(current));
      std::free(TlsGetValue(static_cast<DWORD>(current)));
      TlsSetValue(static_cast<DWORD>(current), nullptr);
      TlsFree(static_cast<DWORD>(current));
    }
    __gnu_cxx::__freeres();
  }
} const teardown;

}  // namespace

// The run-time reaches CreateSemaphoreW through its import slot; this
// definition of the slot takes the place of the system library's.
#if defined(__i386__)
#define EDIHAL_IMPORT_SLOT(name, size) "__imp__" #name "@" #size
#else
#define EDIHAL_IMPORT_SLOT(name, size) "__imp_" #name
#endif
extern "C" {
extern CreateSemaphoreFunction const edihal_create_semaphore_slot __asm__(
    EDIHAL_IMPORT_SLOT(CreateSemaphoreW, 16));
__attribute__((used)) CreateSemaphoreFunction const edihal_create_semaphore_slot =
    CreateKeptSemaphore;
}

extern "C" ExceptionGlobals* __cxa_get_globals() noexcept {
  const DWORD key = Slot();
  auto* globals = static_cast<ExceptionGlobals*>(TlsGetValue(key));
  if (globals == nullptr) {
    globals = static_cast<ExceptionGlobals*>(std::calloc(1, sizeof(ExceptionGlobals)));
    if (globals == nullptr) std::abort();
    TlsSetValue(key, globals);
  }
  return globals;
}

extern "C" ExceptionGlobals* __cxa_get_globals_fast() noexcept {
  return __cxa_get_globals();
}
