// Reads the cardiac test signal and the stage reference from tests/data.
#include "tests/enumerators/CalcStagesReference.h"
#include "tests/support/SourceTree.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace calcstages {

namespace {

double ReadDouble(std::istringstream& in) {
  std::string word;
  in >> word;
  return word == "nan" ? NAN : std::strtod(word.c_str(), nullptr);
}

int32_t ReadInt(std::istringstream& in) {
  long long v = 0;
  in >> v;
  return static_cast<int32_t>(v);
}

}  // namespace

std::string TestDataPath(const char* name) {
  return testsupport::SourcePath(std::string("tests/data/") + name);
}

std::vector<float> CardiacSamples() {
  std::ifstream in(TestDataPath("calc_stages_samples.txt"));
  std::vector<float> v;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    v.push_back(std::strtof(line.c_str(), nullptr));
  }
  return v;
}

std::vector<ReferenceEvent> CardiacReference(int32_t sign) {
  std::ifstream in(TestDataPath("calc_stages_reference.txt"));
  std::vector<ReferenceEvent> events;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream s(line);
    ReferenceEvent e;
    e.sign = ReadInt(s);
    e.detectorTick = ReadInt(s);
    e.detectorValue = ReadDouble(s);
    e.tick = ReadInt(s);
    e.value = ReadDouble(s);
    e.baseline = ReadDouble(s);
    e.baseStart = ReadInt(s);
    e.baseEnd = ReadInt(s);
    e.polarity = ReadDouble(s);
    e.maxValue = ReadDouble(s);
    e.maxTick = ReadInt(s);
    e.peakStart = ReadInt(s);
    e.peakEnd = ReadInt(s);
    e.limit = ReadInt(s);
    e.lowest = ReadDouble(s);
    e.highest = ReadDouble(s);
    e.tauStart = ReadInt(s);
    e.tauEnd = ReadInt(s);
    e.ahp = ReadDouble(s);
    e.ahpEnd = ReadInt(s);
    e.midPlateau = ReadInt(s);
    e.plateauCentre = ReadInt(s);
    if (e.sign == sign) events.push_back(e);
  }
  return events;
}

}  // namespace calcstages

#include <gtest/gtest.h>

#include "base/EventRecords.h"

namespace calcstages {

namespace {

void ExpectFloat(const float& actual, double expected, const char* what, size_t i) {
  if (std::isnan(expected)) {
    EXPECT_EQ(FloatBits(actual), kStageNoValueBits) << what << " of event " << i;
    return;
  }
  EXPECT_FLOAT_EQ(actual, static_cast<float>(expected)) << what << " of event " << i;
}

}  // namespace

void ExpectMatchesReference(const std::vector<::EventBCalcBase2>& out, const std::vector<ReferenceEvent>& ref) {
  ASSERT_EQ(out.size(), ref.size());
  for (size_t i = 0; i < out.size(); ++i) {
    const ::EventBCalcBase2& o = out[i];
    const ReferenceEvent& r = ref[i];
    EXPECT_EQ(o.tick, r.tick) << "event " << i;
    EXPECT_EQ(o.fraction, 0.0f) << "event " << i;
    EXPECT_EQ(o.kind, kEventCalc) << "event " << i;
    EXPECT_EQ(o.stimulusTick, -1) << "event " << i;
    const float value = static_cast<float>(o.value);
    ExpectFloat(value, r.value, "value", i);
    ExpectFloat(o.baseline, r.baseline, "baseline", i);
    EXPECT_EQ(o.baseStartTick, r.baseStart) << "event " << i;
    EXPECT_EQ(o.baseEndTick, r.baseEnd) << "event " << i;
    EXPECT_EQ(o.polarity, static_cast<float>(r.polarity)) << "event " << i;
    ExpectFloat(o.maxValue, r.maxValue, "maxValue", i);
    EXPECT_EQ(o.maxTick, r.maxTick) << "event " << i;
    EXPECT_EQ(o.peakStartTick, r.peakStart) << "event " << i;
    EXPECT_EQ(o.peakEndTick, r.peakEnd) << "event " << i;
    EXPECT_EQ(o.limitTick, r.limit) << "event " << i;
    ExpectFloat(o.lowestSample, r.lowest, "lowest", i);
    ExpectFloat(o.highestSample, r.highest, "highest", i);
    EXPECT_EQ(o.tauFitStartTick, r.tauStart) << "event " << i;
    EXPECT_EQ(o.tauFitEndTick, r.tauEnd) << "event " << i;
    ExpectFloat(o.tailOvershoot, r.ahp, "tailOvershoot", i);
    EXPECT_EQ(o.ahpEndTick, r.ahpEnd) << "event " << i;
    EXPECT_EQ(o.midPlateauTick, r.midPlateau) << "event " << i;
    EXPECT_EQ(o.plateauCentreTick, r.plateauCentre) << "event " << i;
    EXPECT_EQ(o.spikeTroughTick, -1) << "event " << i;
    EXPECT_EQ(o.spikePeak2Tick, -1) << "event " << i;
  }
}

}  // namespace calcstages
