// One fuzzing run: inputs mutated from the targets' seeds and from inputs taken before, each run
// under the guard; distinct failures kept with their first input and shrunk at the end. Each input
// is on disk while it runs, and each failure's input is written as --replay reads it.
#pragma once

#include "bench/fuzz/FuzzGuard.h"
#include "bench/fuzz/FuzzTargets.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fuzz {

struct RunOptions {
  uint64_t seed = 1;
  uint64_t inputs = 10000;
  int shrinkTries = 400;   // runs spent shrinking each distinct failure (none for a hang, which ends the run)
  uint64_t progressEvery = 0;  // inputs between progress lines on stderr; 0 for none
  // Where the inputs are kept (the one running, each failure's); empty for the working folder.
  std::string keepFolder;
};

struct TargetCounts {
  uint64_t inputs = 0, taken = 0, refused = 0, failed = 0;
};

struct Failure {
  FailureKind kind = FailureKind::None;
  std::string target;
  std::string detail;
  uint64_t count = 0;
  uint64_t firstInput = 0;  // its number in the run, from 0
  std::string input;        // the first input that failed, then the smallest found
  std::string keptFile;     // the first input, whole
  std::string smallestFile;  // the smallest, when shrinking found one
};

struct RunReport {
  uint64_t seed = 0;
  uint64_t inputs = 0;  // run before the end (fewer when the guard became unusable)
  double seconds = 0.0;
  std::map<std::string, TargetCounts> counts;
  std::map<FailureKind, uint64_t> failuresByKind;
  std::vector<Failure> failures;  // distinct, in order of first appearance
  std::string stopped;            // why the run ended before all its inputs; empty when it did not
};

// The same seed and targets give the same inputs (hangs aside, which depend on time). A hang ends the
// run: nothing more is run or shrunk, and the hung input is kept.
RunReport RunFuzz(std::vector<Target>& targets, const RunOptions& options);

// The kept file's path for a run's input: <folder>ondara-fuzz-<seed>-<what>.input.
std::string KeptPath(const RunOptions& options, const std::string& what);

// Runs one input of a target under the guard.
GuardOutcome RunOne(const Target& target, const std::string& input, bool* taken);

// The report as text: counts, seed, time and throughput, then each distinct failure.
std::string FormatReport(const RunReport& report);

}  // namespace fuzz
