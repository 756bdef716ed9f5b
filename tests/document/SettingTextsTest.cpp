// Tests of the texts about settings: error messages and captions, detection method names.
#include "document/SettingTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using namespace ZR::Doc;

TEST(SettingErrorText, GivesEveryPerChannelSettingItsMessageAndCaption) {
  const std::wstring range = L"This setting must be in the range 0 to 99999 ms.";
  const std::wstring percent = L"This setting must be an integer in the range 0 to 100%.";
  const std::wstring number = L"This setting must be a number.";
  const std::wstring startPercent =
      L"The height percentage for the start of the peak must be an integer in the range 5 to 99%.";
  const std::wstring minHeight = L"The Minimum Stimulus Height must be zero or larger.";
  const std::wstring minWidth = L"The Minimum Peak Width must be in the range 0 to 99999 ms.";
  const std::map<int, std::pair<std::wstring, std::wstring>> expected = {
      {1000, {L"Internal Error", L"This option should not generate balloon help!"}},
      {1001, {L"Invalid Width", minWidth}},
      {1002, {L"Invalid Min Height", minHeight}},
      {1003, {L"Invalid Max Width", L"The Maximum Width must be in the range 0 to 99999 ms."}},
      {1004, {L"Invalid Search Start",
              L"The Search Start must be in the range 0 to 99999 ms after the start of the block."}},
      {1005, {L"Invalid Stimulus Position",
              L"The stimulus position must be in the range 0 to 2e9 ms."}},
      {1006, {L"Invalid Height", L"The Minimum Peak Height must be zero or larger."}},
      {1007, {L"Invalid Detection Start", L"The Detection Start must be in the range 0 to 99999 "
                                          L"ms after the stimulus artifact."}},
      {1008, {L"Invalid Detection End", L"The Detection End must be in the range 0 to 99999 ms "
                                        L"after the stimulus artifact."}},
      {1013, {L"Invalid Plateau Percentage", percent}},
      {1014, {L"Invalid Width", L"The PLT width must be in the range 0 to 99999 ms."}},
      {1015, {L"Invalid Area Start", range}},
      {1016, {L"Invalid Area End", range}},
      {1017, {L"Invalid Start Percentage", percent}},
      {1018, {L"Invalid End Percentage", percent}},
      {1020, {L"Invalid Slope Start", range}},
      {1021, {L"Invalid Slope End", range}},
      {1022, {L"Invalid Value Location", L"The value must be taken in the range 0 to 99999 ms "
                                         L"after the stimulus artifact."}},
      {1025, {L"Invalid Plateau Percentage", percent}},
      {1026, {L"Invalid Width", L"The Plateau Voltage width must be in the range 0 to 99999 ms."}},
      {1027, {L"Invalid Minimum Interval", L"The minimum interval between stimulus artifacts "
                                           L"must be in the range 0 to 99999 ms."}},
      {1028, {L"Invalid Min Height", minHeight}},
      {1029, {L"Invalid Tau Start Percent", percent}},
      {1030, {L"Invalid Tau End Percent", percent}},
      {1031, {L"Invalid MaxNegSlope Start",
              L"This setting must be an integer in the range 0 to 99999 ms."}},
      {1032, {L"Invalid MaxNegSlope Smoothing Window",
              L"This setting must be in the range 0.1 to 100 ms."}},
      {1033, {L"Invalid Height Percentage", startPercent}},
      {1034, {L"Invalid Height Percentage", startPercent}},
      {1035, {L"Invalid Width", minWidth}},
      // Values a user can type that had no text of their own.
      {1038, {L"Invalid B Value", number}},
      {1040, {L"Invalid Baseline Value", number}},
      {1041, {L"Invalid Height Percentage", L"The height percentage for the end of the peak "
                                            L"must be an integer in the range 0 to 99%."}},
  };
  for (int id = 999; id <= 1042; ++id) {
    const MessageAndCaption text = SettingErrorText(SettingIdOf(id));
    const auto found = expected.find(id);
    const std::wstring caption = found != expected.end() ? found->second.first : L"invalid caption";
    const std::wstring message = found != expected.end() ? found->second.second : L"invalid text";
    EXPECT_EQ(text.caption.GetText(), caption) << id;
    EXPECT_EQ(text.message.GetText(), message) << id;
  }
}

TEST(DetectorPositionKindName, NamesTheThreeStimulusMethods) {
  EXPECT_STREQ(DetectorPositionKindName(2).GetText(), L"Time from start of block");
  EXPECT_STREQ(DetectorPositionKindName(3).GetText(), L"Height and width");
  EXPECT_STREQ(DetectorPositionKindName(4).GetText(), L"Height and width (one per block)");
  for (int other : {1, 5, -1}) EXPECT_STREQ(DetectorPositionKindName(other).GetText(), L"???");
}

}  // namespace
