// Limits of the template enumerators and the number format of their settings text.
#include "enumerators/framework/ParamsBase.h"

#include <iomanip>
#include <istream>
#include <ostream>

#include "base/TickConversion.h"
#include "base/NoValue.h"
#include "enumerators/framework/RegionLimits.h"

namespace EEH3 {

ParamsBase::ParamsBase(const ParamsBase& other)
    : startTick(other.startTick),
      startRecord(other.startRecord),
      endTick(other.endTick),
      endRecord(other.endRecord),
      leadingValue(other.leadingValue),
      sourceCount(other.sourceCount),
      tickPeriod(other.tickPeriod),
      record(other.record),
      dataDocument(other.dataDocument) {}

bool ReadSettingsDouble(std::wistream& in, double& value) {
  double read = 0.0;
  if (!(in >> read)) return false;
  value = read;
  return true;
}

void WriteSettingsDouble(std::wostream& out, double value) {
  out << std::setprecision(17) << value << L' ';
}

namespace {

RegionLimits LimitsOf(const ParamsBase& p) noexcept {
  RegionLimits limits;
  limits.startTick = p.startTick;
  limits.startRecord = p.startRecord;
  limits.endTick = p.endTick;
  limits.endRecord = p.endRecord;
  return limits;
}

void Assign(ParamsBase& p, const RegionLimits& limits) noexcept {
  p.startTick = limits.startTick;
  p.startRecord = limits.startRecord;
  p.endTick = limits.endTick;
  p.endRecord = limits.endRecord;
}

}  // namespace

void ParamsBase::LoadLimits(std::wistream& in) {
  RegionLimits limits;
  limits.Read(in);
  Assign(*this, limits);
}

void ParamsBase::SaveLimits(std::wostream& out) const {
  LimitsOf(*this).Write(out);
  out << L'\0';
}

void ParamsBase::NormaliseLimits() noexcept {
  RegionLimits limits = LimitsOf(*this);
  limits.Normalise();
  Assign(*this, limits);
}

int32_t ParamsBase::WindowLower(int32_t recordIndex) const noexcept {
  return recordIndex == startRecord ? std::max(startTick, 0) : 0;
}

int32_t ParamsBase::WindowUpper(int32_t recordIndex) const noexcept {
  if (recordIndex < startRecord || recordIndex > endRecord) return 0;
  if (recordIndex == endRecord) return std::max(endTick, 0);
  return kRecordEndOffset;
}

}  // namespace EEH3
