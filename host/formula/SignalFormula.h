// Arithmetic signal formulas: a value for every time t (seconds from the record start).
#pragma once

#include "host/formula/FormulaSyntax.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Numbers, t, + - * / ^, unary minus, parentheses, sin(x) and threshold(x, level) (1 where x
// is above level, else 0). Function names are matched in any letter case.
class SignalFormula {
 public:
  // Throws FormulaError for text that does not parse or names an unknown function.
  explicit SignalFormula(const std::wstring& text);

  double Evaluate(double t) const;

  // The samples of ticks [firstTick, firstTick + count) at tickPeriod seconds per tick, as
  // floats. Throws FormulaError (at position 1) when a value is not a finite float.
  std::vector<float> Sample(double tickPeriod, int32_t firstTick, int32_t count) const;

 private:
  FormulaNode mRoot;
};

}  // namespace host
