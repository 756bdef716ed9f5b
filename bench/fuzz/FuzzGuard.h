// Runs one fuzz input in this process and catches what must never happen: a crash, a hang past
// the time bound, an exception that ends the program (one escaping a noexcept COM method), and an
// allocation beyond a size bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace fuzz {

enum class FailureKind { None, Crash, Hang, Exception, Allocation };

const char* FailureKindName(FailureKind kind);

struct GuardOutcome {
  FailureKind kind = FailureKind::None;
  std::string detail;  // what identifies the failure: exception code and place, exception type, size
};

struct GuardLimits {
  // Processor time per input. An input that waits (a deadlock, a sleep) uses none: it is a hang once
  // it has waited ten times as long. An input only slowed down by a busy machine is none.
  uint32_t timeBoundMs = 2000;
  size_t allocationBound = 256u * 1024 * 1024;  // bytes in one request
  // After a hang the process is ended if it has not ended within this time (0: never), since what
  // the stuck input left half done may stop the rest of the run from ending.
  uint32_t closingBoundMs = 0;
};

// What the guard calls on the thread that sees it, without allocating, when it sees what leaves
// the process unsound: a hang (the fuzzing thread is stopped wherever it was) or an exception
// nothing handles. detail as in GuardOutcome.
using FailureHook = void (*)(FailureKind kind, const char* detail);
void SetFailureHook(FailureHook hook);

// Installs the handlers once (process-wide, for the calling thread) and patches the allocation
// imports of the executable and of every module named in `modules` (already loaded). Called again,
// it takes the new limits and makes the guard usable again (for tests, which go on after a hang).
void InstallGuard(const GuardLimits& limits, std::initializer_list<const wchar_t*> modules);

// Runs body under the guard. After a crash or hang the body's objects are abandoned, not destroyed.
GuardOutcome RunGuarded(const std::function<void()>& body);

// Whether the process may go on after the last failure: false after a stack overflow and after any
// hang. A hang stops the thread wherever it is, perhaps inside the heap or the C runtime with a lock
// taken and their state half changed; every later input would run on that state.
bool GuardUsable();

}  // namespace fuzz
