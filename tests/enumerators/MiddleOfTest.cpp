#include "enumerators/calcbase/MiddleOf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/SeededNoise.h"

namespace {

// The middle of 1 to 300 numbers >= 0 drawn at random is std::nth_element's, for numbers over 80 octaves, quantised
// to four values (ties at the middle), within a millionth of one another (differing in the last bytes alone), and
// mixed with zeros, subnormals and the largest finite and infinite values.
template <typename Number, typename Bits>
void MiddleIsNthElements() {
  using limits = std::numeric_limits<Number>;
  uint32_t seed = 12345u;
  for (int draw = 0; draw < 3000; ++draw) {
    std::vector<Number> x(static_cast<size_t>(1 + testsupport::NextUniform(seed) * 300.0));
    for (Number& v : x) {
      const double u = testsupport::NextUniform(seed);
      const double spread = std::ldexp(u, static_cast<int>(80.0 * testsupport::NextUniform(seed)) - 40);
      const Number special[] = {0, limits::denorm_min() * 3, limits::max(), limits::infinity(), static_cast<Number>(u)};
      const int kind = draw % 4;
      v = kind == 3 ? special[static_cast<int>(u * 5.0)]
                    : static_cast<Number>(kind == 0 ? spread : kind == 1 ? std::floor(u * 4.0) : 1.0 + u * 1e-6);
    }
    std::vector<Bits> bits(x.size());
    std::memcpy(bits.data(), x.data(), x.size() * sizeof(Number));
    const Bits middle = ZR::Enum::CalcBase::MiddleOfNonNegative(bits.data(), bits.size());
    std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(x.size() / 2), x.end());
    ASSERT_EQ(std::memcmp(&middle, &x[x.size() / 2], sizeof middle), 0) << "draw " << draw << " of " << x.size();
  }
}

TEST(MiddleOf, FloatsAndDoublesMiddleIsNthElements) {
  MiddleIsNthElements<float, uint32_t>();
  MiddleIsNthElements<double, uint64_t>();
}

}  // namespace
