// The online road: the analysis document analyses the cardiac signal while the stand-in host samples it,
// against the document's analysis of the finished recording.
#include "bench/OnlineBench.h"

#include "bench/BenchDocument.h"
#include "bench/BenchRun.h"
#include "document/CycleDetector.h"
#include "host/data/Sampler.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

constexpr double kTickPeriod = 1e-6;

host::Recording Cardiac(int32_t count, bool withRecord) {
  host::Recording recording;
  recording.channels.push_back({L"Signal", L"V", L""});
  if (!withRecord) return recording;
  std::vector<float> samples(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const double t = i * kTickPeriod;
    const double d = 0.01 + (1.0 - std::sin(5.0 * t));
    const double s = std::sin(5.0 * t - 2.5);
    samples[static_cast<size_t>(i)] = static_cast<float>(0.0001 / (d * d) + (s > 0.5 ? (s - 0.5) * (1.0 + 0.1 * t) : 0.0));
  }
  host::RecordData record = host::MakeEmptyRecord(1, kTickPeriod, true);
  record.samples[0]->Append(samples.data(), count);
  record.length = count;
  recording.records.push_back(std::move(record));
  return recording;
}

// Seconds of one pass; -1 when the document could not be made. *events gets the events found.
double Offline(const host::Recording& recording, long long* events) {
  BenchDocument open(recording, false);
  if (!open.doc) return -1.0;
  const long long start = Now();
  open.doc->RunAnalysis(false, true);
  const double seconds = SecondsSince(start);
  *events = open.doc->GetCycleDetector()->EventCount();
  return seconds;
}

double Sampled(const host::Recording& recording, int batch, bool analyse, long long* events) {
  BenchDocument open(Cardiac(0, false), analyse);
  if (!open.doc) return -1.0;
  const long long start = Now();
  host::SampleRecording(open.data.Get(), recording, batch);
  const double seconds = SecondsSince(start);
  *events = open.doc->GetCycleDetector()->EventCount();
  return seconds;
}

}  // namespace

int RunOnlineBench(long long samples, int batch, int repeat) {
  if (!RegisterDocumentClasses()) return 1;
  const host::Recording recording = Cardiac(static_cast<int32_t>(samples), true);
  double offline = 0.0, online = 0.0, sampling = 0.0;
  long long offlineEvents = 0, onlineEvents = 0, none = 0;
  for (int run = 0; run < repeat; ++run) {
    const double a = Offline(recording, &offlineEvents);
    const double b = Sampled(recording, batch, true, &onlineEvents);
    const double c = Sampled(recording, batch, false, &none);
    if (a < 0.0 || b < 0.0 || c < 0.0) return 1;
    if (run == 0 || a < offline) offline = a;
    if (run == 0 || b < online) online = b;
    if (run == 0 || c < sampling) sampling = c;
  }
  // The host's own sampling (copying the batches into the record) is not the analysis's cost.
  const double analysis = online - sampling;
  std::printf("online road: %lld samples at 1 MHz in batches of %d ticks\n", samples, batch);
  std::printf("offline: %.6f s, %lld events\n", offline, offlineEvents);
  std::printf("online: %.6f s (%.6f s sampling alone), %lld events\n", analysis, sampling, onlineEvents);
  std::printf("online overhead: %+.1f %%\n", offline > 0.0 ? (analysis / offline - 1.0) * 100.0 : 0.0);
  return onlineEvents == offlineEvents ? 0 : 1;
}

}  // namespace bench
