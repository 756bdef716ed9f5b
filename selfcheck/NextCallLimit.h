// NextCallLimit: the bound on Next calls that keeps a stalled enumerator from hanging a check.
#pragma once

#include "base/String.h"
#include "selfcheck/CheckAssert.h"

#include <cstdint>

namespace SelfCheck {

// A loop over one record may call Next at most once per tick of the record, plus 1000: an
// enumerator that answers without moving on fails the check at (file, line) instead of looping
// for ever.
class NextCallLimit {
 public:
  NextCallLimit(int32_t recordTicks, const char* file, int32_t line) noexcept
      : mMaxCalls(static_cast<int64_t>(recordTicks > 0 ? recordTicks : 0) + 1000), mFile(file), mLine(line) {}

  // Counts one call; fails the check once the calls exceed the bound.
  void Count() {
    ++mCalls;
    CheckThat(mCalls <= mMaxCalls, "ncalls<=maxcalls", mFile, mLine,
              QOR::String(L"Enumerator made no progress in Next."));
  }

 private:
  int64_t mCalls = 0;
  int64_t mMaxCalls;
  const char* mFile;
  int32_t mLine;
};

}  // namespace SelfCheck
