// The parameters of a family whose settings text is its numeric parameter table followed by the limits.
#pragma once

#include <iosfwd>

#include "enumerators/framework/ParamsBase.h"

namespace EEH3 {

// Numeric is the family's parameter table (a NumericParams); the family adds its sources.
template <class Numeric>
class TableParams : public ParamsBase, public Numeric {
 public:
  void Load(std::wistream& in) override {
    this->LoadParams(in);
    LoadLimits(in);
  }
  void Save(std::wostream& out) const override {
    this->SaveParams(out);
    SaveLimits(out);
  }
};

}  // namespace EEH3
