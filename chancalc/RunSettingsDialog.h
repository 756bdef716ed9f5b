// The channel calculation's settings dialog as the host runs it: the checks that the
// calculation may be used, the dialog over a working copy of the settings, and what an OK does.
#pragma once

#include "hostapi/HostCalculation.h"
#include "hostapi/HostDocument.h"

#include <windows.h>

#include <cstdint>

namespace ZR::ChanCalc {

// False only when the host document's analysis document analyses the output channel itself.
bool IsAllowedOutputChannel(IUnknown* hostDocument, int32_t outputChannel) noexcept;

// S_OK with the edited settings in *edited (one reference) when the user accepted; S_FALSE when
// the calculation may not be used here (an error message box says why: the output channel is
// the analysis channel, the Periodix extension is missing, there is no analysis document or no
// analysis type) or the user cancelled.
HRESULT RunSettingsDialog(HWND owner, IUnknown* hostDocument, IUnknown* rangeSource, IPersistObject* current,
                          IPersistObject** edited, int32_t outputChannel, uint32_t furtherValue) noexcept;

}  // namespace ZR::ChanCalc
