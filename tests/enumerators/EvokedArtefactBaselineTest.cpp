// The evoked-response baseline beside the stimulus artefact it follows: calcbase over erpeakdet over erstimdet on
// one channel, as the Evoked Response analysis builds it, through the host's formula engine over recordings made
// here of many artefacts, noises, rates and seeds.
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
  host::Recording recording;
  recording.channels = {{L"Vm", L"V", L""}};
  host::RecordData record = host::MakeEmptyRecord(1, 1.0 / rate, true);
  record.samples[0]->Append(x.data(), length);
  record.length = length;
  recording.records.push_back(std::move(record));
  return host::DataDocument::Create(std::move(recording));
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

}  // namespace
