// ondara-bench: runs one chain over a channel on one core and prints its sample throughput. The channel is the
// synthetic cardiac signal or the first channel of a recording; the chain is a registered one or a formula run
// through the stand-in host's formula engine.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchChain.h"
#include "bench/BenchRun.h"
#include "bench/GridBench.h"
#include "bench/ManyRecordsBench.h"
#include "bench/OnlineBench.h"
#include "bench/SyntheticSignals.h"
#include "bench/TraceDrawBench.h"
#include "host/data/ChannelSampleSource.h"
#include "host/data/DataDocument.h"
#include "host/data/RecordingReader.h"

namespace {

struct Options {
  const char* chain = "detector";
  long long samples = 10000000;
  bool digest = false;          // also print a checksum of every record's bytes, outside the timed loop
  const char* dump = nullptr;   // also write every record's bytes to this file, outside the timed loop
  int repeat = 1;               // timed runs over a freshly built chain each; the fastest is reported
  const char* recording = nullptr;  // a recording file instead of the synthetic signal
  const char* signal = "cardiac";   // the synthetic signal's shape
  std::wstring formula;         // a formula for the host's formula engine instead of a registered chain
  bool drawTrace = false;       // time drawing a trace of `samples` into a 1000-pixel plot instead
};

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(size > 0 ? static_cast<size_t>(size) : 1u, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
  wide.resize(std::wcslen(wide.c_str()));
  return wide;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--chain") == 0 && hasValue) {
      options.chain = argv[++i];
    } else if (std::strcmp(argv[i], "--samples") == 0 && hasValue) {
      options.samples = std::atoll(argv[++i]);
    } else if (std::strcmp(argv[i], "--draw-trace") == 0) {
      options.drawTrace = true;
    } else if (std::strcmp(argv[i], "--digest") == 0) {
      options.digest = true;
    } else if (std::strcmp(argv[i], "--repeat") == 0 && hasValue) {
      options.repeat = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--dump") == 0 && hasValue) {
      options.dump = argv[++i];
    } else if (std::strcmp(argv[i], "--recording") == 0 && hasValue) {
      options.recording = argv[++i];
    } else if (std::strcmp(argv[i], "--signal") == 0 && hasValue && bench::IsSyntheticSignal(argv[i + 1])) {
      options.signal = argv[++i];
    } else if (std::strcmp(argv[i], "--formula") == 0 && hasValue) {
      options.formula = Widen(argv[++i]);
    } else {
      return false;
    }
  }
  return options.samples > 0 && options.samples <= 0x7FFFFFFE && options.repeat >= 1 && options.repeat <= 1000;
}

long long SampleCount(const host::Recording& recording) {
  long long samples = 0;
  for (const host::RecordData& record : recording.records) samples += record.length;
  return samples;
}

// One timed pass of the registered chain over the first channel of every record.
HRESULT TimeChain(const Options& options, const host::Recording& recording, const bench::RecordSink& sink,
                  long long* events, double* seconds) {
  std::vector<unsigned char> buffer;
  for (const host::RecordData& record : recording.records) {
    ComPtr<IEnumEventEx> chain;
    const HRESULT built = bench::FindChain(options.chain)(record.samples[0], record.tickPeriod, chain);
    if (FAILED(built) || !chain) return FAILED(built) ? built : E_FAIL;
    int32_t recordSize = 0;
    chain->GetRecordSize(&recordSize);
    const long long start = bench::Now();
    *events += bench::PullEvents(*chain, buffer, recordSize, sink);
    *seconds += bench::SecondsSince(start);
  }
  return S_OK;
}

int Run(const Options& options) {
  host::Recording recording;
  try {
    recording = options.recording ? host::ReadRecordingFile(options.recording, host::RecordingReadOptions())
                                  : bench::SyntheticRecording(options.signal, static_cast<int32_t>(options.samples));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", options.recording, e.what());
    return 1;
  }
  const long long samples = SampleCount(recording);
  host::HostPtr<host::DataDocument> document;
  if (!options.formula.empty()) document = host::DataDocument::Create(recording);
  const auto pass = [&](const bench::RecordSink& sink, long long* events, double* seconds, std::wstring* error) {
    if (document) return bench::TimeFormula(document.Get(), options.formula, sink, events, seconds, error);
    return TimeChain(options, recording, sink, events, seconds);
  };
  long long events = 0;
  double seconds = 0.0;
  for (int run = 0; run < options.repeat; ++run) {
    long long runEvents = 0;
    double runSeconds = 0.0;
    std::wstring error;
    const HRESULT hr = pass(bench::RecordSink(), &runEvents, &runSeconds, &error);
    if (FAILED(hr)) {
      std::fprintf(stderr, "the chain could not run: %ls (0x%08lX)\n", error.c_str(), static_cast<unsigned long>(hr));
      return 1;
    }
    events = runEvents;
    if (run == 0 || runSeconds < seconds) seconds = runSeconds;
  }
  if (document) std::printf("formula: %ls\n", options.formula.c_str());
  else std::printf("chain: %s\n", options.chain);
  std::printf("samples: %lld\nevents: %lld\nseconds: %.6f\n", samples, events, seconds);
  std::printf("throughput: %.1f Msamples/s\n", seconds > 0.0 ? samples / seconds / 1e6 : 0.0);
  if (!options.digest && !options.dump) return 0;
  uint32_t digest = 2166136261u;
  bench::RecordSink sink{&digest, options.dump ? std::fopen(options.dump, "wb") : nullptr};
  if (options.dump && !sink.dump) {
    std::fprintf(stderr, "cannot write %s\n", options.dump);
    return 1;
  }
  long long again = 0;
  double ignored = 0.0;
  std::wstring error;
  const HRESULT hr = pass(sink, &again, &ignored, &error);
  if (sink.dump) std::fclose(sink.dump);
  if (FAILED(hr)) return 1;
  std::printf("digest: %08lX\n", static_cast<unsigned long>(digest));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // --grid ROWS [--repeat N]: the grid's paint, scroll and select costs at ROWS rows beside 100.
  if (argc >= 3 && std::strcmp(argv[1], "--grid") == 0) {
    SetThreadAffinityMask(GetCurrentThread(), 1);
    const int repeat = argc >= 5 && std::strcmp(argv[3], "--repeat") == 0 ? std::atoi(argv[4]) : 3;
    return bench::RunGridBench(std::atoll(argv[2]), repeat);
  }
  // --online SAMPLES [BATCH [REPEAT]]: analysing while sampling at 1 MHz against the offline analysis.
  if (argc >= 3 && std::strcmp(argv[1], "--online") == 0) {
    SetThreadAffinityMask(GetCurrentThread(), 1);
    const int batch = argc >= 4 ? std::atoi(argv[3]) : 1000;
    const int repeat = argc >= 5 ? std::atoi(argv[4]) : 3;
    const long long samples = std::atoll(argv[2]);
    if (samples < 1 || samples > 0x7FFFFFFE || batch < 1 || repeat < 1) return 2;
    return bench::RunOnlineBench(samples, batch, repeat);
  }
  // --records [TICKS [REPEAT]]: the analysis document's cost per record at 1000 and at 10000 records.
  if (argc >= 2 && std::strcmp(argv[1], "--records") == 0) {
    SetThreadAffinityMask(GetCurrentThread(), 1);
    const int ticks = argc >= 3 ? std::atoi(argv[2]) : 5;
    const int repeat = argc >= 4 ? std::atoi(argv[3]) : 1;
    if (ticks < 1 || ticks > 1000000 || repeat < 1) return 2;
    return bench::RunManyRecordsBench(ticks, repeat);
  }
  Options options;
  char names[256];
  bench::ListChains(names, sizeof names);
  if (!ParseOptions(argc, argv, options) || !bench::FindChain(options.chain)) {
    std::fprintf(stderr,
                 "usage: ondara-bench [--chain %s | --formula TEXT] [--recording FILE | --samples N] [--repeat N]\n"
                 "                    [--signal %s] [--digest] [--dump FILE]\n"
                 "       ondara-bench --grid ROWS [--repeat N]\n"
                 "       ondara-bench --online SAMPLES [BATCH [REPEAT]]\n"
                 "       ondara-bench --records [TICKS [REPEAT]]\n"
                 "       ondara-bench --draw-trace [--samples N] [--repeat N]\n",
                 names, bench::SyntheticSignalNames());
    return 2;
  }
  SetThreadAffinityMask(GetCurrentThread(), 1);
  if (options.drawTrace) return bench::RunTraceDraw(options.samples, options.repeat);
  return Run(options);
}
