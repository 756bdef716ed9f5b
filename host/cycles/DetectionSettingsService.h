// The data file's detection-settings service of the host's cycle extension: new settings objects and the presets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/common/HostPtr.h"
#include "hostapi/PXDetectionSettings.h"

namespace host {

// The name of a channel of the data file (from 0); empty for none.
using ChannelNameLookup = std::function<std::wstring(int32_t channel)>;

// A new service (one reference) with four presets: "Fast events" (4 standard deviations over a 50 ms
// baseline) and "Absolute threshold" (0.5 channel units), which the user may delete, then the built-in
// "Upward cycles" and "Downward cycles" (3 standard deviations over a 100 ms baseline), which the user may
// not delete. Saved presets are added after the deletable ones. Customize titles its dialog with the given
// title, "%1" filled with the name of the settings' channel.
HostPtr<IPXPresetService> CreateDetectionSettingsService(ChannelNameLookup channelName = {});

}  // namespace host
