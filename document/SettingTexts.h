// Texts about settings: the message shown beside an invalid per-channel setting and the
// names of the stimulus detection methods.
#pragma once

#include "base/String.h"
#include "document/SettingIds.h"

namespace ZR::Doc {

struct MessageAndCaption {
  QOR::String message;
  QOR::String caption;
};

// For ids 1000 to 1041; settings the dialog never reports, and every other id, give
// "invalid text" and "invalid caption".
MessageAndCaption SettingErrorText(SettingId settingId);

// Values of setting 1000: 2 "Time from start of block", 3 "Height and width", 4 "Height and
// width (one per block)"; "???" for any other.
QOR::String DetectorPositionKindName(int method);

}  // namespace ZR::Doc
