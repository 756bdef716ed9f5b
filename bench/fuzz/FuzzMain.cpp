// ondara-fuzz.exe: feeds mutated formulas, recording texts, binary storage streams and settings
// streams to the stand-in host and the module
// in this one process, seeded and repeatable, and reports what crashed, hung, let an exception out
// or asked for too much memory, each with the smallest input that does it, kept in a file that
// --replay runs again.
#include "bench/fuzz/FuzzKeep.h"
#include "bench/fuzz/FuzzRun.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kUsage[] =
    "usage: ondara-fuzz [--seed N] [--inputs N] [--target all|formula|recording|stream|settings|columns|formats]\n"
    "                   [--time-bound-ms N]"
    " [--allocation-bound-mb N] [--shrink-tries N] [--progress N] [--replay FILE]\n"
    "       ondara-fuzz --target NAME --seeds 1   (lists the target's seed inputs)\n"
    "Each failure's input is kept in ondara-fuzz-SEED-NUMBER-KIND-TARGET.input, and the input running in\n"
    "ondara-fuzz-SEED-running.input, which a crash of the whole process leaves behind; --replay runs such a\n"
    "file again (its target unless --target names one; any other file is run as the bare input).\n";

struct Arguments {
  fuzz::RunOptions run;
  fuzz::GuardLimits limits;
  std::string target = "all";
  std::string replay;
  bool listSeeds = false;
};

bool ParseCount(const char* text, unsigned long long* value) {
  char* end = nullptr;
  *value = std::strtoull(text, &end, 10);
  return end != text && *end == 0 && text[0] != '-';
}

bool IsKnownTarget(const std::string& target) {
  for (const char* known : {"all", "formula", "recording", "stream", "settings", "columns", "formats"})
    if (target == known) return true;
  return false;
}

bool ParseArguments(int argc, char** argv, Arguments* args) {
  for (int i = 1; i < argc; i += 2) {
    if (i + 1 >= argc) return false;
    const std::string name = argv[i];
    unsigned long long n = 0;
    const bool numeric = ParseCount(argv[i + 1], &n);
    if (name == "--target") args->target = argv[i + 1];
    else if (name == "--replay") args->replay = argv[i + 1];
    else if (!numeric) return false;
    else if (name == "--seed") args->run.seed = n;
    else if (name == "--inputs") args->run.inputs = n;
    else if (name == "--time-bound-ms" && n > 0 && n < 3600000) args->limits.timeBoundMs = static_cast<uint32_t>(n);
    else if (name == "--allocation-bound-mb" && n > 0 && n < 2048) args->limits.allocationBound = static_cast<size_t>(n) << 20;
    else if (name == "--shrink-tries" && n < 100000) args->run.shrinkTries = static_cast<int>(n);
    else if (name == "--progress") args->run.progressEvery = n;
    else if (name == "--seeds") args->listSeeds = n != 0;
    else return false;
  }
  return IsKnownTarget(args->target);
}

int Replay(const fuzz::Target& target, const std::string& input) {
  bool taken = false;
  const fuzz::GuardOutcome outcome = fuzz::RunOne(target, input, &taken);
  if (outcome.kind == fuzz::FailureKind::None) {
    std::printf("%s: %s\n", target.name.c_str(), taken ? "taken" : "refused");
    return 0;
  }
  std::printf("%s: %s: %s\n", target.name.c_str(), fuzz::FailureKindName(outcome.kind), outcome.detail.c_str());
  return 1;
}

// After a hang (or a stack overflow) nothing more runs in this process, not even the modules'
// and the runtime's own ending, which would run on what the stopped input left half done.
int EndProcess(int status) {
  if (fuzz::GuardUsable()) return status;
  std::fflush(stdout);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, &args)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  fuzz::KeptInput kept;
  if (!args.replay.empty()) {
    if (!fuzz::ReadKeptFile(args.replay, &kept)) {
      std::fprintf(stderr, "cannot read %s\n", args.replay.c_str());
      return 2;
    }
    if (args.target == "all") args.target = kept.target;
    if (!IsKnownTarget(args.target) || args.target == "all") {
      std::fprintf(stderr, "%s names no target: give one with --target\n", args.replay.c_str());
      return 2;
    }
  }
  fuzz::FuzzHost host;
  if (!host.Start()) {
    std::fputs("the stand-in host did not start: Ondara.dll or Lumo.dll is missing beside ondara-fuzz.exe\n", stderr);
    return 3;
  }
  args.limits.closingBoundMs = 60000;
  fuzz::InstallGuard(args.limits, {L"Ondara.dll", L"Lumo.dll"});
  std::vector<fuzz::Target> targets;
  const auto wanted = [&](const char* name) { return args.target == "all" || args.target == name; };
  if (wanted("formula")) targets.push_back(fuzz::MakeFormulaTarget(host));
  if (wanted("recording")) targets.push_back(fuzz::MakeRecordingTarget(host));
  if (wanted("stream")) targets.push_back(fuzz::MakeStreamTarget());
  if (wanted("settings")) targets.push_back(fuzz::MakeSettingsTarget());
  if (wanted("columns")) targets.push_back(fuzz::MakeColumnStateTarget());
  if (wanted("formats")) targets.push_back(fuzz::MakeCellFormatTarget());
  if (args.listSeeds) {
    for (const fuzz::Target& target : targets)
      for (const std::string& seed : target.seeds) std::printf("%s\n", fuzz::Printable(seed, 100000).c_str());
    return 0;
  }
  if (!args.replay.empty()) return EndProcess(Replay(targets[0], kept.input));
  const fuzz::RunReport report = fuzz::RunFuzz(targets, args.run);
  std::fputs(fuzz::FormatReport(report).c_str(), stdout);
  return EndProcess(report.failures.empty() ? 0 : 1);
}
