// The date epochs the module converts between: 1970, the automation date's 1899-12-30 and 1904.
#pragma once

#include <windows.h>

#include <cstdint>

namespace QOR {

struct DateEpochs {
  FILETIME unix1970{};        // 1970-01-01 00:00
  FILETIME automation1899{};  // 1899-12-30 00:00
  double secondsFrom1899To1970 = 0.0;  // 2209161600
  double secondsFrom1904To1970 = 2082844800.0;
  int32_t julianDay1970 = 2440588;
  int32_t julianDay1899 = 2415019;
};

// Fills the process's record (done once; later calls change nothing).
void InitDateEpochs() noexcept;
// The process's record, filled on first use.
const DateEpochs& GetDateEpochs() noexcept;

}  // namespace QOR
