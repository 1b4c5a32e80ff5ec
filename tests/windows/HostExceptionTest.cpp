// A host written in another language fails in a callback by raising a
// structured exception (RaiseException) and catches it around the export
// it called.  Through the shipped DLL: the host's own frame catches the
// exception with its code and arguments, nothing is reported through the
// error callback, no file handle stays open, and the next call on the same
// library object works normally.  Also an invoice that another process
// holds open without sharing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "Handles.h"
#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::SourcePath;
using testing_support::TempFolder;
using testing_support::WriteFile;

constexpr DWORD kHostCode = 0xE0484F53;  // an application's own exception code
constexpr ULONG_PTR kHostArguments[] = {0x1234, 0xBEEF};

// What the host's frame caught.
struct Caught {
  bool raised = false;
  DWORD code = 0;
  DWORD arguments = 0;
  ULONG_PTR first = 0;
  ULONG_PTR second = 0;
};

}  // namespace

static Caught caught_now;

namespace {

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
  caught_now.raised = true;
  caught_now.code = record->ExceptionCode;
  caught_now.arguments = record->NumberParameters;
  caught_now.first = record->NumberParameters > 0 ? record->ExceptionInformation[0] : 0;
  caught_now.second = record->NumberParameters > 1 ? record->ExceptionInformation[1] : 0;
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
extern "C" LONG HostFilter(EXCEPTION_POINTERS* pointers, void*) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  caught_now.raised = true;
  caught_now.code = record->ExceptionCode;
  caught_now.arguments = record->NumberParameters;
  caught_now.first = record->NumberParameters > 0 ? record->ExceptionInformation[0] : 0;
  caught_now.second = record->NumberParameters > 1 ? record->ExceptionInformation[1] : 0;
  return EXCEPTION_EXECUTE_HANDLER;
}

namespace {

__attribute__((noinline)) void CallCatching(void (*call)(void*), void* context) {
  __try1(HostFilter);
  call(context);
  __except1;
}

}  // namespace

#endif

namespace {

// Runs `body` inside the host's frame; what it caught.
Caught RunCatching(const std::function<void()>& body) {
  caught_now = Caught{};
  CallCatching([](void* target) { (*static_cast<const std::function<void()>*>(target))(); },
               const_cast<std::function<void()>*>(&body));
  return caught_now;
}

using testing_support::HandleCount;

// Whether nobody holds `path` open: only then can it be opened without
// sharing.
bool NobodyHolds(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The parameter callback of a host that fails when asked for `failing_name`.
std::string failing_name;
int32_t EDIHAL_STDCALL RaisingParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                        char* answer) {
  if (failing_name == name) RaiseException(kHostCode, 0, 2, kHostArguments);
  std::strcpy(answer, std::strcmp(name, "CzyKategoryzacja") == 0 ? "Nie" : "23");
  return 1;
}

int32_t EDIHAL_STDCALL RaisingText(EdiHalHostValue, EdiHalHostValue, const char*) {
  RaiseException(kHostCode, 0, 2, kHostArguments);
  return 1;
}

class HostException : public testing::Test {
 protected:
  HostException() : host(testing_support::ReleaseModule()) {
    invoice = folder.File("fv.xml");
    output = folder.File("dok.txt");
    WriteFile(invoice, ReadFile(SourcePath("examples/FV_2024_03_0142_cp1250.xml")));
    host.Answer("CzyKategoryzacja", "Nie");
    host.Answer("StawkaA", "23");
    host.Answer("StawkaB", "8");
    host.Answer("StawkaC", "5");
    host.Answer("StawkaD", "0");
    host.Answer("StawkaG", "ZW");
    host.Answer("KatalogImp", folder.Path());
    host.Answer("PrefixImp", "fv");
    host.Answer("ListaImp", "wg zaw. katalogu");
  }

  int32_t Import() {
    return host.Api().EdiImportujDokument(host.Library(), 1, output.c_str(), invoice.c_str());
  }

  void ExpectCaughtAsRaised(const Caught& caught) {
    EXPECT_TRUE(caught.raised);
    EXPECT_EQ(kHostCode, caught.code);
    EXPECT_EQ(2u, caught.arguments);
    EXPECT_EQ(kHostArguments[0], caught.first);
    EXPECT_EQ(kHostArguments[1], caught.second);
  }

  // The registered recording callbacks back, and an import that works.
  void ExpectNextImportWorks() {
    host.Register(EDIHAL_CB_PARAMETER_VALUE);
    host.Register(EDIHAL_CB_PROGRESS_PERCENT);
    host.Register(EDIHAL_CB_ERROR);
    host.ClearEvents();
    ASSERT_EQ(1, Import());
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    EXPECT_EQ(ReadFile(SourcePath("examples/expected/FV_2024_03_0142_cp1250.txt")),
              ReadFile(output));
  }

  TempFolder folder;
  RecordingHost host;
  std::string invoice;
  std::string output;
};

// Raised while the invoice and the document are open, in every worker that
// asks the host something, and from the error callback itself.
TEST_F(HostException, TheHostCatchesItsOwnExceptionAndTheModuleStaysUsable) {
  char path[EDIHAL_BUFFER_SIZE], filter[EDIHAL_BUFFER_SIZE], prompt[EDIHAL_BUFFER_SIZE];
  int32_t flag = 0;
  const struct {
    const char* what;
    int callback_id;
    void* callback;
    const char* failing;
    std::function<int32_t()> call;
  } kCases[] = {
      {"import, asked for a rate", EDIHAL_CB_PARAMETER_VALUE,
       reinterpret_cast<void*>(RaisingParameter), "StawkaA", [&] { return Import(); }},
      {"import, asked for categorisation", EDIHAL_CB_PARAMETER_VALUE,
       reinterpret_cast<void*>(RaisingParameter), "CzyKategoryzacja", [&] { return Import(); }},
      {"selection list, showing progress", EDIHAL_CB_PROGRESS_TEXT,
       reinterpret_cast<void*>(RaisingText), "",
       [&] {
         return host.Api().EdiUtworzListeWyboruImportu(host.Library(), 2,
                                                       folder.File("lista.txt").c_str());
       }},
      {"export pre-step, asked for the list mode", EDIHAL_CB_PARAMETER_VALUE,
       reinterpret_cast<void*>(RaisingParameter), "ListaExp",
       [&] {
         return host.Api().EdiPrzedEksportem(host.Library(), 3, path, filter, prompt, &flag);
       }},
      {"the error callback, after a missing invoice", EDIHAL_CB_ERROR,
       reinterpret_cast<void*>(RaisingText), "",
       [&] {
         return host.Api().EdiImportujDokument(host.Library(), 4, output.c_str(),
                                               folder.File("brak.xml").c_str());
       }},
  };
  // The first import opens what the process keeps for good (code pages,
  // locale), so that the handle count compares like with like.
  ExpectNextImportWorks();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    host.ClearEvents();
    failing_name = c.failing;
    host.Api().RejestrujCallback(host.Library(), c.callback, c.callback_id);
    const long handles = HandleCount();
    int32_t result = -1;
    const Caught caught = RunCatching([&] { result = c.call(); });
    ExpectCaughtAsRaised(caught);
    EXPECT_EQ(-1, result) << "the export returned instead";
    EXPECT_EQ(handles, HandleCount());
    EXPECT_TRUE(NobodyHolds(invoice));
    EXPECT_TRUE(!testing_support::FileExists(output) || NobodyHolds(output));
    if (c.callback_id != EDIHAL_CB_ERROR) {
      EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
    }
    ExpectNextImportWorks();
  }
}

// An invoice another process holds open without sharing: an error naming
// it, and the import works once it is released.
TEST_F(HostException, AnInvoiceHeldWithoutSharing) {
  const long handles = HandleCount();
  HANDLE held = CreateFileA(invoice.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  // The count the other tests compare does see an open file.
  EXPECT_EQ(handles + 1, HandleCount());
  EXPECT_EQ(0, Import());
  const auto errors = host.TextsOf(EDIHAL_CB_ERROR);
  ASSERT_EQ(1u, errors.size());
  EXPECT_NE(std::string::npos, errors[0].find(invoice)) << errors[0];
  CloseHandle(held);
  ExpectNextImportWorks();
}

}  // namespace
