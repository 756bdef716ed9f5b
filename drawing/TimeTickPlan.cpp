// The tick plan of a time strip: steps rounded to 1-2-5 (or whole hours and days), labels on the
// major ticks that their texts leave room for.
#include "drawing/TimeTickPlan.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "base/TimeText.h"

namespace ScrivoDraw {

namespace {

int32_t RoundStep(double& value, const int32_t* multipliers, int32_t count, int32_t otherwise) {
  const double unit = std::pow(10.0, std::floor(std::log10(value)));
  const double m = value / unit + 0.5;
  int32_t chosen = otherwise;
  for (int32_t i = 0; i < count; ++i) {
    if (multipliers[i] >= m) {
      chosen = multipliers[i];
      break;
    }
  }
  value = chosen * unit;
  return chosen;
}

bool FinitePositive(double v) { return std::isfinite(v) && v > 0.0; }

void ClearTicks(TimeLabelLayout& layout) {
  layout.minorSpacing = 0.0;
  layout.minorPerMajor = 0;
}

// Seconds from s0 forward to the nearest multiple of interval at or after it.
double DistanceToMultiple(double s0, double interval) {
  if (s0 < 0) return std::fmod(-s0, interval);
  const double r = std::fmod(s0, interval);
  return r == 0.0 ? 0.0 : interval - r;
}

double WithFraction(double value, double fraction) { return std::isfinite(fraction) ? value + fraction : value; }

// Where display kind's time zero lies on the strip, in seconds.
double LabelOrigin(uint32_t displayFlags, const PixMapTimeScale& scale) {
  double origin = 0.0;
  switch (displayFlags & QOR::kTimeKindMask) {
    case QOR::kTimeKindElapsed:
      if (std::isfinite(scale.clockOffset) && std::isfinite(scale.referenceOffset))
        origin = (scale.clockTimeOfDay + scale.clockOffset) - (scale.referenceTimeOfDay + scale.referenceOffset);
      else
        origin = scale.clockTimeOfDay - scale.referenceTimeOfDay;
      break;
    case QOR::kTimeKindOfDay:
      origin = WithFraction(scale.startTime, scale.startFraction);
      break;
    default:
      break;
  }
  return origin - scale.offset;
}

}  // namespace

int32_t RoundStep125(double& value) {
  static const int32_t kSteps[] = {1, 2, 5};
  return RoundStep(value, kSteps, 3, 10);
}

int32_t RoundStepHours(double& value) {
  static const int32_t kSteps[] = {1, 2, 6, 12};
  return RoundStep(value, kSteps, 4, 24);
}

bool ChooseTickStep(TimeLabelLayout& layout, int32_t labelWidth, double secondsPerPixel, double pixelsPerMm) {
  ClearTicks(layout);
  if (!FinitePositive(secondsPerPixel) || !FinitePositive(pixelsPerMm)) return false;
  const int32_t minorMin = static_cast<int32_t>(5.0 * pixelsPerMm);
  const int32_t majorMin = static_cast<int32_t>(15.0 * pixelsPerMm);
  const double x = majorMin * secondsPerPixel;
  if (!FinitePositive(x)) return false;  // a device too coarse for one major tick
  double r = x;
  int32_t multiplier = 1;
  bool sixths = false;
  if (x < 15.0) {
    multiplier = RoundStep125(r);
  } else if (x < 900.0) {
    r = x / 60.0;
    multiplier = RoundStep125(r);
    r *= 60.0;
    sixths = r < 61.0;
  } else if (x < 3601.0) {
    r = 3600.0;
    sixths = true;
  } else if (x < 64800.0) {
    r = x / 3600.0;
    multiplier = RoundStepHours(r);
    r *= 3600.0;
    sixths = multiplier >= 6;
  } else if (x < 86401.0) {
    r = 86400.0;
    sixths = true;
  } else {
    r = x / 86400.0;
    multiplier = RoundStep125(r);
    r *= 86400.0;
  }
  const double q = r / secondsPerPixel;
  const int32_t k = sixths ? 6 : multiplier == 2 ? 4 : 5;
  const int32_t minorPerMajor = q / k >= minorMin ? k : 2;
  const double spacing = q / minorPerMajor;
  if (!FinitePositive(spacing)) return false;
  const double perLabel = labelWidth / q + 1.0;
  layout.minorPerMajor = minorPerMajor;
  layout.minorSpacing = spacing;
  layout.majorPerLabel = perLabel < 2147483647.0 ? static_cast<int32_t>(perLabel) : INT32_MAX;
  layout.labelInterval = r * layout.majorPerLabel;
  return true;
}

bool HasTicks(const TimeLabelLayout& layout) {
  return FinitePositive(layout.minorSpacing) && layout.minorPerMajor > 0 && layout.majorPerLabel > 0 &&
         FinitePositive(layout.labelInterval);
}

bool LayoutTimeLabels(HDC dc, TimeLabelLayout& layout, const PixMapTimeScale& scale, double startTime,
                      double secondsPerPixel) {
  if (!HasTicks(layout) || !FinitePositive(secondsPerPixel)) {
    ClearTicks(layout);
    return false;
  }
  const QOR::ClockTimeBase clock{scale.clockTimeOfDay, scale.clockOffset};
  const QOR::ClockTimeBase reference{scale.referenceTimeOfDay, scale.referenceOffset};
  QOR::FormatTimeOfDay(clock, layout.clock, layout.displayFlags, reference, false, startTime - scale.timeOrigin);
  const double s0 = layout.clock.ExactValue();
  const double step = layout.labelInterval / layout.majorPerLabel;
  layout.majorPerLabel = 1;
  layout.labelInterval = step;
  TEXTMETRICW metrics{};
  if (dc && GetTextMetricsW(dc, &metrics)) {
    const double w = metrics.tmAveCharWidth;
    for (int pass = 0; pass < 2; ++pass) {
      QOR::TimeOfDay probe = layout.clock;
      probe.AddSeconds(DistanceToMultiple(s0, layout.labelInterval));
      const size_t first = std::wcslen(QOR::FormatTimeText(probe));
      probe.AddSeconds(layout.labelInterval);
      const size_t second = std::wcslen(QOR::FormatTimeText(probe));
      const double estimate = static_cast<double>(std::max(first, second) + 2) * w;
      if (estimate < layout.minorPerMajor * layout.minorSpacing * layout.majorPerLabel || pass == 1) break;
      ++layout.majorPerLabel;
      layout.labelInterval = layout.majorPerLabel * step;
    }
  }
  layout.clock.AddSeconds(DistanceToMultiple(s0, layout.labelInterval));
  const double t1 = layout.clock.ExactValue();
  layout.firstLabelTime = t1;
  const int32_t ticksPerLabel = layout.minorPerMajor * layout.majorPerLabel;
  const double m0d = std::floor((t1 - s0) / (layout.labelInterval / ticksPerLabel) + 0.5);
  const int32_t m0 = std::isfinite(m0d) ? static_cast<int32_t>(std::clamp(m0d, 0.0, 1e9)) : 0;
  layout.firstLabelIndex = m0;
  layout.firstLabelX = (t1 - LabelOrigin(layout.displayFlags, scale)) / secondsPerPixel;
  layout.firstTickX = layout.firstLabelX - m0 * layout.minorSpacing;
  layout.minorCountdown = m0 % layout.minorPerMajor + 1;
  layout.labelCountdown =
      m0 == ticksPerLabel ? layout.majorPerLabel + 1 : (m0 / layout.minorPerMajor) % layout.majorPerLabel + 1;
  return true;
}

bool ShowsMillisecondsNote(uint32_t displayFlags) {
  return (displayFlags & QOR::kTimeMilliseconds) != 0 && (displayFlags & QOR::kTimeKindMask) != QOR::kTimeKindOfDay;
}

TimeTickWalker::TimeTickWalker(const TimeLabelLayout& layout)
    : layout_(layout), minorCountdown_(layout.minorCountdown), labelCountdown_(layout.labelCountdown) {}

bool TimeTickWalker::Next(double* x, Kind* kind) {
  if (!HasTicks(layout_) || index_ >= kMaxTicksPerPaint) return false;
  *x = layout_.firstTickX + index_ * layout_.minorSpacing;
  ++index_;
  *kind = kMinor;
  if (--minorCountdown_ <= 0) {
    minorCountdown_ = layout_.minorPerMajor;
    *kind = kMajor;
    if (--labelCountdown_ <= 0) {
      labelCountdown_ = layout_.majorPerLabel;
      *kind = kLabel;
    }
  }
  return true;
}

}  // namespace ScrivoDraw

namespace ScrivoDraw {

void DrawTimeStrip(HDC dc, TimeLabelLayout& layout, const TimeStripPaint& paint) {
  const int32_t majorLength = static_cast<int32_t>(2.0 * paint.deviceScale);
  const int32_t minorLength = majorLength / 2;
  const int32_t labelTop = static_cast<int32_t>(4.0 * paint.deviceScale - 1.0);
  const int64_t endColumn = paint.last - paint.first + paint.originColumn;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  TimeTickWalker walker(layout);
  double x;
  TimeTickWalker::Kind kind;
  while (walker.Next(&x, &kind)) {
    const int64_t xi = static_cast<int64_t>(std::floor(x + 0.5)) - paint.originPosition + paint.originColumn;
    if (xi >= endColumn) break;
    const wchar_t* text = nullptr;
    if (kind == TimeTickWalker::kLabel) {
      text = QOR::FormatTimeText(layout.clock);
      layout.clock.AddSeconds(layout.labelInterval);
    }
    if (x < -0.5) continue;
    const int32_t column = static_cast<int32_t>(xi);
    if (text) {
      const int length = static_cast<int>(std::wcslen(text));
      SIZE size{0, 0};
      GetTextExtentPoint32W(dc, text, length, &size);
      const bool whole = static_cast<int64_t>(column) - size.cx / 2 >= paint.labelStartColumn &&
                         static_cast<int64_t>(column) + (size.cx + 1) / 2 <= paint.labelEndColumn;
      if (size.cx < paint.labelLimit - x && whole) TextOutW(dc, column, labelTop, text, length);
    }
    if (xi >= paint.clip.left && xi < paint.clip.right) {
      MoveToEx(dc, column, 0, nullptr);
      LineTo(dc, column, kind == TimeTickWalker::kMinor ? minorLength : majorLength);
    }
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace ScrivoDraw
