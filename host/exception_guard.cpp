#include "host/exception_guard.h"

#include <windows.h>

#include "host/password_verifier.h"

// The guard is a frame-based handler, so it sees only exceptions that no
// inner handler took (a vectored handler would also see the first-chance
// exceptions that the system and the window procedures handle themselves).
// GCC has no __try/__except: on x86_64 the function gets an entry in the
// image's exception tables whose filter runs in the search phase; on i686 a
// handler record is pushed on the thread's handler chain by hand.

namespace {

// Set by the filter when the exception is to be handled here.
volatile LONG g_exceptionHandled = 0;
volatile DWORD g_handledExceptionCode = 0;
volatile int32_t g_workResult = 0;

LONG ReportEscapedException(EXCEPTION_POINTERS* pointers) {
  const LONG verdict = UnhandledExceptionFilter(pointers);
  if (verdict == EXCEPTION_EXECUTE_HANDLER) {
    g_exceptionHandled = 1;
    g_handledExceptionCode = pointers->ExceptionRecord->ExceptionCode;
  }
  return verdict;
}

int32_t HandledExceptionResult() {
  SetSaverRunning(0);
  return static_cast<int32_t>(g_handledExceptionCode);
}

}  // namespace

#if defined(__x86_64__)

// Called by the system's scope-table handler with the exception's information.
extern "C" LONG PennydanceGuardFilter(EXCEPTION_POINTERS* pointers, void*) {
  return ReportEscapedException(pointers);
}

// The scope covers the call of the work; when the filter chooses to handle
// the exception, the system unwinds to the label after it. The labels exist
// once, so the function must never be inlined or cloned.
__attribute__((noinline, noclone)) static void CallInsideScope(GuardedWork work,
                                                               const void* argument) {
  asm volatile(
      "\t.l_pennydance_guard_start:\n"
      "\t.seh_handler __C_specific_handler, @except\n"
      "\t.seh_handlerdata\n"
      "\t.long 1\n"
      "\t.rva .l_pennydance_guard_start, .l_pennydance_guard_end, PennydanceGuardFilter, "
      ".l_pennydance_guard_end\n"
      "\t.text\n" ::: "memory");
  g_workResult = work(argument);
  asm volatile(
      "\tnop\n"
      "\t.l_pennydance_guard_end: nop\n" ::: "memory");
}

int32_t RunInsideExceptionGuard(GuardedWork work, const void* argument) {
  g_exceptionHandled = 0;
  CallInsideScope(work, argument);
  if (g_exceptionHandled != 0) {
    return HandledExceptionResult();
  }
  return g_workResult;
}

#elif defined(__i386__)

namespace {

// Laid out as the system's handler record, followed by where to resume.
struct GuardRecord {
  GuardRecord* previous;
  void* handler;
  void* resume[5];  // __builtin_setjmp buffer
};

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame,
                                                      CONTEXT* context, void*) {
  if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0) {
    return ExceptionContinueSearch;
  }
  EXCEPTION_POINTERS pointers = {record, context};
  const LONG verdict = ReportEscapedException(&pointers);
  if (verdict == EXCEPTION_CONTINUE_EXECUTION) {
    return ExceptionContinueExecution;
  }
  if (verdict != EXCEPTION_EXECUTE_HANDLER) {
    return ExceptionContinueSearch;
  }
  // Let every handler between the fault and the guard finish, then resume
  // in the guard with its record at the head of the chain.
  GuardRecord* guard = static_cast<GuardRecord*>(frame);
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(guard->resume, 1);
}

GuardRecord* HeadOfHandlerChain() {
  GuardRecord* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetHeadOfHandlerChain(GuardRecord* head) {
  asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

__attribute__((noinline)) void CallWithHandlerRecord(GuardRecord* guard, GuardedWork work,
                                                     const void* argument) {
  if (__builtin_setjmp(guard->resume) == 0) {
    SetHeadOfHandlerChain(guard);
    g_workResult = work(argument);
  }
  SetHeadOfHandlerChain(guard->previous);
}

}  // namespace

int32_t RunInsideExceptionGuard(GuardedWork work, const void* argument) {
  g_exceptionHandled = 0;
  GuardRecord guard = {};
  guard.previous = HeadOfHandlerChain();
  guard.handler = reinterpret_cast<void*>(GuardHandler);
  CallWithHandlerRecord(&guard, work, argument);
  if (g_exceptionHandled != 0) {
    return HandledExceptionResult();
  }
  return g_workResult;
}

#else
#error "the exception guard needs an x86_64 or i686 target"
#endif
