// TestRandomGenerator: seeding, the generator step and the shuffle.
#include "selfcheck/TestRandomGenerator.h"

namespace SelfCheck {

namespace {

constexpr int64_t kModulus = 2147483647;
constexpr int64_t kMultiplier = 16807;
constexpr int64_t kQuotient = 127773;  // kModulus / kMultiplier
constexpr int64_t kRemainder = 2836;   // kModulus % kMultiplier
constexpr int32_t kTableDivisor = 67108864;  // 1 + (kModulus - 1) / 32
constexpr double kScale = 4.656612875245797e-10;  // 1 / kModulus
constexpr float kLargest = 0.99999988f;

}  // namespace

void TestRandomGenerator::Start(int32_t startValue) noexcept {
  // The sign is handled in 64 bits: minus the magnitude of -2^31 does not fit 32 bits.
  const int64_t value = startValue;
  mSeed = -(value < 0 ? -value : value);
  mY = 0;
}

int64_t TestRandomGenerator::Step(int64_t seed) noexcept {
  const int64_t k = seed / kQuotient;
  seed = kMultiplier * (seed - k * kQuotient) - kRemainder * k;
  return seed < 0 ? seed + kModulus : seed;
}

void TestRandomGenerator::Initialise() noexcept {
  mSeed = -mSeed < 1 ? 1 : -mSeed;
  // The first 8 steps are dropped; the next 32 fill the table from its end.
  for (int j = 39; j >= 0; --j) {
    mSeed = Step(mSeed);
    if (j < 32) mTable[j] = static_cast<int32_t>(mSeed);
  }
  mY = mTable[0];
}

float TestRandomGenerator::Next() noexcept {
  if (mSeed <= 0 || mY == 0) Initialise();
  mSeed = Step(mSeed);
  const int32_t j = mY / kTableDivisor;
  mY = mTable[j];
  mTable[j] = static_cast<int32_t>(mSeed);
  const float value = static_cast<float>(mY * kScale);
  return value > kLargest ? kLargest : value;
}

int32_t TestRandomGenerator::Draw(int32_t n) noexcept {
  return static_cast<int32_t>(static_cast<double>(Next()) * (static_cast<double>(n) + 0.999999999));
}

}  // namespace SelfCheck
