// Host callbacks inside an exception frame of the module's own.
//
// A host written in another language may fail in a callback by raising a
// structured exception (RaiseException) that it means to catch around the
// export it called.  On 32-bit Windows the exception's search would pass
// through the module's frames without unwinding them (the compiler's C++
// exceptions use their own tables, not the fs:[0] chain), leaving files
// open and the worker half done.  So every callback runs under a frame on
// the fs:[0] chain whose handler, in the search pass, keeps the exception's
// record, takes itself and everything above it off the chain, and jumps
// back to the call.  There the exception becomes a C++ HostCallbackFault
// that unwinds the worker normally; the guard raises it again afterwards.
//
// On x86-64 the search finds frames through unwind tables and would skip
// the module's frames just the same; there the callback runs inside a scope
// of the system's table-based handler whose filter keeps the record and
// takes the exception, and the same C++ exception follows.
#include <windows.h>

#include <cstring>

#include "platform/EntryPoint.h"
#include "platform/Platform.h"

namespace edihal {

namespace {

// What it takes to raise `record` again.
[[maybe_unused]] StructuredException Copy(const EXCEPTION_RECORD& record) {
  StructuredException exception;
  exception.code = record.ExceptionCode;
  exception.flags = record.ExceptionFlags;
  exception.argument_count =
      record.NumberParameters < 15 ? static_cast<std::uint32_t>(record.NumberParameters) : 15;
  for (std::uint32_t i = 0; i < exception.argument_count; ++i) {
    exception.arguments[i] = record.ExceptionInformation[i];
  }
  return exception;
}

}  // namespace

#if defined(__i386__)

namespace {

// One registration on the fs:[0] chain: the two words the system reads,
// then what the handler needs.
struct ShieldFrame {
  ShieldFrame* next;
  EXCEPTION_DISPOSITION(__cdecl* handler)(EXCEPTION_RECORD*, void*, CONTEXT*, void*);
  void* jump[5];  // for __builtin_setjmp
  StructuredException caught;
};

ShieldFrame* ChainHead() {
  return reinterpret_cast<ShieldFrame*>(__readfsdword(0));
}

void SetChainHead(ShieldFrame* frame) {
  __writefsdword(0, static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(frame)));
}

EDIHAL_ENTRY EXCEPTION_DISPOSITION __cdecl ShieldHandler(EXCEPTION_RECORD* record,
                                                         void* established, CONTEXT* /*context*/,
                                                         void* /*dispatcher*/) {
  // An unwind started by a handler further out passes through untouched.
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) {
    return ExceptionContinueSearch;
  }
  ShieldFrame* frame = static_cast<ShieldFrame*>(established);
  frame->caught = Copy(*record);
  // Off the chain: this frame, the dispatcher's and the callback's own.
  SetChainHead(frame->next);
  __builtin_longjmp(frame->jump, 1);
}

// Keeps the chain right however the call ends.
class Registration {
 public:
  explicit Registration(ShieldFrame& frame) : frame_(frame) {
    frame_.next = ChainHead();
    frame_.handler = ShieldHandler;
    SetChainHead(&frame_);
  }
  ~Registration() { SetChainHead(frame_.next); }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;

 private:
  ShieldFrame& frame_;
};

}  // namespace

void CallShielded(void (*call)(void*), void* context) {
  // The jump back restores only the stack and frame pointers; clobbering
  // the other registers the caller keeps makes this function save them on
  // entry and restore them on every way out.
  __asm__ __volatile__("" ::: "ebx", "esi", "edi", "memory");
  ShieldFrame frame{};
  {
    Registration registration(frame);
    if (__builtin_setjmp(frame.jump) == 0) {
      call(context);
      return;
    }
  }
  throw HostCallbackFault(frame.caught);
}

#elif defined(__x86_64__)

}  // namespace edihal

namespace {

// Where the filter of the running shielded call keeps what it caught.
thread_local edihal::StructuredException* caught_here = nullptr;

// GCC's own C++ exceptions travel as structured exceptions here too, with
// "GCC" in the low bytes of the code: they pass on to their catch.
bool IsCompilersOwn(DWORD code) {
  const DWORD kind = code >> 24;
  return (code & 0x00FFFFFF) == 0x474343 && kind >= 0x20 && kind <= 0x22;
}

}  // namespace

// The scope's filter, named by its symbol in the scope table: takes every
// exception that reaches it but the compiler's own.
extern "C" __attribute__((used)) LONG edihal_ShieldFilter(EXCEPTION_POINTERS* pointers,
                                                          void* /*frame*/) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (IsCompilersOwn(record.ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
  *caught_here = edihal::Copy(record);
  return EXCEPTION_EXECUTE_HANDLER;
}

namespace edihal {

namespace {

// No C++ object lives here, so that the scope's handler is the function's
// only one.  True when an exception ended the call.
__attribute__((noinline)) bool CallInScope(void (*call)(void*), void* context,
                                           StructuredException& caught) {
  StructuredException* const outer = caught_here;
  caught_here = &caught;
  caught.code = 0;
  __try1(edihal_ShieldFilter);
  call(context);
  __except1;
  caught_here = outer;
  return caught.code != 0;
}

}  // namespace

void CallShielded(void (*call)(void*), void* context) {
  StructuredException caught;
  if (CallInScope(call, context, caught)) throw HostCallbackFault(caught);
}

#else

void CallShielded(void (*call)(void*), void* context) {
  call(context);
}

#endif

void RaiseStructuredException(const StructuredException& exception) {
  ULONG_PTR arguments[15];
  for (std::uint32_t i = 0; i < exception.argument_count; ++i)
    arguments[i] = exception.arguments[i];
  // Returns only when the host continues a continuable exception; the
  // worker has ended all the same.
  RaiseException(exception.code, exception.flags & EXCEPTION_NONCONTINUABLE,
                 exception.argument_count, exception.argument_count != 0 ? arguments : nullptr);
}

}  // namespace edihal
