// The tick plan of a time strip: the step of its major and minor ticks for a zoom, where its labels
// fall and what they read, and a walk over its ticks that a paint follows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>

#include "base/TimeOfDay.h"
#include "hostapi/RecordDataPixMap.h"

namespace ScrivoDraw {

struct TimeLabelLayout {
  double firstLabelTime = 0.0;  // seconds on the label clock
  double firstTickX = 0.0;      // pixels
  int32_t minorCountdown = 0;   // ticks left until the next major tick
  int32_t labelCountdown = 0;   // major ticks left until the next label
  double labelInterval = 0.0;   // seconds: major step times labels-every
  double minorSpacing = 0.0;    // pixels; 0 when the plan has no ticks
  int32_t minorPerMajor = 0;
  int32_t majorPerLabel = 1;
  uint32_t displayFlags = 2;    // low byte the display kind, bit 29 labels in milliseconds
  double firstLabelX = 0.0;     // pixels
  QOR::TimeOfDay clock;
  int32_t firstLabelIndex = 0;  // the first label's index in minor ticks from the first tick
};

// The most ticks one paint draws, whatever the plan says.
inline constexpr int32_t kMaxTicksPerPaint = 20000;

// Rounds value up to 1, 2 or 5 (else 10) times its power of ten, returning the multiplier.
int32_t RoundStep125(double& value);
// The same with the multipliers 1, 2, 6 and 12 (else 24).
int32_t RoundStepHours(double& value);

// Fills the label interval, minor spacing, minor ticks per major and major ticks per label for a
// label width (pixels), a zoom (seconds per pixel) and a device (pixels per millimetre). Returns
// false, leaving a plan without ticks, unless the zoom and the device are finite and positive.
bool ChooseTickStep(TimeLabelLayout& layout, int32_t labelWidth, double secondsPerPixel, double pixelsPerMm);

// Places the labels of a plan from ChooseTickStep for a start time; with a DC it labels every
// second major tick when two labels' texts would not fit between neighbouring major ticks. Returns
// false, leaving a plan without ticks, when the plan or the zoom has none.
bool LayoutTimeLabels(HDC dc, TimeLabelLayout& layout, const PixMapTimeScale& scale, double startTime,
                      double secondsPerPixel);

// Whether a plan draws ticks at all.
bool HasTicks(const TimeLabelLayout& layout);

// Whether the strip notes "(ms)" for a time-display word.
bool ShowsMillisecondsNote(uint32_t displayFlags);

// The ticks of a plan from its first tick on, each minor, major or also labelled; after
// kMaxTicksPerPaint ticks, or for a plan without ticks, there are no more.
class TimeTickWalker {
 public:
  enum Kind { kMinor, kMajor, kLabel };
  explicit TimeTickWalker(const TimeLabelLayout& layout);
  // False when the walk is over; else the next tick's x and kind.
  bool Next(double* x, Kind* kind);

 private:
  const TimeLabelLayout& layout_;
  int32_t index_ = 0;
  int32_t minorCountdown_;
  int32_t labelCountdown_;
};

}  // namespace ScrivoDraw

namespace ScrivoDraw {

// One paint of a time strip: data positions first to last, position origin.position at column
// origin.column, the clip (strip coordinates), the strip's height, the device's vertical scale
// (1.0 on a 96-dpi screen) and the position no label may reach (+infinity: none).
struct TimeStripPaint {
  int64_t first = 0;
  int64_t last = 0;
  int64_t originPosition = 0;
  int32_t originColumn = 0;
  RECT clip{0, 0, 0, 0};
  int32_t height = 0;
  double deviceScale = 1.0;
  double labelLimit = 0.0;
  // A label is drawn only when it lies (centred on its tick) between these columns.
  int64_t labelStartColumn = std::numeric_limits<int64_t>::min();
  int64_t labelEndColumn = std::numeric_limits<int64_t>::max();
};

// Draws the ticks and labels of a laid-out plan in black on white into dc (whose font is the
// label font, centred); the plan's clock advances label by label.
void DrawTimeStrip(HDC dc, TimeLabelLayout& layout, const TimeStripPaint& paint);

}  // namespace ScrivoDraw
