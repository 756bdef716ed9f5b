// The data file's detection-settings service of the host's cycle extension: new settings objects and the presets.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/PXDetectionSettings.h"

namespace host {

// A new service (one reference) with the built-in presets "Upward cycles" and "Downward cycles" (3 standard
// deviations over a 100 ms baseline), which the user may not delete; presets saved later may be deleted.
HostPtr<IPXPresetService> CreateDetectionSettingsService();

}  // namespace host
