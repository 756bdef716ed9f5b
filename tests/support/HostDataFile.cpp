// A small data file loaded by the stand-in host.
#include "tests/support/HostDataFile.h"

#include "host/data/RecordingReader.h"

#include <utility>

namespace testsupport {

host::HostPtr<host::HostDocument> LoadHostDocument() {
  constexpr char kText[] =
      "Time [s],Vm [mV]\n0,1\n0.001,2\n0.002,3\n0.003,2\n\n0,1\n0.001,5\n0.002,1\n";
  host::Recording recording = host::ParseRecordingText(kText, "two-records.csv", {});
  return host::HostDocument::Create(host::DataDocument::Create(std::move(recording)));
}

}  // namespace testsupport
