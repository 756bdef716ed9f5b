// The population-spike chain pscalc(ch1, pspeakdet(ch1, erstimdet(ch2, 1), ...), ...) through the host's formula
// engine over a recording made here, against tests/data/pscalc_reference.txt (numpy and scipy on the same
// samples), offline and while the host samples.
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/Recording.h"
#include "tests/enumerators/CalcStagesReference.h"
#include "tests/enumerators/FormulaRun.h"

namespace {

constexpr int32_t kTicks = 6000;
constexpr wchar_t kChain[] = L"pscalc(ch1, pspeakdet(ch1, erstimdet(ch2, 1), 0, 200), 0, 20, 15)";
constexpr wchar_t kDetector[] = L"pspeakdet(ch1, erstimdet(ch2, 1), 0, 200)";

void Piecewise(std::vector<double>& x, const std::vector<std::pair<int32_t, double>>& vertices) {
  for (size_t k = 0; k + 1 < vertices.size(); ++k) {
    const auto [a, ya] = vertices[k];
    const auto [b, yb] = vertices[k + 1];
    for (int32_t t = a; t <= b; ++t) x[static_cast<size_t>(t)] = ya + (yb - ya) * (t - a) / (b - a);
  }
}

// The recording of tests/data/pscalc_reference.py: responses on channel 1, stimulus pulses on channel 2.
// shift moves every response and stimulus later by that many ticks.
host::HostPtr<host::DataDocument> SpikeDocument(int32_t shift = 0) {
  std::vector<double> x(kTicks, 0.0);
  Piecewise(x, {{1000, 0}, {1010, 1}, {1020, -3}, {1030, 2}, {1040, 0}});
  Piecewise(x, {{2000, 0}, {2010, 1}, {2011, -1}, {2012, -1}, {2013, 1}, {2020, 0}});
  Piecewise(x, {{3000, 0}, {3010, 10}, {3020, 2}, {3030, 8}, {3040, 1}, {3050, 9}, {3060, 0}});
  for (int32_t t = 4000; t < 4200; ++t) {
    const auto g = [t](double at, double w) { return std::exp(-((t - at) / w) * ((t - at) / w)); };
    x[static_cast<size_t>(t)] = 3 * g(4015, 3) - 5 * g(4030, 4) + 2 * g(4050, 5);
  }
  std::vector<float> response(static_cast<size_t>(shift), 0.0f);
  response.insert(response.end(), x.begin(), x.end());
  std::vector<float> stimulus(response.size(), 0.0f);
  for (const int32_t s : {1000, 2000, 3000, 4000, 5000}) stimulus[static_cast<size_t>(s + shift)] = 5.0f;
  const int32_t length = static_cast<int32_t>(response.size());
  host::Recording recording;
  recording.channels = {{L"Response", L"V", L""}, {L"Stimulus", L"V", L""}};
  host::RecordData record = host::MakeEmptyRecord(2, 0.001, true);
  record.samples[0]->Append(response.data(), length);
  record.samples[1]->Append(stimulus.data(), length);
  record.length = length;
  recording.records.push_back(std::move(record));
  return host::DataDocument::Create(std::move(recording));
}

struct Expected {
  bool spike = false;
  int32_t t0 = 0, t1 = 0, t2 = 0, t3 = 0;
  double y1 = 0, y2 = 0, y3 = 0, height = 0, area = 0, slope = 0, value = 0;
};

std::vector<Expected> LoadReference() {
  std::ifstream in(calcstages::TestDataPath("pscalc_reference.txt"));
  std::vector<Expected> all;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    Expected e;
    if (kind == "spike") {
      e.spike = true;
      fields >> e.t0 >> e.t1 >> e.t2 >> e.t3 >> e.y1 >> e.y2 >> e.y3 >> e.height >> e.area >> e.slope >> e.value;
    } else if (kind == "empty") {
      fields >> e.t0;
    } else {
      continue;
    }
    all.push_back(e);
  }
  return all;
}

double Cell(const formularun::Row& row, const std::string& name) {
  const auto it = row.find(name);
  return it == row.end() || it->second.empty() ? NAN : std::stod(it->second);
}

void ExpectRel(double got, double want, const std::string& where) {
  EXPECT_NEAR(got, want, 1e-5 * std::max(1.0, std::fabs(want))) << where;
}

}  // namespace

TEST(PSCalcChain, MeasurementsMatchIndependentReference) {
  const std::vector<Expected> want = LoadReference();
  ASSERT_EQ(want.size(), 5u);
  const auto rows = formularun::Run(SpikeDocument().Get(), kChain);
  ASSERT_EQ(rows.size(), want.size());
  int32_t responses = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    const Expected& e = want[i];
    const std::string where = "response at " + std::to_string(e.t0);
    EXPECT_EQ(row.at("kind"), "3") << where;
    EXPECT_EQ(row.at("stimulusTick"), std::to_string(e.t0)) << where;
    if (!e.spike) {
      EXPECT_EQ(row.at("tick"), std::to_string(e.t0)) << where;
      EXPECT_EQ(row.at("value"), "") << where;  // a NaN
      EXPECT_EQ(row.at("count"), "") << where;  // -1
      EXPECT_EQ(row.at("peakEndTick"), std::to_string(e.t0 + 1)) << where;
      for (const char* m : {"m0", "m46", "m48", "m49", "m50"}) EXPECT_EQ(row.at(m), "") << where << " " << m;
      continue;
    }
    EXPECT_EQ(row.at("count"), std::to_string(++responses)) << where;
    EXPECT_EQ(row.at("tick"), std::to_string(e.t1)) << where;
    EXPECT_EQ(row.at("spikeTroughTick"), std::to_string(e.t2)) << where;
    EXPECT_EQ(row.at("spikePeak2Tick"), std::to_string(e.t3)) << where;
    ExpectRel(Cell(row, "value"), e.y1, where + " value");
    ExpectRel(Cell(row, "m0"), e.t1 * 0.001, where + " TStart");
    ExpectRel(Cell(row, "m46"), e.value, where + " Value");
    ExpectRel(Cell(row, "m48"), e.slope, where + " Slope");
    ExpectRel(Cell(row, "m49"), e.height, where + " PopSpikeHeight");
    ExpectRel(Cell(row, "m50"), e.area, where + " PopSpikeArea");
  }
  // The worked figures: height 4.5 for peaks 1.0 and 2.0 around a trough of -3.0, area 4.0 periods.
  EXPECT_EQ(rows[0].at("m49"), "4.5");
  EXPECT_EQ(rows[1].at("m50"), "0.004");
}

// Fed while the host samples, in blocks that end anywhere, the chain and its detector give the offline events.
TEST(PSCalcChain, OnlineInUnevenBlocksEqualsOffline) {
  for (const wchar_t* formula : {kDetector, kChain}) {
    const auto offline = formularun::Run(SpikeDocument().Get(), formula);
    for (const int32_t block : {1, 7, 1013, 4096}) {
      const auto online = formularun::Run(SpikeDocument().Get(), formula, block);
      EXPECT_EQ(online, offline) << "block " << block;
    }
  }
}

// Responses that straddle the search's 100000-tick chunks (stimulus before, spike after the boundary) are
// measured as anywhere else.
TEST(PSCalcChain, ResponsesAcrossChunkBoundariesAreKept) {
  const auto unshifted = formularun::Run(SpikeDocument().Get(), kChain);
  for (const int32_t shift : {95995, 96995, 97995}) {
    const auto shifted = formularun::Run(SpikeDocument(shift).Get(), kChain);
    ASSERT_EQ(shifted.size(), unshifted.size()) << "shift " << shift;
    for (size_t i = 0; i < unshifted.size(); ++i) {
      EXPECT_EQ(std::stoi(shifted[i].at("tick")), std::stoi(unshifted[i].at("tick")) + shift) << "shift " << shift;
      for (const char* m : {"count", "m46", "m48", "m49", "m50"}) EXPECT_EQ(shifted[i].at(m), unshifted[i].at(m)) << m;
    }
  }
}
