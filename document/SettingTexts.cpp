// Texts about settings: the message shown beside an invalid per-channel setting and the
// names of the stimulus detection methods.
#include "document/SettingTexts.h"

#include <cstdint>

namespace ZR::Doc {
namespace {

struct ErrorText {
  int32_t id;
  const wchar_t* caption;
  const wchar_t* message;
};

// By id. Settings the dialog sets through switches and lists (1009 to 1012, 1019, 1036, 1037,
// 1039), the detection settings (1010) and the unused 1023 and 1024 have no text of their own.
constexpr ErrorText kErrorTexts[] = {
    {1000, L"Internal Error", L"This option should not generate balloon help!"},
    {1001, L"Invalid Width", L"The Minimum Peak Width must be in the range 0 to 99999 ms."},
    {1002, L"Invalid Min Height", L"The Minimum Stimulus Height must be zero or larger."},
    {1003, L"Invalid Max Width", L"The Maximum Width must be in the range 0 to 99999 ms."},
    {1004, L"Invalid Search Start",
     L"The Search Start must be in the range 0 to 99999 ms after the start of the block."},
    {1005, L"Invalid Stimulus Position",
     L"The stimulus position must be in the range 0 to 2e9 ms."},
    {1006, L"Invalid Height", L"The Minimum Peak Height must be zero or larger."},
    {1007, L"Invalid Detection Start",
     L"The Detection Start must be in the range 0 to 99999 ms after the stimulus artifact."},
    {1008, L"Invalid Detection End",
     L"The Detection End must be in the range 0 to 99999 ms after the stimulus artifact."},
    {1013, L"Invalid Plateau Percentage",
     L"This setting must be an integer in the range 0 to 100%."},
    {1014, L"Invalid Width", L"The PLT width must be in the range 0 to 99999 ms."},
    {1015, L"Invalid Area Start", L"This setting must be in the range 0 to 99999 ms."},
    {1016, L"Invalid Area End", L"This setting must be in the range 0 to 99999 ms."},
    {1017, L"Invalid Start Percentage", L"This setting must be an integer in the range 0 to 100%."},
    {1018, L"Invalid End Percentage", L"This setting must be an integer in the range 0 to 100%."},
    {1020, L"Invalid Slope Start", L"This setting must be in the range 0 to 99999 ms."},
    {1021, L"Invalid Slope End", L"This setting must be in the range 0 to 99999 ms."},
    {1022, L"Invalid Value Location",
     L"The value must be taken in the range 0 to 99999 ms after the stimulus artifact."},
    {1025, L"Invalid Plateau Percentage",
     L"This setting must be an integer in the range 0 to 100%."},
    {1026, L"Invalid Width", L"The Plateau Voltage width must be in the range 0 to 99999 ms."},
    {1027, L"Invalid Minimum Interval",
     L"The minimum interval between stimulus artifacts must be in the range 0 to 99999 ms."},
    {1028, L"Invalid Min Height", L"The Minimum Stimulus Height must be zero or larger."},
    {1029, L"Invalid Tau Start Percent",
     L"This setting must be an integer in the range 0 to 100%."},
    {1030, L"Invalid Tau End Percent", L"This setting must be an integer in the range 0 to 100%."},
    {1031, L"Invalid MaxNegSlope Start",
     L"This setting must be an integer in the range 0 to 99999 ms."},
    {1032, L"Invalid MaxNegSlope Smoothing Window",
     L"This setting must be in the range 0.1 to 100 ms."},
    {1033, L"Invalid Height Percentage",
     L"The height percentage for the start of the peak must be an integer in the range 5 to 99%."},
    {1034, L"Invalid Height Percentage",
     L"The height percentage for the start of the peak must be an integer in the range 5 to 99%."},
    {1035, L"Invalid Width", L"The Minimum Peak Width must be in the range 0 to 99999 ms."},
    {1038, L"Invalid B Value", L"This setting must be a number."},
    {1040, L"Invalid Baseline Value", L"This setting must be a number."},
    {1041, L"Invalid Height Percentage",
     L"The height percentage for the end of the peak must be an integer in the range 0 to 99%."},
};

}  // namespace

MessageAndCaption SettingErrorText(int settingId) {
  for (const ErrorText& text : kErrorTexts) {
    if (text.id == settingId) return {QOR::String(text.message), QOR::String(text.caption)};
  }
  return {QOR::String(L"invalid text"), QOR::String(L"invalid caption")};
}

QOR::String DetectorPositionKindName(int method) {
  switch (method) {
    case 2:
      return QOR::String(L"Time from start of block");
    case 3:
      return QOR::String(L"Height and width");
    case 4:
      return QOR::String(L"Height and width (one per block)");
    default:
      return QOR::String(L"???");
  }
}

}  // namespace ZR::Doc
