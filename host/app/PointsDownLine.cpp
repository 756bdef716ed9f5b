// The analyze command's words for a trace whose peaks point down, where a search for upward peaks finds none.
#include "host/app/PointsDownLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DownwardSearch.h"
#include "host/app/TurnedDetection.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"

namespace ondara_host {

namespace {

// How far the trace reaches below the level it holds longest (the rest between events, told
// within the noise's standard deviation) and above it.
struct Reaches {
  double below = 0.0;
  double above = 0.0;
  // At least twice as far below as above: the trace's events point down.
  bool Down() const { return below >= 2 * above; }
};

Reaches ChannelReaches(const AnalysisFindings& f) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double rest = ChannelLongestLevel(recording, channel, ChannelNoiseSd(recording, channel));
  const double lowest = ChannelLowest(recording, channel);
  Reaches reaches;
  reaches.below = rest - lowest;
  reaches.above = ChannelSpan(recording, channel) - reaches.below;
  return reaches;
}

// "; the trace's peaks point down: it reaches 0.0954 V (95.4 mV) below the level it holds longest
// and 0.00892 V (8.92 mV) above it".
std::string PointDownText(const AnalysisFindings& f, const Reaches& reaches) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  return "; the trace's peaks point down: it reaches " +
         HeightText(std::stod(host::NumberText(reaches.below, 3)), recording, channel) +
         " below the level it holds longest and " +
         HeightText(std::stod(host::NumberText(reaches.above, 3)), recording, channel) + " above it";
}

// "; the trace's peaks point down: ...", with the cycle detector's downward search that finds them
// (FindDownward; its interval at most the type's minimum width, the events' time scale as the user
// gave it) and how many it finds.
std::string DownwardWords(const AnalysisFindings& f, const std::wstring& type, const Reaches& reaches) {
  const double width = f.SettingNumber(type == L"1" ? kCardiacWidthSetting : kNeuronWidthSetting);
  const std::string name = type == L"1" ? "Cardiac Action Potential" : "Action Potential";
  const std::string text = PointDownText(f, reaches) + ", and " + name + " finds upward peaks only";
  const DownwardSearch search = FindDownward(f, width > 0.0 ? width : 1.0);
  if (search.found <= 0) return text;
  return text + ": find them as downward events with General - Unstimulated, --type 0 --set \"1010=" +
         search.detection + "\" (it finds " + std::to_string(search.found) + ")";
}

}  // namespace

// Where the trace's events point down (and reach farther than the minimum height), the types that
// measure upward peaks find none of them, only the noise on the rest between: DownwardWords.
// Empty otherwise.
std::string DownwardText(const AnalysisFindings& f, const std::wstring& type) {
  const Reaches reaches = ChannelReaches(f);
  if (!(reaches.Down() && reaches.below > f.SettingNumber(kHeightSetting))) return std::string();
  return DownwardWords(f, type, reaches);
}

// Where no setting tried gives rows that are all action potentials, why, plainly: the trace's peaks
// point down where it reaches farther below its rest than above (DownwardWords), else the peaks the
// detector passes are the noise's or stand on the events' own course.
std::string NoActionPotentialsText(const AnalysisFindings& f, const std::wstring& type) {
  const Reaches reaches = ChannelReaches(f);
  if (reaches.below > reaches.above) return DownwardWords(f, type, reaches);
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  return "; the peaks it passes are no action potentials: they rise by no more than the noise swings (" +
         HeightText(TypedHeight(NoiseReach(recording, channel)), recording, channel) +
         "), or rest on another event's plateau or fall";
}

// For the cycle detector searching upward on a trace whose events point down: "; the trace's
// peaks point down: ..., and the detection settings (1010) search upward: downward, --set \"1010=...\",
// the detector finds 10", the same settings turned downward (TurnedDetectionWords), where they find
// any. Empty otherwise.
std::string CycleDownwardText(const AnalysisFindings& f) {
  host::DetectionValues values;
  if (!values.FromText(f.Setting(kCycleDetectionSetting)) || values.polarity < 0.0) return std::string();
  const Reaches reaches = ChannelReaches(f);
  if (!reaches.Down()) return std::string();
  const std::string turned = TurnedDetectionWords(f, -1);
  if (turned.empty()) return std::string();
  return PointDownText(f, reaches) + ", and the detection settings (1010) search upward: downward, " + turned;
}

}  // namespace ondara_host
