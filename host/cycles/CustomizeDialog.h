// The cycle extension's own dialog over a detection-settings object: the minimum peak height, whether it is
// in standard deviations, and the polarity of the peaks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "host/cycles/DetectionSettings.h"

namespace host {

// Shows the dialog titled title over values; true (values changed) when the user accepts it, false (values
// as they were) when the user cancels.
bool RunCustomizeDialog(HWND owner, const std::wstring& title, DetectionValues& values);

// Control ids of the dialog, for the user that tests script.
inline constexpr int kCustomizeHeight = 100;
inline constexpr int kCustomizeRelative = 101;
inline constexpr int kCustomizeDownward = 102;

// Acts as the user while the dialog is open: it is shown modeless, the script runs (and presses OK or
// Cancel), and a dialog still open afterwards is cancelled. Null: the dialog runs modally.
void SetCustomizeScript(std::function<void(HWND dialog)> script);

}  // namespace host
