// The drawing program's allocations refused while a call runs, to show that a path which cannot
// report a failure needs no memory.
#pragma once

#include <functional>

namespace drawingtest {

// Runs call with every allocation of the program failing; answers how many were refused.
int RefusedAllocations(const std::function<void()>& call);

}  // namespace drawingtest
