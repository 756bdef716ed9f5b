// A small data file loaded by the stand-in host, with the host document that holds it.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/HostDocument.h"

namespace testsupport {

// Two records of one channel "Vm [mV]" at 1 kHz, read by the host's recording reader.
host::HostPtr<host::HostDocument> LoadHostDocument();

}  // namespace testsupport
