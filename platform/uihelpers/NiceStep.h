// 1-2-5 steps for zooming scales in and out.
#pragma once

namespace QOR {

// m = value / 10^decade truncated: below 2 gives 2, below 5 gives 5, below 10 gives 10, else
// 20; the step is m * 10^decade. (97, 1) gives 100, (0.23, -1) gives 0.5.
double NiceStepUp(double value, int decade) noexcept;
// m = value / 10^decade truncated: above 5 gives 5, 3 to 5 gives 2, 2 gives 1, 1 gives 0.5,
// 0 gives 0; times 10^decade. (700, 2) gives 500, (100, 2) gives 50.
double NiceStepDown(double value, int decade) noexcept;
// The same within value's own decade (floor of its base-10 logarithm); value > 0.
double NiceStepUp(double value) noexcept;
double NiceStepDown(double value) noexcept;

}  // namespace QOR
