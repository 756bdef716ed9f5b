// The evoked-response baseline beside the stimulus artefact it follows: calcbase over erpeakdet over erstimdet on
// one channel, as the Evoked Response analysis builds it, through the host's formula engine over recordings made
// here of many artefacts, noises, rates and seeds.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/Recording.h"
#include "tests/enumerators/FormulaRun.h"
#include "tests/support/SeededNoise.h"

namespace {

constexpr double kRest = -0.060;      // V
constexpr double kResponse = 0.008;   // the response's height, peaking 2 ms after its onset
constexpr int kStimuli = 8;           // 100 ms apart, the first at 20 ms

// One record of the samples x, in volts.
host::HostPtr<host::DataDocument> Document(double rate, const std::vector<float>& x) {
  host::Recording recording;
  recording.channels = {{L"Vm", L"V", L""}};
  host::RecordData record = host::MakeEmptyRecord(1, 1.0 / rate, true);
  record.samples[0]->Append(x.data(), static_cast<int32_t>(x.size()));
  record.length = static_cast<int32_t>(x.size());
  recording.records.push_back(std::move(record));
  return host::DataDocument::Create(std::move(recording));
}

// A rectangular artefact of the given height and width at each stimulus, then 2 ms after its start a gamma-shaped
// response, on rest, with noise.
host::HostPtr<host::DataDocument> ArtefactDocument(double rate, double artefact, double widthMs, double noiseSd,
                                                   uint32_t seed) {
  const int32_t length = static_cast<int32_t>(0.02 * rate + kStimuli * 0.1 * rate);
  testsupport::Noise noise(seed);
  std::vector<float> x(static_cast<size_t>(length));
  for (int32_t k = 0; k < length; ++k) {
    const double t = k / rate;
    const double since = std::fmod(t - 0.02 + 1.0, 0.1);  // seconds after the last stimulus
    const double s = (since - 0.002) / 0.001;             // the response's own time, in ms
    double v = kRest + noise(noiseSd);
    if (t >= 0.02 && since < widthMs * 1e-3) v += artefact;
    if (t >= 0.02 && s > 0.0) v += kResponse * (s / 2.0) * (s / 2.0) * std::exp(2.0 - s);
    x[static_cast<size_t>(k)] = static_cast<float>(v);
  }
  return Document(rate, x);
}

double Cell(const formularun::Row& row, const char* name) { return std::stod(row.at(name)); }

// No response reads its baseline on the artefact, whatever the artefact's width and sign, the noise, the rate and
// the seed: the artefact's samples after the stimulus (its flat top, far from the response's peak, which the
// flat-segment search scores highest) are never the baseline, and every response is measured upward. With little
// noise the baseline is rest; noise of 5 % of the response breaks rest into short segments, and one on the
// response's own rise may then win, as it does after a stimulus without an artefact.
TEST(EvokedArtefactBaseline, ResponsesAreMeasuredFromRestNeverFromTheArtefact) {
  // Stimulus pulses of 10 mV, at most 2 ms wide; responses of 3 mV within 40 ms; baselines within 40 ms.
  const std::wstring chain = L"calcbase(ch1, erpeakdet(ch1, erstimdet(ch1, 0.01, 2, 0, 10, 0), 0.003, 0, 40), "
                             L"0, 5, 0, 40, 0, 0)";
  int cases = 0;
  for (const double rate : {10000.0, 20000.0, 50000.0}) {
    for (const double artefact : {0.025, -0.025, 0.012}) {
      for (const double widthMs : {0.2, 0.3, 0.4, 0.5}) {
        for (const double noiseSd : {0.0, 0.0001, 0.0003, 0.0004}) {
          const uint32_t seed = static_cast<uint32_t>(1 + cases);
          const std::string where = "rate " + std::to_string(rate) + " artefact " + std::to_string(artefact) +
                                    " width " + std::to_string(widthMs) + " noise " + std::to_string(noiseSd) +
                                    " seed " + std::to_string(seed);
          ++cases;
          const auto rows = formularun::Run(ArtefactDocument(rate, artefact, widthMs, noiseSd, seed).Get(), chain);
          int responses = 0;
          for (const auto& row : rows) {
            if (row.at("baseline").empty()) continue;  // a stimulus without its response
            ++responses;
            const double baseline = Cell(row, "baseline");
            const double within = noiseSd <= 0.0001 ? 0.25 * kResponse : 0.5 * std::fabs(artefact);
            EXPECT_LT(std::fabs(baseline - kRest), within) << where << " tick " << row.at("tick");
            EXPECT_EQ(row.at("polarity"), "1") << where << " tick " << row.at("tick");
          }
          EXPECT_EQ(responses, kStimuli) << where;
        }
      }
    }
  }
}


// An artefact drawn from four shapes, of size a (volts, either sign) and width w (ms), at time s ms after its start:
// rectangular, followed by a rectangular undershoot (depth x a for u ms), followed by an exponential tail (depth x a,
// time constant u ms), or biphasic (-a then a, w / 2 each).
struct ArtefactShape {
  int shape = 0;
  double a = 0.0;
  double w = 0.0;
  double depth = 0.0;
  double u = 0.0;
  double operator()(double s) const {
    if (s < 0.0) return 0.0;
    if (shape == 3) return s < w / 2 ? -a : s < w ? a : 0.0;
    if (s < w) return a;
    if (shape == 1) return s < w + u ? -depth * a : 0.0;
    if (shape == 2) return depth * a * std::exp(-(s - w) / u);
    return 0.0;
  }
  // Where it has died away to within a hundredth of a (ms after its start).
  double End() const { return shape == 1 ? w + u : shape == 2 ? w + u * std::log(100.0 * depth) : w; }
};

// Every response is measured from rest and to its own top, whatever its artefact: generated artefacts of each shape,
// either sign, 0.5 to 2.5 times the response, 0.1 to 1 ms wide, with undershoots and tails of 0.1 to 0.4 of it; the
// response 0.5 to 20 ms after the artefact or its undershoot, upward or downward; rates of 10 to 50 kHz, white or
// low-passed noise of 3 % of the response; both searches starting at the stimulus or just past the artefact. An
// upward response's Height (the extreme less the baseline) lies within four noise SDs of its top above rest, plus
// what is left of the artefact where the response starts (half again as far in at most one row in 200: the largest
// of the noise's samples about a broad top), its extreme lies after the artefact and before the next one, and it
// starts after its stimulus. A downward response is no peak of this detector: no row reads its artefact instead.
TEST(EvokedArtefactBaseline, EveryArtefactShapeLeavesTheResponseItsHeight) {
  constexpr double kSd = 0.03 * kResponse;
  constexpr double kRates[] = {10000.0, 20000.0, 25000.0, 40000.0, 44100.0, 50000.0};
  int measured = 0;
  int farther = 0;
  for (uint32_t seed = 101; seed < 293; ++seed) {
    uint32_t draw = seed * 2654435761u;  // consecutive seeds draw unrelated cases
    const auto uniform = [&draw](double lo, double hi) { return lo + (hi - lo) * testsupport::NextUniform(draw); };
    ArtefactShape art;
    art.shape = static_cast<int>(uniform(0.0, 4.0));
    art.a = (uniform(0.0, 1.0) < 0.5 ? -1.0 : 1.0) * kResponse * std::exp(uniform(std::log(0.5), std::log(2.5)));
    art.w = uniform(0.1, 1.0);
    art.depth = uniform(0.1, 0.4);
    art.u = art.shape == 1 ? uniform(0.3, 1.0) : uniform(0.2, 1.5);
    const double latencyMs = std::exp(uniform(std::log(0.5), std::log(20.0)));
    const double sign = uniform(0.0, 1.0) < 0.25 ? -1.0 : 1.0;
    const double rate = kRates[static_cast<int>(uniform(0.0, 6.0))];
    const bool past = uniform(0.0, 1.0) < 0.5;
    const double filter = uniform(0.0, 1.0) < 0.5 ? 0.0 : rate * uniform(0.1, 1.0) * 1e-3;  // 0.1 to 1 ms
    const double onset = (art.shape == 1 ? art.w + art.u : art.w) + latencyMs;  // on a tail, while it lasts
    const int32_t length = static_cast<int32_t>(0.02 * rate + kStimuli * 0.1 * rate);
    testsupport::Noise noise(seed, filter);
    std::vector<float> x(static_cast<size_t>(length));
    double top = 0.0;  // the response's top above rest, the artefact's rest there included
    for (int32_t k = 0; k < length; ++k) {
      const double since = std::fmod(k / rate - 0.02 + 1.0, 0.1) * 1e3;  // ms after the last stimulus
      const bool on = k / rate >= 0.02;
      const double u = since - onset;
      const double r = u > 0.0 ? sign * kResponse * (u / 2.0) * (u / 2.0) * std::exp(2.0 - u) : 0.0;
      const double clean = on ? art(since) + r : 0.0;
      if (on && since > onset + 1.0 && since < onset + 3.0) top = std::max(top, clean);
      x[static_cast<size_t>(k)] = static_cast<float>(kRest + clean + noise(kSd));
    }
    const double left = std::fabs(art(onset));
    // The stimulus at half the artefact, within its width and what follows it, one per interval (90 ms); both
    // searches from the stimulus or from just past the artefact, where its undershoot or tail may still be.
    const std::wstring start = past ? std::to_wstring(art.w + 0.1) : L"0";
    const std::wstring chain = L"calcamax(ch1, calcbase(ch1, erpeakdet(ch1, erstimdet(ch1, " +
                               std::to_wstring(0.5 * std::fabs(art.a)) + L", " +
                               std::to_wstring(2.0 * art.End() + 1.0) + L", 0, 90, 0), 0.0032, " + start +
                               L", 40), 0, 5, " + start + L", 40, 0, 0))";
    const std::string where = "seed " + std::to_string(seed) + " shape " + std::to_string(art.shape) + " artefact " +
                              std::to_string(art.a) + " width " + std::to_string(art.w) + " response " +
                              std::to_string(sign) + " latency " + std::to_string(latencyMs) + " rate " +
                              std::to_string(rate) + " filter " + std::to_string(filter) +
                              (past ? " from past it" : " from the stimulus");
    const auto rows = formularun::Run(Document(rate, x).Get(), chain);
    int responses = 0;
    for (const auto& row : rows) {
      if (row.at("baseline").empty()) continue;
      // A stimulus the pulse detector placed on a noise low before its artefact (the previous response's fall and
      // the artefact's rise make a downward pulse) has the artefact in its window: not this rule's.
      const double stimulus = Cell(row, "stimulusTick") / rate;
      const double first = 0.02 + 0.1 * std::floor((stimulus - 0.02) / 0.1 + 0.5);  // its artefact's start
      if (stimulus - first > 0.05) continue;
      ++responses;
      EXPECT_GT(sign, 0.0) << where << " tick " << row.at("tick") << ": a row for a downward response, baseline "
                           << row.at("baseline") << " extreme " << row.at("maxValue") << " at " << row.at("maxTick")
                           << " stimulus " << row.at("stimulusTick");
      const double height = Cell(row, "maxValue") - Cell(row, "baseline");
      const double bound = 4.0 * kSd + left;
      ++measured;
      if (std::fabs(height - top) > bound) ++farther;
      EXPECT_NEAR(height, top, 1.5 * bound) << where << " tick " << row.at("tick");
      const double peak = Cell(row, "maxTick") / rate;
      EXPECT_GT(peak, first + art.w * 1e-3) << where << " tick " << row.at("tick");
      EXPECT_LT(peak, first + 0.1) << where << " tick " << row.at("tick");
      EXPECT_GE(Cell(row, "peakStartTick"), Cell(row, "stimulusTick")) << where << " tick " << row.at("tick");
    }
    EXPECT_EQ(responses, sign > 0.0 ? kStimuli : 0) << where;
  }
  EXPECT_LE(farther * 200, measured) << farther << " of " << measured << " rows beyond four noise SDs";
}

}  // namespace
