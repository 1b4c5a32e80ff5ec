#include "HostCatch.h"

#include <gtest/gtest.h>

namespace testing_support {

const HostRaise kHostRaises[3] = {
    {"the runtime's exception",
     0x0EEDFADE,
     EXCEPTION_NONCONTINUABLE,
     7,
     {0x00401A2B, 0x00C41F30, 1, 2, 3, 4, 0x0019FF10}},
    {"the runtime's silent abort",
     0x0EEDFADE,
     EXCEPTION_NONCONTINUABLE,
     7,
     {0x00402C00, 0x00C42A08, 5, 6, 7, 8, 0x0019FE00}},
    {"an application's own code", 0xE0484F53, 0, 2, {0x1234, 0xBEEF}},
};
const HostRaise* raising = &kHostRaises[0];

void RaiseAsHost() {
  RaiseException(raising->code, raising->flags, raising->count, raising->arguments);
}

namespace {

Caught caught_now;

void Keep(const EXCEPTION_RECORD& record, Caught& caught) {
  caught.raised = true;
  caught.code = record.ExceptionCode;
  caught.flags = record.ExceptionFlags;
  caught.count = record.NumberParameters;
  for (DWORD i = 0; i < record.NumberParameters && i < EXCEPTION_MAXIMUM_PARAMETERS; ++i) {
    caught.arguments[i] = record.ExceptionInformation[i];
  }
}

#if defined(__i386__)

// The host's frame on the fs:[0] chain, as a Delphi or C host builds one
// around a call: its handler takes any exception in the search pass and
// resumes at the frame, with the chain as it was there.
struct HostFrame {
  HostFrame* next;
  EXCEPTION_DISPOSITION(__cdecl* handler)(EXCEPTION_RECORD*, void*, CONTEXT*, void*);
  void* jump[5];
};

EXCEPTION_DISPOSITION __cdecl HostHandler(EXCEPTION_RECORD* record, void* established, CONTEXT*,
                                          void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) {
    return ExceptionContinueSearch;
  }
  Keep(*record, caught_now);
  HostFrame* frame = static_cast<HostFrame*>(established);
  __writefsdword(0, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(frame->next)));
  __builtin_longjmp(frame->jump, 1);
}

void CallCatching(void (*call)(void*), void* context) {
  // The jump back restores only the stack and frame pointers: have the
  // caller's other registers saved here.
  __asm__ __volatile__("" ::: "ebx", "esi", "edi", "memory");
  HostFrame frame{};
  frame.next = reinterpret_cast<HostFrame*>(__readfsdword(0));
  frame.handler = HostHandler;
  __writefsdword(0, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(&frame)));
  if (__builtin_setjmp(frame.jump) == 0) {
    call(context);
    __writefsdword(0, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(frame.next)));
  }
}

#endif

}  // namespace

#if !defined(__i386__)

// x86-64: a scope of the system's table-based handler, whose filter takes
// any exception.  The scope names the filter by its symbol.
extern "C" __attribute__((used)) LONG edihal_test_HostFilter(EXCEPTION_POINTERS* pointers, void*) {
  Keep(*pointers->ExceptionRecord, caught_now);
  return EXCEPTION_EXECUTE_HANDLER;
}

namespace {

__attribute__((noinline)) void CallCatching(void (*call)(void*), void* context) {
  __try1(edihal_test_HostFilter);
  call(context);
  __except1;
}

}  // namespace

#endif

Caught RunCatching(const std::function<void()>& body) {
  caught_now = Caught{};
  CallCatching([](void* target) { (*static_cast<const std::function<void()>*>(target))(); },
               const_cast<std::function<void()>*>(&body));
  return caught_now;
}

void ExpectCaughtAsRaised(const Caught& caught) {
  EXPECT_TRUE(caught.raised);
  EXPECT_EQ(raising->code, caught.code);
  EXPECT_EQ(raising->flags, caught.flags & EXCEPTION_NONCONTINUABLE);
  ASSERT_EQ(raising->count, caught.count);
  for (DWORD i = 0; i < raising->count; ++i) {
    EXPECT_EQ(raising->arguments[i], caught.arguments[i]) << "argument " << i;
  }
}

}  // namespace testing_support
