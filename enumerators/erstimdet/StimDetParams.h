// The numeric parameters of the stimulus detector, as the formula and the settings text give them.
#pragma once

#include <cstdint>
#include <iosfwd>

namespace ZR::Enum::ERStimDet {

// Parameters 1-5 of the formula: Height, Width ms, Skip ms, Min Gap ms, OneStimPerBlock_0_or_1.
// A value given as -1 (within 1e-12) selects the parameter's default.
class StimDetParams {
 public:
  static constexpr int32_t kCount = 5;
  static constexpr double kDefaultHeight = 1.0;
  static constexpr double kDefaultWidthMs = 10.0;

  StimDetParams() noexcept = default;
  StimDetParams(const StimDetParams&) = default;
  StimDetParams& operator=(const StimDetParams&) = default;
  virtual ~StimDetParams() = default;

  virtual int32_t Count() const noexcept { return kCount; }
  // Set: stores value into parameter index (0-4; others do nothing) and answers it as stored.
  // Get: answers parameter index as a double (the flag as 1.0 or 0.0).
  virtual double Access(int32_t index, double value, bool set) noexcept;
  double Get(int32_t index) const noexcept;
  // Each parameter as a double, in index order.
  virtual void SaveParams(std::wostream& out) const;
  // Each parameter in index order; one that cannot be read takes its default. Then Validate.
  virtual void LoadParams(std::wistream& in);
  // "a, b, c, d, e" as the formula writer wants them.
  virtual void WriteList(std::wostream& out) const;
  virtual void SetDefaults() noexcept;
  virtual void Validate() noexcept {}

  double height = kDefaultHeight;
  double widthMs = kDefaultWidthMs;  // negative: no limit
  double skipMs = 0.0;
  double minGapMs = 0.0;
  bool oneStimPerBlock = false;
};

}  // namespace ZR::Enum::ERStimDet
