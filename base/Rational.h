// QORRationalImp: an exact rational of two 64-bit integers, for sample periods and scale ratios,
// and RatioFromDouble, the nearest fraction of 32-bit terms by continued fractions.
#pragma once

#include <cstdint>
#include <stdexcept>

// Greatest common divisor of the absolute values (Euclid by remainder); gcd(a, 0) = |a|.
int64_t RationalGcd(int64_t a, int64_t b) noexcept;

// The last convergent of x's continued fraction whose numerator and denominator both stay below
// 0x7FFFFFFE, from at most 20 terms, stopping once the remainder is below 1/2147483646. The sign
// goes to the numerator; a NaN gives 0/1 and a magnitude beyond the range its largest term.
void RatioFromDouble(double x, int32_t& numerator, int32_t& denominator) noexcept;

// Normal form: denominator > 0, numerator and denominator coprime, zero as 0/1.
struct QORRationalImp {
  class bad_rational : public std::domain_error {
   public:
    bad_rational() : std::domain_error("bad rational: zero denominator") {}
  };

  int64_t num = 0;
  int64_t den = 1;

  // Throws bad_rational for a zero denominator.
  void Normalize();
  // *this / other in place; throws bad_rational when other is zero.
  QORRationalImp& Divide(const QORRationalImp& other);
  static QORRationalImp FromDouble(double x);
};
