// Decay time constant of the tail between the tau start and tau end ticks.
#include "enumerators/calcbulk/plugins/CalcTau.h"

#include "base/TickConversion.h"
#include "enumerators/taufit/TauFit.h"

namespace ZR::Enum::CalcBulk {

namespace {

// Reserving is only a hint: a corrupt tau range must not ask for gigabytes up front.
constexpr int32_t kMaxReserve = 1 << 20;

}  // namespace

bool CalcTau::IsActive(const MeasureInput& in) const noexcept {
  const EventBCalcBase2& e = *in.event;
  return e.peakStartTick >= 0 && e.tauFitStartTick >= 0 && e.tauFitEndTick >= 0;
}

void CalcTau::Begin(const MeasureInput& in) {
  mSamples.clear();
  mRange.start = in.event->tauFitStartTick;
  mRange.end = AddTicksSat(in.event->tauFitEndTick, 1);
  if (mRange.start >= 0 && mRange.end > mRange.start) {
    const int32_t length = mRange.end - mRange.start;
    mSamples.reserve(static_cast<size_t>(length < kMaxReserve ? length : kMaxReserve));
  }
}

void CalcTau::Add(const MeasureInput&, int32_t, const float* v, int32_t n) {
  mSamples.insert(mSamples.end(), v, v + n);
}

void CalcTau::Write(const MeasureInput& in, EventFCalc& out) noexcept {
  bool fitted = false;
  if (!mSamples.empty()) {
    const int32_t mode = in.params->tauMode;
    const bool known = mode != 0;
    const double asymptote = mode == 1   ? static_cast<double>(in.event->baseline)
                             : mode == 2 ? in.params->tauFixedValue
                                         : 0.0;
    fitted = ExtLib::FitTau(mSamples.data(), static_cast<int32_t>(mSamples.size()) - 1, known,
                            asymptote, 1.0 / in.period, &mAmplitude, &mTau, &mAsymptote);
  }
  if (!fitted) {
    SetStageNoValue(out.tau);
    SetStageNoValue(out.tauAmplitude);
    SetStageNoValue(out.tauAsymptote);
    return;
  }
  WriteMeasurement(out.tau, mTau);
  WriteMeasurement(out.tauAmplitude, mAmplitude);
  WriteMeasurement(out.tauAsymptote, mAsymptote);
}

}  // namespace ZR::Enum::CalcBulk
