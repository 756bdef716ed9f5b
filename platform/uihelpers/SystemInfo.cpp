// The cached system information.
#include "platform/uihelpers/SystemInfo.h"

namespace QOR {

static SystemInfoRecord ReadSystemInfo() noexcept {
  SystemInfoRecord r{};
  GetSystemInfo(&r.system);
  r.version.dwOSVersionInfoSize = sizeof r.version;
  GetVersionExW(&r.version);
  r.granularityMask = 0u - r.system.dwAllocationGranularity;
  return r;
}

const SystemInfoRecord& GetSystemInfoCached() noexcept {
  static const SystemInfoRecord record = ReadSystemInfo();
  return record;
}

}  // namespace QOR
