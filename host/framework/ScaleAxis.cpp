// The axis geometry: mapping, panning inside the limits, round tick values and their texts.
#include "host/framework/ScaleAxis.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <utility>

namespace host {

namespace {

// On a 96-dpi device: the pixels between two ticks, and the free pixels kept between two labels.
constexpr int32_t kPixelsPerTick = 60;
constexpr int32_t kLabelGap = 3;
constexpr int32_t kReferenceDpi = 96;
// Labels wanted on an axis.
constexpr size_t kFewestLabels = 3;
// Coarser steps tried at most for labels to stay apart (each a quarter longer at least).
constexpr int kMostCoarsenings = 40;
constexpr double kFactors[] = {1.0, 2.0, 2.5, 5.0, 10.0};

// The user's decimal separator, read afresh for each set of texts as the user may change it
// while the host runs; the point when the setting cannot be read.
wchar_t UserDecimal() {
  wchar_t separator[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2 ? L'.' : separator[0];
}

// A number written with "%g", in the decimal separator given.
std::wstring WithDecimal(const wchar_t* written, wchar_t decimal) {
  std::wstring text = written;
  if (decimal != L'.') std::replace(text.begin(), text.end(), L'.', decimal);
  return text;
}

// 1, 2, 2.5 or 5 times a power of ten, at least raw.
double NiceStep(double raw) noexcept {
  double const power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double const factor : kFactors)
    if (factor * power >= raw * (1.0 - 1e-12)) return factor * power;
  return 10.0 * power;
}

// The nice step just above step (itself a nice step).
double LargerStep(double step) noexcept { return NiceStep(step * (1.0 + 1e-6)); }

// The nice step just below step (itself a nice step).
double SmallerStep(double step) noexcept {
  double const power = std::pow(10.0, std::floor(std::log10(step) + 1e-12));
  double const factor = step / power;
  double smaller = 0.5;
  for (double const f : kFactors)
    if (f < factor * (1.0 - 1e-9)) smaller = f;
  return smaller * power;
}

}  // namespace

void ScaleAxis::SetRange(double minimum, double maximum) noexcept {
  mMinimum = minimum;
  mMaximum = maximum;
}

void ScaleAxis::SetLimits(double minimum, double maximum) noexcept {
  mLimitMin = minimum;
  mLimitMax = maximum;
}

void ScaleAxis::SetDevice(int32_t dotsPerInch, int32_t labelLength, int32_t characterLength) noexcept {
  mDotsPerInch = dotsPerInch > 0 ? dotsPerInch : kReferenceDpi;
  mLabelLength = labelLength;
  mCharacterLength = characterLength;
}

int32_t ScaleAxis::Scaled(int32_t pixels) const noexcept { return MulDiv(pixels, mDotsPerInch, kReferenceDpi); }

int32_t ScaleAxis::LabelGap() const noexcept { return Scaled(kLabelGap); }

int32_t ScaleAxis::Length() const noexcept {
  return mHorizontal ? mArea.right - mArea.left : mArea.bottom - mArea.top;
}

DragScaleMapping ScaleAxis::PixelMapping() const noexcept {
  double const span = mMaximum - mMinimum;
  if (!(span > 0.0) || !std::isfinite(span)) return {1.0, 0.0};
  if (mHorizontal) return {Length() / span, -mMinimum};
  return {-Length() / span, -mMaximum};
}

void ScaleAxis::Pan(int32_t pixels) noexcept {
  DragScaleMapping const mapping = PixelMapping();
  double shift = -pixels / mapping.scale;
  if (mMinimum + shift < mLimitMin) shift = mLimitMin - mMinimum;
  if (mMaximum + shift > mLimitMax) shift = mLimitMax - mMaximum;
  mMinimum += shift;
  mMaximum += shift;
}

double ScaleAxis::Shown(double value) const noexcept { return (value + mUnits.offset) * mUnits.scale; }

double ScaleAxis::Stored(double shown) const noexcept {
  double const scale = mUnits.scale != 0.0 ? mUnits.scale : 1.0;
  return shown / scale - mUnits.offset;
}

std::vector<ScaleAxis::Tick> ScaleAxis::Ticks() const {
  double const low = std::fmin(Shown(mMinimum), Shown(mMaximum));
  double const high = std::fmax(Shown(mMinimum), Shown(mMaximum));
  int32_t const length = Length();
  if (length < 2 || !(high > low) || !std::isfinite(high - low)) return {};
  double const pixelsPerUnit = length / (high - low);
  double step = NiceStep(Scaled(kPixelsPerTick) / pixelsPerUnit);
  std::vector<Tick> ticks = TicksEvery(step, low, high);
  // Coarser steps while the labels, in the device's font, would come too near one another.
  for (int tries = 0; tries < kMostCoarsenings && !LabelsApart(ticks, step * pixelsPerUnit); ++tries) {
    step = LargerStep(step);
    ticks = TicksEvery(step, low, high);
  }
  const auto labelled = [this](const std::vector<Tick>& all) {
    return static_cast<size_t>(
        std::count_if(all.begin(), all.end(), [this](const Tick& tick) { return LabelFits(tick, mLabelLength); }));
  };
  // Finer steps while too few labels show and the labels of the finer step still stay apart.
  while (labelled(ticks) < kFewestLabels) {
    double const finer = SmallerStep(step);
    if (finer * pixelsPerUnit < mLabelLength + LabelGap() || finer * pixelsPerUnit < 2.0) break;
    std::vector<Tick> finerTicks = TicksEvery(finer, low, high);
    if (!LabelsApart(finerTicks, finer * pixelsPerUnit)) break;
    step = finer;
    ticks = std::move(finerTicks);
  }
  return ticks;
}

bool ScaleAxis::LabelsApart(const std::vector<Tick>& ticks, double stepPixels) const noexcept {
  size_t longest = 0;
  for (const Tick& tick : ticks) longest = std::max(longest, tick.text.size());
  int32_t const labelLength = mHorizontal ? static_cast<int32_t>(longest) * mCharacterLength : mLabelLength;
  return ticks.size() < 2 || stepPixels >= labelLength + LabelGap();
}

bool ScaleAxis::LabelFits(const Tick& tick, int32_t length) const noexcept {
  int32_t const start = tick.offset - length / 2;
  return start >= 0 && start + length <= Length();
}

std::vector<ScaleAxis::Tick> ScaleAxis::TicksEvery(double step, double low, double high) const {
  std::vector<Tick> ticks;
  DragScaleMapping const mapping = PixelMapping();
  wchar_t const decimal = UserDecimal();
  for (double k = std::ceil(low / step); k * step <= high + step * 1e-9; k += 1.0) {
    double const shown = std::fabs(k) < 0.5 ? 0.0 : k * step;
    double const pixel = (Stored(shown) + mapping.offset) * mapping.scale;
    wchar_t text[32];
    std::swprintf(text, 32, L"%g", shown);
    ticks.push_back({static_cast<int32_t>(std::lround(pixel)), WithDecimal(text, decimal)});
  }
  return ticks;
}

std::wstring ScaleAxis::Format(double value, const std::wstring& units) const {
  wchar_t text[48];
  std::swprintf(text, 48, L"%.4g", Shown(value));
  std::wstring written = WithDecimal(text, UserDecimal());
  if (!units.empty()) written += L" " + units;
  return written;
}

}  // namespace host
