// Limits of the template enumerators and the number format of their settings text.
#include "enumerators/framework/ParamsBase.h"

#include <iomanip>
#include <istream>
#include <ostream>

#include "base/TickConversion.h"
#include "enumerators/framework/NoValue.h"

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

void ParamsBase::LoadLimits(std::wistream& in) {
  double limits[4] = {0.0, 0.0, 2147483647.0, 2147483647.0};
  for (double& limit : limits) ReadSettingsDouble(in, limit);
  startRecord = RoundHalfAwayToInt32Sat(limits[0]);
  startTick = RoundHalfAwayToInt32Sat(limits[1]);
  endRecord = RoundHalfAwayToInt32Sat(limits[2]);
  endTick = RoundHalfAwayToInt32Sat(limits[3]);
}

void ParamsBase::SaveLimits(std::wostream& out) const {
  WriteSettingsDouble(out, startRecord);
  WriteSettingsDouble(out, startTick);
  WriteSettingsDouble(out, endRecord);
  WriteSettingsDouble(out, endTick);
  out << L'\0';
}

void ParamsBase::NormaliseLimits() noexcept {
  if (startTick == 0 && startRecord == 0 && endTick == 0 && endRecord == 0) ResetLimits();
  if (startRecord < 0) startRecord = 0;
  if (startTick < 0) startTick = 0;
  if (endRecord < 0) endRecord = kRecordEndOffset;
  if (endTick < 0) endTick = kRecordEndOffset;
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
