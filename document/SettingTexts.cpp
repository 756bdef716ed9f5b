// Texts about settings: the message shown beside an invalid per-channel setting and the
// names of the stimulus detection methods.
#include "document/SettingTexts.h"

#include "document/SettingIds.h"

namespace ZR::Doc {
namespace {

struct ErrorText {
  SettingId id;
  const wchar_t* caption;
  const wchar_t* message;
};

// By id. Settings the dialog sets through switches and lists (1009 to 1012, 1019, 1036, 1037,
// 1039), the detection settings (1010) and the unused 1023 and 1024 have no text of their own.
constexpr ErrorText kErrorTexts[] = {
    {kSettingStimulusMethod, L"Internal Error", L"This option should not generate balloon help!"},
    {kSettingMinPeakWidthCAP, L"Invalid Width", L"The Minimum Peak Width must be in the range 0 to 99999 ms."},
    {kSettingMinStimulusHeightER, L"Invalid Min Height", L"The Minimum Stimulus Height must be zero or larger."},
    {kSettingMaxArtifactWidth, L"Invalid Max Width", L"The Maximum Width must be in the range 0 to 99999 ms."},
    {kSettingSearchStart, L"Invalid Search Start",
     L"The Search Start must be in the range 0 to 99999 ms after the start of the block."},
    {kSettingStimulusPosition, L"Invalid Stimulus Position",
     L"The stimulus position must be in the range 0 to 2e9 ms."},
    {kSettingMinPeakHeight, L"Invalid Height", L"The Minimum Peak Height must be zero or larger."},
    {kSettingDetectionStart, L"Invalid Detection Start",
     L"The Detection Start must be in the range 0 to 99999 ms after the stimulus artifact."},
    {kSettingDetectionEnd, L"Invalid Detection End",
     L"The Detection End must be in the range 0 to 99999 ms after the stimulus artifact."},
    {kSettingMidPlateauPercent, L"Invalid Plateau Percentage",
     L"This setting must be an integer in the range 0 to 100%."},
    {kSettingPlateauLevelWidth, L"Invalid Width", L"The PLT width must be in the range 0 to 99999 ms."},
    {kSettingAreaStart, L"Invalid Area Start", L"This setting must be in the range 0 to 99999 ms."},
    {kSettingAreaEnd, L"Invalid Area End", L"This setting must be in the range 0 to 99999 ms."},
    {kSettingRiseStart, L"Invalid Start Percentage", L"This setting must be an integer in the range 0 to 100%."},
    {kSettingRiseEnd, L"Invalid End Percentage", L"This setting must be an integer in the range 0 to 100%."},
    {kSettingSlopeStart, L"Invalid Slope Start", L"This setting must be in the range 0 to 99999 ms."},
    {kSettingSlopeEnd, L"Invalid Slope End", L"This setting must be in the range 0 to 99999 ms."},
    {kSettingValueLocation, L"Invalid Value Location",
     L"The value must be taken in the range 0 to 99999 ms after the stimulus artifact."},
    {kSettingPlateauCentre, L"Invalid Plateau Percentage",
     L"This setting must be an integer in the range 0 to 100%."},
    {kSettingPlateauVoltageWidth, L"Invalid Width", L"The Plateau Voltage width must be in the range 0 to 99999 ms."},
    {kSettingMinArtifactInterval, L"Invalid Minimum Interval",
     L"The minimum interval between stimulus artifacts must be in the range 0 to 99999 ms."},
    {kSettingMinStimulusHeightPS, L"Invalid Min Height", L"The Minimum Stimulus Height must be zero or larger."},
    {kSettingTauStart, L"Invalid Tau Start Percent",
     L"This setting must be an integer in the range 0 to 100%."},
    {kSettingTauEnd, L"Invalid Tau End Percent", L"This setting must be an integer in the range 0 to 100%."},
    {kSettingMaxNegSlopeStart, L"Invalid MaxNegSlope Start",
     L"This setting must be an integer in the range 0 to 99999 ms."},
    {kSettingMaxNegSlopeSmoothing, L"Invalid MaxNegSlope Smoothing Window",
     L"This setting must be in the range 0.1 to 100 ms."},
    {kSettingStartHeightPercent, L"Invalid Height Percentage",
     L"The height percentage for the start of the peak must be an integer in the range 5 to 99%."},
    {kSettingStartHeightPercentAP, L"Invalid Height Percentage",
     L"The height percentage for the start of the peak must be an integer in the range 5 to 99%."},
    {kSettingMinPeakWidthAP, L"Invalid Width", L"The Minimum Peak Width must be in the range 0 to 99999 ms."},
    {kSettingTauFixedValue, L"Invalid B Value", L"This setting must be a number."},
    {kSettingBaselineValue, L"Invalid Baseline Value", L"This setting must be a number."},
    {kSettingEndHeightPercent, L"Invalid Height Percentage",
     L"The height percentage for the end of the peak must be an integer in the range 0 to 99%."},
};

}  // namespace

MessageAndCaption SettingErrorText(SettingId settingId) {
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
