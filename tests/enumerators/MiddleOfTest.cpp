#include "enumerators/calcbase/MiddleOf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/SeededNoise.h"

namespace {

using ZR::Enum::CalcBase::MiddleOfNonNegative;

// The middle of n numbers >= 0 (Number float with Bits uint32_t, or double with uint64_t) is std::nth_element's, for
// counts of 1 to 300 drawn at random and numbers spread over many orders of magnitude, quantised to a few values (ties
// at the middle), zeros, subnormals and the largest finite and infinite values among them.
template <typename Number, typename Bits>
void MiddleIsNthElements() {
  uint32_t seed = 12345u;
  for (int draw = 0; draw < 3000; ++draw) {
    const auto n = static_cast<size_t>(1 + testsupport::NextUniform(seed) * 300.0);
    const int kind = draw % 4;
    std::vector<Number> x(n);
    for (Number& v : x) {
      const double u = testsupport::NextUniform(seed);
      v = kind == 0   ? static_cast<Number>(std::ldexp(u, static_cast<int>(80.0 * testsupport::NextUniform(seed)) - 40))
          : kind == 1 ? static_cast<Number>(std::floor(u * 4.0) * 0.25)
          : kind == 2 ? static_cast<Number>(1.0 + u * 1e-6)
                      : (u < 0.2 ? 0 : u < 0.4 ? std::numeric_limits<Number>::denorm_min() * static_cast<Number>(u * 8)
                                   : u < 0.6 ? std::numeric_limits<Number>::max()
                                   : u < 0.7 ? std::numeric_limits<Number>::infinity()
                                             : static_cast<Number>(u));
    }
    std::vector<Bits> bits(n);
    std::memcpy(bits.data(), x.data(), n * sizeof(Number));
    const Bits middle = MiddleOfNonNegative(bits.data(), n);
    Number found;
    std::memcpy(&found, &middle, sizeof found);
    std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n / 2), x.end());
    ASSERT_EQ(found, x[n / 2]) << "draw " << draw << ", " << n << " numbers of kind " << kind;
  }
}

TEST(MiddleOf, FloatsMiddleIsNthElements) { MiddleIsNthElements<float, uint32_t>(); }
TEST(MiddleOf, DoublesMiddleIsNthElements) { MiddleIsNthElements<double, uint64_t>(); }

}  // namespace
