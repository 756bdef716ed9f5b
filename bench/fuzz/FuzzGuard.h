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
  uint32_t timeBoundMs = 2000;                // per input
  size_t allocationBound = 256u * 1024 * 1024;  // bytes in one request
};

// Installs the handlers once (process-wide, for the calling thread) and patches the allocation
// imports of the executable and of every module named in `modules` (already loaded).
void InstallGuard(const GuardLimits& limits, std::initializer_list<const wchar_t*> modules);

// Runs body under the guard. After a crash or hang the body's objects are abandoned, not destroyed.
GuardOutcome RunGuarded(const std::function<void()>& body);

// Whether the process may go on after the last failure (false after a stack overflow or when hangs
// keep coming, which leave the thread's stack or locks in an unknown state).
bool GuardUsable();

}  // namespace fuzz
