// One fuzzing run and its report.
#include "bench/fuzz/FuzzRun.h"

#include <windows.h>

#include <cstdio>

namespace fuzz {

namespace {

constexpr size_t kPoolSize = 256;  // inputs taken, per target, that later inputs are mutated from

// What makes two failures the same: kind, target and detail (a hang's place varies, so not its detail).
std::string SignatureOf(const std::string& target, const GuardOutcome& outcome) {
  const std::string detail = outcome.kind == FailureKind::Hang ? "" : outcome.detail;
  return std::string(FailureKindName(outcome.kind)) + "/" + target + "/" + detail;
}

struct TargetState {
  std::vector<std::string> pool;
};

void ShrinkFailures(const std::vector<Target>& targets, RunReport* report, const RunOptions& options) {
  for (Failure& failure : report->failures) {
    if (!GuardUsable()) return;
    const Target* target = nullptr;
    for (const Target& t : targets)
      if (t.name == failure.target) target = &t;
    const GuardOutcome same{failure.kind, failure.detail};
    const std::string signature = SignatureOf(failure.target, same);
    const int tries = failure.kind == FailureKind::Hang ? std::min(options.shrinkTries, 20) : options.shrinkTries;
    failure.input = Shrink(
        failure.input,
        [&](const std::string& candidate) {
          if (!GuardUsable()) return false;
          bool taken = false;
          return SignatureOf(failure.target, RunOne(*target, candidate, &taken)) == signature;
        },
        tries);
  }
}

}  // namespace

GuardOutcome RunOne(const Target& target, const std::string& input, bool* taken) {
  *taken = false;
  bool result = false;
  GuardOutcome outcome = RunGuarded([&] { result = target.run(input); });
  *taken = result && outcome.kind == FailureKind::None;
  return outcome;
}

RunReport RunFuzz(std::vector<Target>& targets, const RunOptions& options) {
  RunReport report;
  report.seed = options.seed;
  Random random(options.seed);
  std::vector<TargetState> states(targets.size());
  std::map<std::string, size_t> known;  // signature -> index in report.failures
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (uint64_t n = 0; n < options.inputs && GuardUsable(); ++n) {
    const size_t which = static_cast<size_t>(n % targets.size());
    const Target& target = targets[which];
    TargetState& state = states[which];
    const bool fromPool = !state.pool.empty() && random.OneIn(2);
    const std::string& base =
        fromPool ? state.pool[random.Below(state.pool.size())] : target.seeds[random.Below(target.seeds.size())];
    const std::string input = Mutate(base, target.seeds, target.words, random);
    bool taken = false;
    const GuardOutcome outcome = RunOne(target, input, &taken);
    TargetCounts& counts = report.counts[target.name];
    ++counts.inputs;
    ++report.inputs;
    if (outcome.kind != FailureKind::None) {
      ++counts.failed;
      ++report.failuresByKind[outcome.kind];
      const std::string signature = SignatureOf(target.name, outcome);
      const auto found = known.find(signature);
      if (found == known.end()) {
        known[signature] = report.failures.size();
        report.failures.push_back({outcome.kind, target.name, outcome.detail, 1, n, input});
      } else {
        ++report.failures[found->second].count;
      }
    } else if (taken) {
      ++counts.taken;
      if (state.pool.size() < kPoolSize) state.pool.push_back(input);
      else state.pool[random.Below(kPoolSize)] = input;
    } else {
      ++counts.refused;
    }
    if (options.progressEvery && (n + 1) % options.progressEvery == 0)
      std::fprintf(stderr, "%llu inputs, %zu distinct failures\n", static_cast<unsigned long long>(n + 1),
                   report.failures.size());
  }
  QueryPerformanceCounter(&now);
  report.seconds = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  ShrinkFailures(targets, &report, options);
  return report;
}

std::string FormatReport(const RunReport& report) {
  char line[256];
  std::snprintf(line, sizeof line, "seed %llu: %llu inputs in %.1f s (%.0f inputs/s)\n",
                static_cast<unsigned long long>(report.seed), static_cast<unsigned long long>(report.inputs),
                report.seconds, report.seconds > 0 ? static_cast<double>(report.inputs) / report.seconds : 0.0);
  std::string text = line;
  for (const auto& [name, c] : report.counts) {
    std::snprintf(line, sizeof line, "%s: %llu inputs, %llu taken, %llu refused, %llu failed\n", name.c_str(),
                  static_cast<unsigned long long>(c.inputs), static_cast<unsigned long long>(c.taken),
                  static_cast<unsigned long long>(c.refused), static_cast<unsigned long long>(c.failed));
    text += line;
  }
  text += "failures:";
  for (const FailureKind kind : {FailureKind::Crash, FailureKind::Hang, FailureKind::Exception, FailureKind::Allocation}) {
    const auto found = report.failuresByKind.find(kind);
    text += std::string(" ") + FailureKindName(kind) + " " +
            std::to_string(found == report.failuresByKind.end() ? 0 : found->second);
  }
  text += "; " + std::to_string(report.failures.size()) + " distinct\n";
  for (size_t i = 0; i < report.failures.size(); ++i) {
    const Failure& f = report.failures[i];
    text += std::to_string(i + 1) + ". " + FailureKindName(f.kind) + " in " + f.target + ": " + f.detail + "; " +
            std::to_string(f.count) + " input(s), first #" + std::to_string(f.firstInput) + "; smallest (" +
            std::to_string(f.input.size()) + " bytes): " + Printable(f.input, 300) + "\n";
  }
  return text;
}

}  // namespace fuzz
