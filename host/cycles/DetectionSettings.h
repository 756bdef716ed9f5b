// The settings of the host's cycle detector for one channel: its parameters, its rules and its own text form.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/common/HostPtr.h"
#include "host/cycles/CycleScan.h"
#include "hostapi/CycleDetection.h"
#include "hostapi/PXDetectionSettings.h"

namespace host {

// Whether the relative switch (the text's eighth number, the formula's last argument) makes the
// threshold a number of standard deviations of the noise: any value but 0 does. Everything that
// reads the switch asks here, so that what is checked, shown and scanned agree.
inline bool RelativeSwitchOn(double relative) noexcept { return relative != 0.0; }

// The first rule of DetectionValues::IsValid that the values break, in the order it checks them.
enum class DetectionFault {
  None,
  Channel,
  Polarity,
  Hysteresis,
  Interval,
  Baseline,
  RelativeBaseline,  // a relative threshold without a baseline to measure the noise over
  RelativeHeight,    // a relative threshold outside 0.05 to 9 standard deviations
  AbsoluteHeight,    // an absolute threshold of 0 or below, or beyond a double, while nonpositive is 0
  NonFiniteHeight,   // an absolute threshold that is no finite number
};

// The detector's parameters by index (kPXParam..., CycleDetectionParam), with their defaults.
struct DetectionValues {
  double channel = 0.0;
  double polarity = 1.0;
  double hysteresis = 0.5;
  double minPeakHeight = 3.0;  // standard deviations while relative
  double minIntervalMs = 5.0;
  double baselineMs = 100.0;
  double relative = 1.0;
  double presetNumber = 0.0;
  double allowNonPositive = 0.0;

  // The field of a parameter index; null for an unknown one.
  double* Field(int32_t index) noexcept;
  bool operator==(const DetectionValues& other) const noexcept;
  DetectionFault Fault() const noexcept;
  bool IsValid() const noexcept { return Fault() == DetectionFault::None; }
  // The threshold is in standard deviations of the noise: the switch is on and there is a baseline to measure
  // the noise over.
  bool IsRelativeThreshold() const noexcept { return RelativeSwitchOn(relative) && baselineMs > 0.0; }
  // "1" (the text's version), then every parameter in index order, round-trip exact, classic locale.
  std::wstring ToText() const;
  // False (values unchanged) for a text that does not read as the version and the nine parameters, nothing more.
  bool FromText(const std::wstring& text);
  // The detector formula's numeric arguments after the channel: downward (1 when the polarity is -1, else 0),
  // hysteresis, height, interval, baseline, relative; as numbers, and as the formula writes them.
  std::array<double, 6> Arguments() const;
  std::wstring FormulaArguments() const;
};

// The rules of a detector call's numeric arguments (Arguments' order; -1 or missing: the default) for a tick
// period in seconds. A relative threshold (a baseline above 0 ms given) measures its noise over at least
// kCycleRunInSamples samples.
CycleRules RulesFromArguments(const double* arguments, int32_t count, double tickPeriod);

// A new settings object with the defaults, or with the given values (one reference).
HostPtr<IPXDetectionSettings> CreateDetectionSettings();
HostPtr<IPXDetectionSettings> CreateDetectionSettings(const DetectionValues& values);

// The values behind a settings object made here; null for any other object.
const DetectionValues* DetectionValuesOf(IPXDetectionSettings* settings) noexcept;

// The name the detector's formula calls.
inline constexpr wchar_t kCycleDetectorName[] = L"PXDetect";

}  // namespace host
