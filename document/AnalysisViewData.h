// ZR::Doc::AnalysisViewData: what the Analysis View draws of the document's current event: the
// signal around it, the markers of its measurements, its fitted decay curve, the plot options,
// and the value text of a measurement.
#pragma once

#include "base/String.h"
#include "base/EventRecords.h"
#include "document/SettingIds.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ZR::Doc {

class ParamCatalogue;
class SettingsStore;
class ZRDoc;
struct CycleEvent;

// Kinds of marker; a glyph's shape number is the kind + 1.
enum class MarkerKind : int32_t { Level = 0, TimeMark = 1, Area = 2, WidthBar = 3, SlopeLine = 4 };

// Times in seconds from the event's reference tick, values in the channel's base unit.
struct Marker {
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  MarkerKind kind = MarkerKind::Level;
  COLORREF colour = 0;
  QOR::String name;
};

// Marker categories as the plotters ask for them.
inline constexpr int32_t kLineMarkers = 3;
inline constexpr int32_t kAreaMarkers = 4;
inline constexpr int32_t kSlopeMarkers = 5;

// An evenly sampled series; the samples stay valid until the next request of a series.
struct SampledSeries {
  int32_t count = 0;
  double firstX = 0.0;
  double step = 0.0;
  const float* samples = nullptr;
  COLORREF colour = 0;
};

// Points of the fitted curve; valid until the next request of the curve.
struct PointSeries {
  int32_t count = 0;
  const float* x = nullptr;
  const float* y = nullptr;
  COLORREF colour = 0;
  int32_t style = 2;
};

// A stretch of signal longer than this many samples is not drawn (its ticks are not believed).
inline constexpr int64_t kMaxSeriesSamples = 50'000'000;
// A fit longer than this many ticks is not drawn (ten points a tick).
inline constexpr int32_t kMaxCurveTicks = 1'000'000;

// Everything is read afresh from the document's current event at each request; the vectors
// hold only the last answer. User-interface thread only.
class AnalysisViewData {
 public:
  explicit AnalysisViewData(ZRDoc& document);

  // Series 0: the signal from the event's first baseline tick to the end of its window;
  // series 1: its baseline region (none for population spikes). Empty without event data.
  SampledSeries GetSampledSeries(int32_t index);
  // The markers of a category whose options are shown for the current event.
  const std::vector<Marker>& GetMarkers(int32_t category);
  // The fitted decay A e^(-t/tau) + C at ten points a tick, when its option is shown.
  PointSeries GetFittedCurve();

  // The ticks series index spans for record in an analysis type, in a record of recordTicks
  // ticks (the last event's window ends with the record): false (nothing drawn) for missing
  // ticks and for a stretch inverted or longer than kMaxSeriesSamples.
  static bool SeriesSpan(const EventFCalc& record, int32_t index, int32_t type, int32_t recordTicks, int32_t& start,
                         int32_t& end);
  // The fit's points from x0 on, ten a tick period: false (x and y empty) unless the fit has a
  // finite tau above 0, finite parameters and 1 to kMaxCurveTicks ticks.
  static bool FitPoints(const EventFCalc& record, double period, double x0, std::vector<float>& x,
                        std::vector<float>& y);

  // The plot options (measurement indexes) in menu order.
  const std::vector<int32_t>& Options() const noexcept { return mOptions; }
  // The Bool setting that shows an option; kNoSetting for an index that is no option.
  static SettingId OptionSetting(int32_t index) noexcept;
  bool OptionOffered(int32_t index) const;
  QOR::String OptionName(int32_t index) const;
  // The setting is on, the analysis type offers the index and the event has a value for it.
  bool OptionShown(const EventFCalc& record, int32_t index, SettingId settingId) const;
  // The short names of the analysis type's measurements in catalogue order.
  std::vector<QOR::String> CalculationNames() const;
  // "Name: value unit" of the measurement at the type's catalogue index for the current event.
  QOR::String ValueText(int32_t calculation) const;

 private:
  struct EventContext;
  bool ReadCurrent(EventContext& context) const;
  int32_t AnalysisType() const;
  const ParamCatalogue* Catalogue() const;
  SettingsStore& Settings() const;
  void AddLineMarkers(const EventContext& context);
  void AddAreaMarker(const EventContext& context);
  void AddSlopeMarker(const EventContext& context);

  std::vector<float> mSamples;
  std::vector<Marker> mMarkers;
  std::vector<float> mCurveX;
  std::vector<float> mCurveY;
  ZRDoc& mDocument;
  std::vector<int32_t> mOptions;
};

}  // namespace ZR::Doc
