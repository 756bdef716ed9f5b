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

host::HostPtr<host::DataDocument> MakeDataDocument(const std::vector<int32_t>& lengths, double tickPeriod,
                                                  const std::function<float(int32_t, int32_t)>& value) {
  host::Recording recording;
  recording.channels.push_back({L"Vm", L"V", L""});
  for (size_t r = 0; r < lengths.size(); ++r) {
    host::RecordData record = host::MakeEmptyRecord(1, tickPeriod, true);
    std::vector<float> samples(static_cast<size_t>(lengths[r]));
    for (int32_t i = 0; i < lengths[r]; ++i)
      samples[static_cast<size_t>(i)] = value ? value(static_cast<int32_t>(r), i) : 0.0f;
    record.samples[0]->Append(samples.data(), lengths[r]);
    record.length = lengths[r];
    recording.records.push_back(std::move(record));
  }
  return host::DataDocument::Create(std::move(recording));
}

}  // namespace testsupport
