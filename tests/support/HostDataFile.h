// A small data file loaded by the stand-in host, with the host document that holds it.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace testsupport {

// Two records of one channel "Vm [mV]" at 1 kHz, read by the host's recording reader.
host::HostPtr<host::HostDocument> LoadHostDocument();

// One channel "Vm [V]" with records of the given lengths at tickPeriod seconds per tick; sample i
// of record r is value(r, i) (0 without a function).
host::HostPtr<host::DataDocument> MakeDataDocument(const std::vector<int32_t>& lengths, double tickPeriod,
                                                  const std::function<float(int32_t, int32_t)>& value = {});

}  // namespace testsupport
