#include "RealHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "ControlWord.h"
#include "DynamicLibrary.h"

namespace testing_support {

namespace {

using edihal::kControlWordBits;

std::uint16_t WordFromEnvironment() {
  const char* text = std::getenv("EDIHAL_HOST_CONTROL_WORD");
  if (text == nullptr || *text == '\0') return 0;
  return static_cast<std::uint16_t>(std::strtoul(text, nullptr, 0));
}

std::uint16_t g_host_word = WordFromEnvironment();
hostkit::ModuleApi g_real[3];

#if defined(__i386__)

// The next call's distance of its first argument past a 16-byte boundary.
std::uint32_t NextMisalignment() {
  static std::uint32_t turn = 0;
  turn = turn % 3 + 1;
  return 4 * turn;
}

// Calls the stdcall function `target` with `count` 32-bit arguments, the
// first of them `offset` bytes past a 16-byte boundary.
__attribute__((noinline)) std::uint32_t CallMisaligned(const void* target,
                                                       const std::uint32_t* words,
                                                       std::uint32_t count, std::uint32_t offset) {
  std::uint32_t pad = (64 - offset - 4 * count % 16) % 16;
  std::uint32_t saved_stack;
  __asm__ __volatile__(
      "movl %%esp, %%edi\n\t"
      "andl $-16, %%esp\n\t"
      "subl %%eax, %%esp\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n"
      "1:\n\t"
      "pushl -4(%%esi,%%ecx,4)\n\t"
      "decl %%ecx\n\t"
      "jnz 1b\n"
      "2:\n\t"
      "call *%%edx\n\t"
      "movl %%edi, %%esp\n\t"
      : "+a"(pad), "+c"(count), "+d"(target), "+S"(words), "=&D"(saved_stack)
      :
      : "memory", "cc");
  return pad;  // now the result in eax
}

template <typename T>
std::uint32_t Word(T value) {
  static_assert(sizeof(T) == 4, "every argument is 32 bits wide");
  std::uint32_t word = 0;
  std::memcpy(&word, &value, 4);
  return word;
}

#endif

template <typename Target, typename... Args>
auto Call(Target target, Args... args) {
#if defined(__i386__)
  using Result = decltype(target(args...));
  const std::uint32_t words[] = {Word(args)..., 0};
  const std::uint32_t result = CallMisaligned(reinterpret_cast<const void*>(target), words,
                                              sizeof...(Args), NextMisalignment());
  if constexpr (std::is_void_v<Result>) {
    (void)result;
  } else if constexpr (std::is_pointer_v<Result>) {
    return reinterpret_cast<Result>(static_cast<std::uintptr_t>(result));
  } else {
    return static_cast<Result>(result);
  }
#else
  return target(args...);
#endif
}

// Around one export call: the host's word in, then the checks.
class HostCall {
 public:
  explicit HostCall(const char* name) : name_(name) {
    if (g_host_word != 0) scope_.emplace(g_host_word);
  }
  ~HostCall() {
    if (!scope_) return;
    const std::uint16_t word = edihal::ReadControlWord();
    const std::uint16_t pending = PendingExceptionFlags();
    EXPECT_EQ(g_host_word & kControlWordBits, word & kControlWordBits)
        << name_ << " left the host another x87 control word";
    // Any flag, masked or not: the host's next word may unmask it, and an
    // unmasked pending flag traps at its next x87 instruction.
    EXPECT_EQ(0, pending) << name_ << " left an x87 exception flag pending (status flags "
                          << pending << ")";
  }
  HostCall(const HostCall&) = delete;
  HostCall& operator=(const HostCall&) = delete;

 private:
  const char* name_;
  std::optional<ControlWordScope> scope_;
};

// The stub of the export at `Field` of module W: the host's word in, the
// call misaligned, the checks after.
template <int W, auto Field, typename Pointer>
struct Stub;

template <int W, auto Field, typename Result, typename... Args>
struct Stub<W, Field, Result(EDIHAL_STDCALL*)(Args...)> {
  static Result EDIHAL_STDCALL Run(Args... args) {
    HostCall call(__PRETTY_FUNCTION__);  // names the export's field
    return Call(g_real[W].*Field, args...);
  }
};

template <int W, auto Field>
void Bind(hostkit::ModuleApi& stubs) {
  using Pointer = std::remove_reference_t<decltype(stubs.*Field)>;
  if (g_real[W].*Field != nullptr) stubs.*Field = &Stub<W, Field, Pointer>::Run;
}

// `api` with each of `Fields` behind its stub for module W.
template <int W, auto... Fields>
hostkit::ModuleApi StubsFor(const hostkit::ModuleApi& api) {
  g_real[W] = api;
  hostkit::ModuleApi stubs;
  (Bind<W, Fields>(stubs), ...);
  return stubs;
}

template <int W>
hostkit::ModuleApi StubsOf(const hostkit::ModuleApi& api) {
  using M = hostkit::ModuleApi;
  return StubsFor<W, &M::TypBiblioteki, &M::Wlasciwosci, &M::RejestrujBiblioteke,
                  &M::RejestrujCallback, &M::ZwolnijBiblioteke, &M::Parametr,
                  &M::TekstListyParametru, &M::EdiPrzedEksportem, &M::EdiEksportujDokument,
                  &M::EdiUtworzListeWyboruImportu, &M::EdiImportujDokument>(api);
}

// A module beside the program, loaded for the rest of the run and called
// through the real-host stubs of set `which`.
hostkit::ModuleApi LoadedForTheRun(const char* base_name, int which) {
  static std::vector<std::unique_ptr<hostkit::LoadedModule>> modules;
  std::string error;
  const std::string path = hostkit::BesideExecutable(hostkit::ModuleFileName(base_name));
  modules.push_back(hostkit::LoadedModule::Load(path, error));
  if (!modules.back()) {
    std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), error.c_str());
    std::abort();
  }
  return LikeRealHost(modules.back()->Api(), which);
}

}  // namespace

const hostkit::ModuleApi& TestModule() {
  static const hostkit::ModuleApi api = LoadedForTheRun("EdiHal_X_testhooks", 0);
  return api;
}

void ArmFailure(EdiHalLibrary library, int32_t kind, const char* message) {
  using Arm = void(EDIHAL_STDCALL*)(EdiHalLibrary, int32_t, const char*);
  // The test module, loaded once more for its hook: the same module.
  static const Arm arm = [] {
    TestModule();
    std::string error;
    void* module = hostkit::OpenLibrary(
        hostkit::BesideExecutable(hostkit::ModuleFileName("EdiHal_X_testhooks")), error);
    return reinterpret_cast<Arm>(hostkit::FindSymbol(module, "EdiHalTest_ArmFailure"));
  }();
  arm(library, kind, message);
}

const hostkit::ModuleApi& ReleaseModule() {
  static const hostkit::ModuleApi api = LoadedForTheRun("EdiHal_X", 1);
  return api;
}

HostControlWordScope::HostControlWordScope(std::uint16_t word) : outer_(g_host_word) {
  g_host_word = word;
}

HostControlWordScope::~HostControlWordScope() {
  g_host_word = outer_;
}

hostkit::ModuleApi LikeRealHost(const hostkit::ModuleApi& api, int which) {
  switch (which) {
    case 0:
      return StubsOf<0>(api);
    case 1:
      return StubsOf<1>(api);
    default:
      return StubsOf<2>(api);
  }
}

void ExpectHostSideState(const char* callback, const void* first_argument) {
  if (g_host_word != 0) {
    const std::uint16_t word = edihal::ReadControlWord();
    EXPECT_EQ(g_host_word & kControlWordBits, word & kControlWordBits)
        << callback << " was called with the module's x87 control word, not the host's";
    EXPECT_EQ(0, PendingExceptionFlags())
        << callback << " was called with the module's x87 exception flags pending";
  }
#if defined(__i386__)
  // The caller's stack was 16-byte aligned at the call, as the compiler of
  // the callback may assume: the module realigned what the host gave it.
  EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(first_argument) % 16)
      << callback << " was called on a misaligned stack";
#else
  (void)first_argument;  // in a register
#endif
}

}  // namespace testing_support
