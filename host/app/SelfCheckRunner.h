// Listing and running the self-checks that modules registered with the unit-test service.
#pragma once

#include "hostapi/UnitTestService.h"

#include <cstdio>

namespace ondara_host {

// Every registered check (its owner and cases) is listed, or every case run in order and its
// result printed ("PASS name", or "FAIL name" and the failure text), then a closing count.
// Returns the number of cases that failed (0 when only listing).
int RunSelfChecks(IUnitTestService& service, bool listOnly, std::FILE* out);

}  // namespace ondara_host
