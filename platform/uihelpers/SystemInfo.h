// The system information the module asks for (processor and memory facts, Windows version),
// read once per process.
#pragma once

#include <windows.h>

namespace QOR {

struct SystemInfoRecord {
  SYSTEM_INFO system;
  OSVERSIONINFOW version;  // dwOSVersionInfoSize 276
  DWORD granularityMask;   // the negated allocation granularity: rounds an address down
};

const SystemInfoRecord& GetSystemInfoCached() noexcept;

}  // namespace QOR
