// The in-process guard: an exception frame around each input (in a 64-bit process, which has no frame
// chain, the unhandled-exception filter) and a watchdog thread move the fuzzing thread onto a small
// stack of its own and jump back to RunGuarded; a terminate handler and SIGABRT do the
// same for exceptions that end the program; patched allocation imports refuse requests past the bound;
// an unhandled-exception filter tells the failure hook of a crash outside any input.
#include "bench/fuzz/FuzzGuard.h"

#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <typeinfo>

namespace fuzz {

namespace {

using MallocFn = void*(__cdecl*)(size_t);
using CallocFn = void*(__cdecl*)(size_t, size_t);
using ReallocFn = void*(__cdecl*)(void*, size_t);

// An input that uses no processor time is a hang after this many times the bound.
constexpr DWORD kWaitFactor = 10;

GuardLimits gLimits;
void* gJump[5];
volatile LONG gArmed = 0;
volatile LONG gSerial = 0;
volatile DWORD gArmedAt = 0;
volatile DWORD gHangAt = 0;  // when the last hang was seen; 0 for none
DWORD gThreadId = 0;
HANDLE gThread = nullptr;
uintptr_t gSehHead = 0;  // the thread's exception registration head when the input started
FailureKind gKind = FailureKind::None;
char gDetail[200];
volatile bool gUsable = true;
FailureHook gHook = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER gPreviousFilter = nullptr;
MallocFn gMalloc = nullptr;
CallocFn gCalloc = nullptr;
ReallocFn gRealloc = nullptr;
alignas(16) unsigned char gEscapeStack[64 * 1024];  // where a crashed or stuck input is left from

#if defined(__i386__)
uintptr_t ReadSehHead() {
  uintptr_t head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void WriteSehHead(uintptr_t head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }
#else
// A 64-bit process has no frame chain: OnUnhandled stands in for the input's frame.
uintptr_t ReadSehHead() { return 0; }
void WriteSehHead(uintptr_t) {}
#endif

[[noreturn]] void Escape() {
  WriteSehHead(gSehHead);
  __builtin_longjmp(gJump, 1);
}

void Note(FailureKind kind, const char* format, ...) {
  gArmed = 0;
  gKind = kind;
  va_list args;
  va_start(args, format);
  std::vsnprintf(gDetail, sizeof gDetail, format, args);
  va_end(args);
}

// The place of an address: module file name and offset.
void PlaceOf(const void* address, char* text, size_t size) {
  HMODULE module = nullptr;
  char path[MAX_PATH] = "?";
  if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<const char*>(address), &module))
    GetModuleFileNameA(module, path, MAX_PATH);
  const char* name = std::strrchr(path, '\\');
  name = name ? name + 1 : path;
  std::snprintf(text, size, "%s+0x%lX", name,
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module)));
}

bool IsFatal(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case 0xC0000374:  // heap corruption
    case 0xC0000409:  // stack buffer overrun
      return true;
    default:
      return false;
  }
}

void* ProgramCounter(const CONTEXT& context) {
#if defined(__i386__)
  return reinterpret_cast<void*>(context.Eip);
#else
  return reinterpret_cast<void*>(context.Rip);
#endif
}

// Escape is entered as if called: in a 64-bit process the stack then sits 8 bytes past a 16-byte boundary.
void LeaveOnEscapeStack(CONTEXT* context) {
#if defined(__i386__)
  context->Eip = reinterpret_cast<DWORD>(&Escape);
  context->Esp = reinterpret_cast<DWORD>(gEscapeStack + sizeof gEscapeStack - 16);
#else
  context->Rip = reinterpret_cast<DWORD64>(&Escape);
  context->Rsp = reinterpret_cast<DWORD64>(gEscapeStack + sizeof gEscapeStack - 24);
#endif
}

// The outermost exception frame of an input: it sees only what the code under test leaves
// unhandled (a first-chance exception that an inner frame handles is none of its business).
EXCEPTION_DISPOSITION __cdecl OnException(EXCEPTION_RECORD* record, void*, CONTEXT* context, void*) {
  if (!gArmed || (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) ||
      !IsFatal(record->ExceptionCode))
    return ExceptionContinueSearch;
  char place[MAX_PATH + 16];
  PlaceOf(record->ExceptionAddress, place, sizeof place);
  Note(FailureKind::Crash, "exception 0x%08lX at %s", static_cast<unsigned long>(record->ExceptionCode), place);
  if (record->ExceptionCode == EXCEPTION_STACK_OVERFLOW) gUsable = false;  // the guard page is spent
  LeaveOnEscapeStack(context);
  return ExceptionContinueExecution;
}

struct ExceptionFrame {
  ExceptionFrame* previous;
  void* handler;
};

// The fuzzing thread's processor time (user and kernel) in milliseconds.
uint64_t ThreadProcessorMs() {
  FILETIME created, ended, kernel, user;
  if (!GetThreadTimes(gThread, &created, &ended, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return (ticks(kernel) + ticks(user)) / 10000;
}

void WriteToStandardError(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

// Stops the fuzzing thread, if it is still in the same input, and leaves the input as a hang.
void StopHungInput(LONG serial, bool busy) {
  if (SuspendThread(gThread) == static_cast<DWORD>(-1)) return;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_CONTROL;
  if (gArmed && gSerial == serial && GetThreadContext(gThread, &context)) {
    char place[MAX_PATH + 16];
    PlaceOf(ProgramCounter(context), place, sizeof place);
    const unsigned long bound = gLimits.timeBoundMs;
    if (busy) Note(FailureKind::Hang, "running past %lu ms of processor time, at %s", bound, place);
    else Note(FailureKind::Hang, "waiting past %lu ms, at %s", bound * kWaitFactor, place);
    gUsable = false;
    gHangAt = GetTickCount() | 1;
    if (gHook) gHook(FailureKind::Hang, gDetail);
    LeaveOnEscapeStack(&context);
    SetThreadContext(gThread, &context);
  }
  ResumeThread(gThread);
}

void EndProcessIfNotClosing() {
  if (!gHangAt || !gLimits.closingBoundMs || GetTickCount() - gHangAt < gLimits.closingBoundMs) return;
  WriteToStandardError("ondara-fuzz: the run did not end after the hang; the process is ended\n");
  TerminateProcess(GetCurrentProcess(), 1);
}

// Each input's processor time is counted from when the watchdog first sees it (at most a sleep after
// it started), so that the watchdog reads the thread's times once per sleep, not per input.
DWORD WINAPI Watchdog(void*) {
  LONG seen = 0;
  uint64_t processorAtStart = 0;
  for (;;) {
    Sleep(10);
    EndProcessIfNotClosing();
    if (!gArmed) continue;
    const LONG serial = gSerial;
    if (serial != seen) {
      seen = serial;
      processorAtStart = ThreadProcessorMs();
      continue;
    }
    const DWORD wall = GetTickCount() - gArmedAt;
    if (wall < gLimits.timeBoundMs) continue;
    const bool busy = ThreadProcessorMs() - processorAtStart >= gLimits.timeBoundMs;
    if (busy || wall >= gLimits.timeBoundMs * kWaitFactor) StopHungInput(serial, busy);
  }
}

// A crash outside any input (or one no frame handles): the hook hears of it before the process ends.
// In a 64-bit process it is also where a crash inside an input is caught.
LONG WINAPI OnUnhandled(EXCEPTION_POINTERS* info) {
#if !defined(__i386__)
  if (gArmed && GetCurrentThreadId() == gThreadId &&
      OnException(info->ExceptionRecord, nullptr, info->ContextRecord, nullptr) == ExceptionContinueExecution)
    return EXCEPTION_CONTINUE_EXECUTION;
#endif
  if (gHook) {
    char place[MAX_PATH + 16];
    PlaceOf(info->ExceptionRecord->ExceptionAddress, place, sizeof place);
    char detail[sizeof place + 64];
    std::snprintf(detail, sizeof detail, "unhandled exception 0x%08lX at %s",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), place);
    gHook(FailureKind::Crash, detail);
  }
  return gPreviousFilter ? gPreviousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() {
  const char* type = "unknown";
  const char* what = "";
  try {
    if (std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
  } catch (const std::exception& e) {
    type = typeid(e).name();
    what = e.what();
  } catch (...) {
  }
  Note(FailureKind::Exception, "terminate: %s: %.80s", type, what);
  Escape();
}

// The module's own runtime ends the program through abort (a noexcept function that threw).
void OnAbort(int) {
  if (!gArmed) return;
  Note(FailureKind::Exception, "abort: an exception escaped a noexcept function or a check failed");
  Escape();
}

bool TooLarge(size_t bytes) {
  if (!gArmed || bytes <= gLimits.allocationBound) return false;
  Note(FailureKind::Allocation, "allocation of %lu bytes", static_cast<unsigned long>(bytes));
  gArmed = 1;  // the input runs on and sees a failed allocation
  return true;
}

void* __cdecl BoundedMalloc(size_t bytes) { return TooLarge(bytes) ? nullptr : gMalloc(bytes); }
void* __cdecl BoundedCalloc(size_t count, size_t size) {
  if (size != 0 && count > SIZE_MAX / size) return nullptr;
  return TooLarge(count * size) ? nullptr : gCalloc(count, size);
}
void* __cdecl BoundedRealloc(void* block, size_t bytes) { return TooLarge(bytes) ? nullptr : gRealloc(block, bytes); }

void* Replacement(const char* name) {
  if (std::strcmp(name, "malloc") == 0) return reinterpret_cast<void*>(&BoundedMalloc);
  if (std::strcmp(name, "calloc") == 0) return reinterpret_cast<void*>(&BoundedCalloc);
  if (std::strcmp(name, "realloc") == 0) return reinterpret_cast<void*>(&BoundedRealloc);
  return nullptr;
}

// Points a module's imports of the C runtime's allocation functions at the bounded ones.
void PatchAllocationImports(HMODULE module) {
  if (!module) return;
  auto* const base = reinterpret_cast<unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), "msvcrt.dll") != 0) continue;
    const DWORD namesAt = entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      void* const replacement = Replacement(reinterpret_cast<const char*>(byName->Name));
      if (!replacement) continue;
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
    }
  }
}

// Outside the jump buffer's function, so that an exception the body lets out is seen here.
void CallBody(const std::function<void()>& body) {
  try {
    body();
  } catch (const std::bad_alloc& e) {
    // The refusal of an allocation past the bound is the failure, not the exception it raises.
    if (gKind != FailureKind::Allocation) Note(FailureKind::Exception, "%s: %.80s", typeid(e).name(), e.what());
  } catch (const std::exception& e) {
    Note(FailureKind::Exception, "%s: %.80s", typeid(e).name(), e.what());
  } catch (...) {
    Note(FailureKind::Exception, "a non-standard exception");
  }
}

}  // namespace

const char* FailureKindName(FailureKind kind) {
  switch (kind) {
    case FailureKind::Crash: return "crash";
    case FailureKind::Hang: return "hang";
    case FailureKind::Exception: return "exception";
    case FailureKind::Allocation: return "allocation";
    default: return "none";
  }
}

void SetFailureHook(FailureHook hook) { gHook = hook; }

void InstallGuard(const GuardLimits& limits, std::initializer_list<const wchar_t*> modules) {
  gLimits = limits;
  gUsable = true;
  gHangAt = 0;
  if (gThread) return;
  gThreadId = GetCurrentThreadId();
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &gThread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  HMODULE runtime = GetModuleHandleW(L"msvcrt.dll");
  gMalloc = reinterpret_cast<MallocFn>(reinterpret_cast<void*>(GetProcAddress(runtime, "malloc")));
  gCalloc = reinterpret_cast<CallocFn>(reinterpret_cast<void*>(GetProcAddress(runtime, "calloc")));
  gRealloc = reinterpret_cast<ReallocFn>(reinterpret_cast<void*>(GetProcAddress(runtime, "realloc")));
  PatchAllocationImports(GetModuleHandleW(nullptr));
  for (const wchar_t* name : modules) PatchAllocationImports(GetModuleHandleW(name));
  std::set_terminate(&OnTerminate);
  gPreviousFilter = SetUnhandledExceptionFilter(&OnUnhandled);
  CloseHandle(CreateThread(nullptr, 64 * 1024, &Watchdog, nullptr, 0, nullptr));
}

GuardOutcome RunGuarded(const std::function<void()>& body) {
  gKind = FailureKind::None;
  gDetail[0] = 0;
  std::signal(SIGABRT, &OnAbort);  // the runtime resets it after each signal
  gSehHead = ReadSehHead();
  ExceptionFrame frame{reinterpret_cast<ExceptionFrame*>(gSehHead), reinterpret_cast<void*>(&OnException)};
  if (__builtin_setjmp(gJump) == 0) {
    WriteSehHead(reinterpret_cast<uintptr_t>(&frame));
    gArmedAt = GetTickCount();
    InterlockedIncrement(&gSerial);
    gArmed = 1;
    CallBody(body);
  }
  gArmed = 0;
  WriteSehHead(gSehHead);
  InterlockedIncrement(&gSerial);
  GuardOutcome outcome;
  outcome.kind = gKind;
  outcome.detail = gDetail;
  return outcome;
}

bool GuardUsable() { return gUsable; }

}  // namespace fuzz
