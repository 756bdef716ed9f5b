// The numeric parameter table of an enumerator family, exchanged by index with the formula and the settings text.
#pragma once

#include <cstdint>
#include <iosfwd>

namespace ZR::Enum {

// A family names its parameters by index (formula parameter number - 2) through Count, Access and Get; the
// settings text and the formula list are written and read here the same way for every family.
class NumericParams {
 public:
  NumericParams() noexcept = default;
  NumericParams(const NumericParams&) = default;
  NumericParams& operator=(const NumericParams&) = default;
  virtual ~NumericParams() = default;

  virtual int32_t Count() const noexcept = 0;
  // Set: stores value into parameter index by the parameter's rule (an index outside the table stores nothing).
  // Answers the parameter as a double.
  virtual double Access(int32_t index, double value, bool set) noexcept = 0;
  // The parameter widened to a double; 0.0 outside the table.
  virtual double Get(int32_t index) const noexcept = 0;
  // Each parameter as a double, in index order.
  virtual void SaveParams(std::wostream& out) const;
  // Each parameter in index order; one that cannot be read takes its default. Then Validate.
  virtual void LoadParams(std::wistream& in);
  // "a, b, c" as the formula writer wants them.
  virtual void WriteList(std::wostream& out) const;
  // Every parameter given as -1.
  virtual void SetDefaults() noexcept;
  virtual void Validate() noexcept {}

 protected:
  // -1 within 1e-12 selects a parameter's default.
  static bool SelectsDefault(double value) noexcept;
  // Access over a table of integer fields with defaults: a set value is rounded half away from zero with
  // saturation unless it selects the default.
  static double AccessRoundedInt(int32_t* const* fields, const int32_t* defaults, int32_t count, int32_t index,
                                 double value, bool set) noexcept;
};

}  // namespace ZR::Enum
