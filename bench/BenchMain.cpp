// ondara-bench: runs one chain over an in-memory channel on one core and prints its sample throughput.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/BenchChain.h"
#include "enumerators/framework/EventRecords.h"
#include "host/data/ChannelSampleSource.h"

namespace {

struct Options {
  const char* chain = "detector";
  long long samples = 10000000;
  bool digest = false;  // also print a checksum of every record's bytes, outside the timed loop
  const char* dump = nullptr;  // also write every record's bytes to this file, outside the timed loop
  int repeat = 1;               // timed runs over a freshly built chain each; the fastest is reported
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--chain") == 0 && i + 1 < argc) {
      options.chain = argv[++i];
    } else if (std::strcmp(argv[i], "--samples") == 0 && i + 1 < argc) {
      options.samples = std::atoll(argv[++i]);
    } else if (std::strcmp(argv[i], "--digest") == 0) {
      options.digest = true;
    } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      options.repeat = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--dump") == 0 && i + 1 < argc) {
      options.dump = argv[++i];
    } else {
      return false;
    }
  }
  return options.samples > 0 && options.samples <= 0x7FFFFFFE && options.repeat >= 1 && options.repeat <= 1000;
}

// The self-checks' cardiac signal at 1 kHz (see tests/support), computed in double and stored as float.
std::vector<float> CardiacSignal(int32_t count) {
  std::vector<float> samples(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const double t = i / 1000.0;
    const double d = 0.01 + (1.0 - std::sin(5.0 * t));
    const double s = std::sin(5.0 * t - 2.5);
    samples[static_cast<size_t>(i)] = static_cast<float>(0.0001 / (d * d) + (s > 0.5 ? (s - 0.5) * (1.0 + 0.1 * t) : 0.0));
  }
  return samples;
}

// FNV-1a over the records' bytes: equal digests show that a change kept every result.
uint32_t Digest(uint32_t hash, const unsigned char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  return hash;
}

// Runs the chain to its end; with digest, folds the records into it, with dump writes them there (this pass
// is not timed).
long long RunChain(IEnumEventEx& chain, std::vector<unsigned char>& buffer, int32_t recordSize, uint32_t* digest,
                   std::FILE* dump = nullptr) {
  long long events = 0;
  for (;;) {
    int32_t returned = 0, next = 0;
    const HRESULT hr = chain.Next(static_cast<int32_t>(buffer.size()), 0x7FFFFFFF, buffer.data(), &returned, &next);
    events += returned;
    if (digest) *digest = Digest(*digest, buffer.data(), static_cast<size_t>(returned) * recordSize);
    if (dump) std::fwrite(buffer.data(), 1, static_cast<size_t>(returned) * recordSize, dump);
    if (hr != S_OK || (returned == 0 && next == 0x7FFFFFFF)) break;
  }
  return events;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  char names[256];
  bench::ListChains(names, sizeof names);
  if (!ParseOptions(argc, argv, options) || !bench::FindChain(options.chain)) {
    std::fprintf(stderr, "usage: ondara-bench [--chain %s] [--samples N] [--repeat N] [--digest] [--dump FILE]\n", names);
    return 2;
  }
  SetThreadAffinityMask(GetCurrentThread(), 1);
  const int32_t count = static_cast<int32_t>(options.samples);
  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, true);
  const std::vector<float> samples = CardiacSignal(count);
  channel->Append(samples.data(), count);

  std::vector<unsigned char> buffer;
  int32_t recordSize = 0;
  long long events = 0;
  double seconds = 0.0;
  for (int run = 0; run < options.repeat; ++run) {
    ComPtr<IEnumEventEx> chain;
    const HRESULT built = bench::FindChain(options.chain)(channel, 0.001, chain);
    if (FAILED(built) || !chain) {
      std::fprintf(stderr, "chain %s could not be built: 0x%08lX\n", options.chain, static_cast<unsigned long>(built));
      return 1;
    }
    chain->GetRecordSize(&recordSize);
    buffer.resize(static_cast<size_t>(recordSize > 0 ? recordSize : 1) * 64);
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    events = RunChain(*chain, buffer, recordSize, nullptr);
    QueryPerformanceCounter(&stop);
    const double runSeconds = Seconds(start, stop);
    if (run == 0 || runSeconds < seconds) seconds = runSeconds;
  }
  std::printf("chain: %s\nsamples: %d\nevents: %lld\nseconds: %.4f\n", options.chain, count, events, seconds);
  std::printf("throughput: %.1f Msamples/s\n", seconds > 0.0 ? count / seconds / 1e6 : 0.0);
  if (options.digest || options.dump) {
    ComPtr<IEnumEventEx> again;
    uint32_t digest = 2166136261u;
    if (FAILED(bench::FindChain(options.chain)(channel, 0.001, again)) || !again) return 1;
    std::FILE* const dump = options.dump ? std::fopen(options.dump, "wb") : nullptr;
    if (options.dump && !dump) {
      std::fprintf(stderr, "cannot write %s\n", options.dump);
      return 1;
    }
    RunChain(*again, buffer, recordSize, &digest, dump);
    if (dump) std::fclose(dump);
    std::printf("digest: %08lX\n", static_cast<unsigned long>(digest));
  }
  return 0;
}
