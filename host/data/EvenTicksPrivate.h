// Whether a record's time stamps are even ticks as written, and the tick period they give.
#pragma once

#include <string_view>
#include <vector>

namespace host {

// The digit a time is written to, as a power of ten: -5 for "0.00005", "1.23450" and "5e-05",
// 0 for "12", -3 for "0,125" (a decimal comma).
int WrittenDigit(std::string_view number);

// A record's times are its even ticks as written to the finest digit they show, 10^digit s: each
// lies within half that digit of its tick, or within a quarter tick where the digit is finer (as
// far as a writer's own arithmetic may stray). They follow even ticks when some start and period
// put every time that near its tick. The period is then the one written with the fewest
// significant digits, as a rate or as a period, within the half digit each of the record's two
// ends leaves over its span (40000 Hz for times written to 0.00001 s), and the span's own when
// none is shorter. At a digit coarser than half a tick a time one tick off its place can no
// longer be told from rounding; the period still can, from the span.
struct EvenTicks {
  double period = 0.0;  // 0 when the times do not increase
  int unevenAt = 0;     // the index of the first time off its tick (0 when none)
};

// At least two times; digit as WrittenDigit gives for the record's finest.
EvenTicks FitEvenTicks(const std::vector<double>& times, int digit);

}  // namespace host
