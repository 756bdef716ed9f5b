// Many short records: the analysis document's run over 1000 and over 10000 records of a few ticks.
#include "bench/ManyRecordsBench.h"

#include "bench/BenchDocument.h"
#include "bench/BenchRun.h"
#include "document/CycleDetector.h"

#include <cstdio>
#include <vector>

namespace bench {

namespace {

constexpr double kTickPeriod = 1e-3;
constexpr int kRecordCounts[] = {1000, 10000};

// Each record a short pulse of 1 V in the middle of its ticks.
host::Recording PulseRecords(int records, int ticks) {
  host::Recording recording;
  recording.channels.push_back({L"Signal", L"V", L""});
  std::vector<float> samples(static_cast<size_t>(ticks), 0.0f);
  samples[static_cast<size_t>(ticks / 2)] = 1.0f;
  for (int r = 0; r < records; ++r) {
    host::RecordData record = host::MakeEmptyRecord(1, kTickPeriod, true);
    record.samples[0]->Append(samples.data(), ticks);
    record.length = ticks;
    recording.records.push_back(std::move(record));
  }
  return recording;
}

// Seconds of the fastest of `repeat` runs; -1 when the document could not be made.
double FastestRun(const host::Recording& recording, int repeat, long long* events) {
  double fastest = -1.0;
  for (int run = 0; run < repeat; ++run) {
    BenchDocument open(recording, false);
    if (!open.doc) return -1.0;
    const long long start = Now();
    open.doc->RunAnalysis(false, true);
    const double seconds = SecondsSince(start);
    *events = open.doc->GetCycleDetector()->EventCount();
    if (fastest < 0.0 || seconds < fastest) fastest = seconds;
  }
  return fastest;
}

}  // namespace

int RunManyRecordsBench(int ticks, int repeat) {
  if (!RegisterDocumentClasses()) return 1;
  double perRecord[2] = {};
  for (int i = 0; i < 2; ++i) {
    const int records = kRecordCounts[i];
    long long events = 0;
    const double seconds = FastestRun(PulseRecords(records, ticks), repeat, &events);
    if (seconds < 0.0) return 1;
    perRecord[i] = seconds / records;
    std::printf("many records: %d records of %d ticks: %.6f s, %.1f us per record, %lld events\n", records, ticks,
                seconds, perRecord[i] * 1e6, events);
  }
  std::printf("per-record cost ratio (%d against %d records): %.2f\n", kRecordCounts[1], kRecordCounts[0],
              perRecord[0] > 0.0 ? perRecord[1] / perRecord[0] : 0.0);
  return 0;
}

}  // namespace bench
