// One fuzzing run and its report.
#include "bench/fuzz/FuzzRun.h"

#include "bench/fuzz/FuzzKeep.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

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

// The input running, for the failure hook, which may run on the watchdog thread or in the
// unhandled-exception filter: it marks the kept file and says where it is, allocating nothing.
RunningInput* gRunning = nullptr;

void OnProcessUnsound(FailureKind kind, const char* detail) {
  if (!gRunning) return;
  char state[512];
  std::snprintf(state, sizeof state, "%s: %s", FailureKindName(kind), detail);
  gRunning->MarkState(state);
  char line[sizeof state + MAX_PATH + 64];
  const int length = std::snprintf(line, sizeof line, "ondara-fuzz: %s; the input running is kept in %s\n", state,
                                   gRunning->Path());
  DWORD written = 0;
  if (length > 0) WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
}

// Points the guard's failure hook at the input running, for as long as it lives.
class RunningScope {
 public:
  explicit RunningScope(RunningInput* running) {
    gRunning = running;
    SetFailureHook(&OnProcessUnsound);
  }
  ~RunningScope() {
    SetFailureHook(nullptr);
    gRunning = nullptr;
  }
};

std::string FailureFile(const RunOptions& options, const Failure& failure, const char* suffix) {
  return KeptPath(options, std::to_string(failure.firstInput) + "-" + FailureKindName(failure.kind) + "-" +
                               failure.target + suffix);
}

KeptInput KeptOf(const RunOptions& options, const Failure& failure, const std::string& input) {
  return {failure.target, options.seed, failure.firstInput, std::string(FailureKindName(failure.kind)) + ": " + failure.detail,
          input};
}

// A hang ends the run; the input running, already marked by the hook, becomes the failure's file.
void KeepHungInput(const RunOptions& options, RunningInput* running, RunReport* report) {
  Failure& hang = report->failures.back();
  hang.keptFile = FailureFile(options, hang, "");
  running->Close(true);
  if (!MoveFileExA(running->Path(), hang.keptFile.c_str(), MOVEFILE_REPLACE_EXISTING)) hang.keptFile = running->Path();
  report->stopped = "a hang stops the thread wherever it is, perhaps inside the heap or the C runtime, so the run "
                    "ends at it";
}

void ShrinkFailures(const std::vector<Target>& targets, RunReport* report, const RunOptions& options,
                    RunningInput* running) {
  for (Failure& failure : report->failures) {
    if (!GuardUsable()) return;
    const Target* target = nullptr;
    for (const Target& t : targets)
      if (t.name == failure.target) target = &t;
    const GuardOutcome same{failure.kind, failure.detail};
    const std::string signature = SignatureOf(failure.target, same);
    const std::string first = failure.input;
    failure.input = Shrink(
        failure.input,
        [&](const std::string& candidate) {
          if (!GuardUsable()) return false;
          running->Set(failure.target.c_str(), options.seed, failure.firstInput, candidate);
          bool taken = false;
          return SignatureOf(failure.target, RunOne(*target, candidate, &taken)) == signature;
        },
        options.shrinkTries);
    if (failure.input == first) continue;
    failure.smallestFile = FailureFile(options, failure, "-smallest");
    if (!WriteKeptFile(failure.smallestFile, KeptOf(options, failure, failure.input))) failure.smallestFile.clear();
  }
}

// An input mutated from one of the target's seeds or, as often, from an input taken before.
std::string NextInput(const Target& target, const TargetState& state, Random& random) {
  const bool fromPool = !state.pool.empty() && random.OneIn(2);
  const std::string& base =
      fromPool ? state.pool[random.Below(state.pool.size())] : target.seeds[random.Below(target.seeds.size())];
  return Mutate(base, target.seeds, target.words, random);
}

// Counts a failure; one not seen before is kept with its input, whole.
void CountFailure(const Target& target, uint64_t n, const std::string& input, const GuardOutcome& outcome,
                  const RunOptions& options, RunReport* report, std::map<std::string, size_t>* known) {
  TargetCounts& counts = report->counts[target.name];
  ++counts.inputs;
  ++report->inputs;
  ++counts.failed;
  ++report->failuresByKind[outcome.kind];
  const std::string signature = SignatureOf(target.name, outcome);
  const auto found = known->find(signature);
  if (found != known->end()) {
    ++report->failures[found->second].count;
    return;
  }
  (*known)[signature] = report->failures.size();
  report->failures.push_back({outcome.kind, target.name, outcome.detail, 1, n, input, "", ""});
  if (outcome.kind == FailureKind::Hang) return;  // kept by the caller from the input running
  Failure& failure = report->failures.back();
  failure.keptFile = FailureFile(options, failure, "");
  if (!WriteKeptFile(failure.keptFile, KeptOf(options, failure, input))) failure.keptFile.clear();
}

}  // namespace

std::string KeptPath(const RunOptions& options, const std::string& what) {
  std::string folder = options.keepFolder;
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder + "ondara-fuzz-" + std::to_string(options.seed) + "-" + what + ".input";
}

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
  RunningInput running;
  if (!running.Open(KeptPath(options, "running")))
    std::fprintf(stderr, "cannot write %s: inputs that end the process will not be kept\n",
                 KeptPath(options, "running").c_str());
  const RunningScope scope(&running);
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (uint64_t n = 0; n < options.inputs && GuardUsable(); ++n) {
    const size_t which = static_cast<size_t>(n % targets.size());
    const Target& target = targets[which];
    TargetState& state = states[which];
    const std::string input = NextInput(target, state, random);
    running.Set(target.name.c_str(), options.seed, n, input);
    bool taken = false;
    const GuardOutcome outcome = RunOne(target, input, &taken);
    if (outcome.kind != FailureKind::None) {
      CountFailure(target, n, input, outcome, options, &report, &known);
      if (outcome.kind == FailureKind::Hang) KeepHungInput(options, &running, &report);
    } else {
      TargetCounts& counts = report.counts[target.name];
      ++counts.inputs;
      ++report.inputs;
      ++(taken ? counts.taken : counts.refused);
      if (taken && state.pool.size() < kPoolSize) state.pool.push_back(input);
      else if (taken) state.pool[random.Below(kPoolSize)] = input;
    }
    if (options.progressEvery && (n + 1) % options.progressEvery == 0)
      std::fprintf(stderr, "%llu inputs, %zu distinct failures\n", static_cast<unsigned long long>(n + 1),
                   report.failures.size());
  }
  if (report.stopped.empty() && !GuardUsable()) report.stopped = "a stack overflow spent the thread's guard page";
  QueryPerformanceCounter(&now);
  report.seconds = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  ShrinkFailures(targets, &report, options, &running);
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
  if (!report.stopped.empty()) text += "the run stopped early: " + report.stopped + "\n";
  for (size_t i = 0; i < report.failures.size(); ++i) {
    const Failure& f = report.failures[i];
    text += std::to_string(i + 1) + ". " + FailureKindName(f.kind) + " in " + f.target + ": " + f.detail + "; " +
            std::to_string(f.count) + " input(s), first #" + std::to_string(f.firstInput) +
            (f.keptFile.empty() ? "" : ", kept in " + f.keptFile) + "; smallest (" + std::to_string(f.input.size()) +
            " bytes" + (f.smallestFile.empty() ? "" : ", kept in " + f.smallestFile) + "): " + Printable(f.input, 300) +
            "\n";
  }
  return text;
}

}  // namespace fuzz
