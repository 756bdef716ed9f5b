// Robust measures of a sample's centre and spread, which a minority of outliers (an event among
// noise) moves little.
#pragma once

#include <vector>

namespace host {

// The median of x (the upper one of an even count); x is reordered. x must not be empty.
double Median(std::vector<double>& x);

// The median absolute deviation of x about its median, times 1.4826: the standard deviation of a
// normal distribution. 0 when more than half the values are equal; x is reordered.
double RobustSd(std::vector<double>& x);

}  // namespace host
