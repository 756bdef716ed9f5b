// Exception of the tau fit's linear solver when no pivot can be chosen.
#pragma once

#include <exception>

namespace ExtLib {

// Thrown by the Gauss-Jordan solver when no element of the matrix can serve as
// a pivot (every candidate is not a number). It never leaves the tau fit.
class TauMuntedException final : public std::exception {
public:
  const char* what() const noexcept override { return "tau fit: no pivot"; }
};

}  // namespace ExtLib
