// The ground-truth battery's recordings (tests/data/cycle_events_truth.txt, written by its script): their shapes,
// settings and expected cells, and the samples they stand for, generated here as the script describes them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace testsupport::battery {

struct Shape {
  std::string kind;  // "tri", "exp", "alpha", "biexp" or "pwl", as tests/data/cycle_events_truth.py defines them
  int onset = 0;     // sample, from the start of its record
  double amplitude = 0.0, rise = 0.0, decay = 0.0;
  size_t record = 0;
  std::vector<double> knots;  // "pwl": time (s) and fraction of the amplitude, in pairs, after (0, 0)

  // Where an "exp", "alpha" or "biexp" shape peaks, in s from its onset.
  double PeakTime() const {
    if (kind != "biexp") return rise;
    return rise * decay / (decay - rise) * std::log(decay / rise);
  }

  double operator()(double s) const {
    if (s <= 0.0) return 0.0;
    if (kind == "pwl") return Linear(s);
    if (kind == "tri") return s < rise ? amplitude * s / rise : std::max(amplitude * (1.0 - (s - rise) / decay), 0.0);
    if (kind == "exp") return s < rise ? amplitude * s / rise : amplitude * std::exp(-(s - rise) / decay);
    if (kind == "alpha") return amplitude * s / rise * std::exp(1.0 - s / rise);
    const double peak = PeakTime();
    const double norm = std::exp(-peak / decay) - std::exp(-peak / rise);
    return amplitude * (std::exp(-s / decay) - std::exp(-s / rise)) / norm;
  }

  // Straight lines from (0, 0) through the knots; 0 after the last.
  double Linear(double s) const {
    double t0 = 0.0, f0 = 0.0;
    for (size_t k = 0; k + 1 < knots.size(); k += 2) {
      if (s <= knots[k]) return amplitude * (f0 + (knots[k + 1] - f0) * (s - t0) / (knots[k] - t0));
      t0 = knots[k];
      f0 = knots[k + 1];
    }
    return 0.0;
  }
};

struct Expectation {
  std::string row, heading, value, tolerance;
};

struct Recording {
  // name, type, settings (types 0 and 2: the detection text 1010; others: ID=VALUE ...), rate, baseline,
  // seconds, unit, records, noise, seed
  std::vector<std::string> head;
  std::vector<Shape> shapes;
  std::vector<Expectation> expected;
  int rows = -1;                   // the events the table has; -1: one per shape
  std::vector<std::string> says;   // texts the run's output holds
  double drift = 0.0;              // of the baseline, in units per second from each record's start
  int findPeaksFound = -1;         // a battery recording: the events find_peaks finds, by MatchedEvents' rule
  double filter = 1.6;             // the noise's low-pass time constant in samples; 0 white
  int pinkOctaves = 0;             // above 0: 1/f noise of that many octaves instead
  double quantum = 0.0;            // above 0: samples rounded to steps of this many units
  std::vector<int> flat;           // the first flat[k % size] samples of record k equal the baseline
  double odd = 0.0;                // a record's first sample lies this far off the baseline
  double leadFactor = 1.0, leadSeconds = 0.0;  // the noise of a record's first leadSeconds is leadFactor times
  double growFactor = 1.0, growSeconds = 1e300;  // from growSeconds into a record on it is growFactor times
  bool each = false;               // a battery recording held to its own share of events found and rows more

  double NoiseFactor(double s) const { return s < leadSeconds ? leadFactor : s >= growSeconds ? growFactor : 1.0; }
};

// -1 for a recording of downward events (the detection text's direction -1), else +1.
inline double Polarity(const Recording& r) { return r.head[2].find(" -1 ") != std::string::npos ? -1.0 : 1.0; }

// Every recording of tests/data/cycle_events_truth.txt, in its order.
std::vector<Recording> ReadReference();

// The recording's records: its baseline and drift, plus the polarity times the sum of its shapes, plus its noise.
std::vector<std::vector<double>> Synthesise(const Recording& r, double polarity);

// A recording file in the host's text format, one sample a line, a blank line between records; empty when it
// cannot be written.
std::wstring WriteRecording(const std::string& unit, double rate, const std::vector<std::vector<double>>& records);

}  // namespace testsupport::battery
