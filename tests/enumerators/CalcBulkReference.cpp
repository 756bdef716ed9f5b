// Reads the reference recordings and expected measurements of the full measurement stage from tests/data.
#include "tests/enumerators/CalcBulkReference.h"
#include "tests/support/SourceTree.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace calcbulkref {

namespace {

std::string DataPath(const char* fileName) {
  return testsupport::SourcePath(std::string("tests/data/") + fileName);
}

void SetField(EventBCalcBase2& r, const std::string& key, const std::string& text) {
  const double d = std::strtod(text.c_str(), nullptr);
  const int32_t i = static_cast<int32_t>(d);
  if (key == "tick") r.tick = i;
  else if (key == "value") r.value = d;
  else if (key == "baseline") r.baseline = static_cast<float>(d);
  else if (key == "polarity") r.polarity = static_cast<float>(d);
  else if (key == "maxValue") r.maxValue = static_cast<float>(d);
  else if (key == "maxTick") r.maxTick = i;
  else if (key == "stimulusTick") r.stimulusTick = i;
  else if (key == "baseStartTick") r.baseStartTick = i;
  else if (key == "baseEndTick") r.baseEndTick = i;
  else if (key == "peakStartTick") r.peakStartTick = i;
  else if (key == "peakEndTick") r.peakEndTick = i;
  else if (key == "limitTick") r.limitTick = i;
  else if (key == "tauFitStartTick") r.tauFitStartTick = i;
  else if (key == "tauFitEndTick") r.tauFitEndTick = i;
  else if (key == "tailOvershoot") r.tailOvershoot = static_cast<float>(d);
  else if (key == "ahpEndTick") r.ahpEndTick = i;
  else if (key == "midPlateauTick") r.midPlateauTick = i;
  else if (key == "plateauCentreTick") r.plateauCentreTick = i;
  else if (key == "lowestSample") r.lowestSample = static_cast<float>(d);
  else if (key == "highestSample") r.highestSample = static_cast<float>(d);
}

ReferenceEvent ParseEvent(std::istringstream& line) {
  ReferenceEvent e;
  e.record.kind = kEventCalc;
  std::string pair;
  while (line >> pair) {
    const size_t eq = pair.find('=');
    SetField(e.record, pair.substr(0, eq), pair.substr(eq + 1));
  }
  return e;
}

Expectation ParseExpect(std::istringstream& line) {
  Expectation x;
  std::string kind;
  line >> x.index >> kind;
  if (kind == "nv") {
    x.kind = Kind::NoValue;
  } else if (kind == "bits") {
    std::string hex;
    line >> hex;
    x.kind = Kind::Bits;
    x.bits = static_cast<uint32_t>(std::strtoul(hex.c_str(), nullptr, 16));
  } else {
    std::string v, tol;
    line >> v >> tol;
    x.value = std::strtod(v.c_str(), nullptr);
    x.tolerance = std::strtod(tol.c_str(), nullptr);
  }
  return x;
}

void ReadSamples(std::istream& in, int32_t count, std::vector<float>& samples) {
  samples.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    std::string word;
    in >> word;
    const uint32_t bits = static_cast<uint32_t>(std::strtoul(word.c_str(), nullptr, 16));
    std::memcpy(&samples[static_cast<size_t>(i)], &bits, sizeof bits);
  }
}

}  // namespace

std::vector<Scenario> LoadScenarios(const char* fileName) {
  std::vector<Scenario> all;
  std::ifstream file(DataPath(fileName));
  std::string text;
  while (std::getline(file, text)) {
    std::istringstream line(text);
    std::string head;
    if (!(line >> head) || head[0] == '#')
      continue;
    if (head == "scenario") {
      all.emplace_back();
      line >> all.back().name;
      continue;
    }
    if (all.empty())
      continue;
    Scenario& s = all.back();
    if (head == "period") {
      std::string v;
      line >> v;
      s.params.period = std::strtod(v.c_str(), nullptr);
    } else if (head == "param") {
      int32_t index = 0;
      std::string v;
      line >> index >> v;
      s.params.Set(index, std::strtod(v.c_str(), nullptr));
    } else if (head == "samples") {
      int32_t count = 0;
      line >> count;
      ReadSamples(file, count, s.samples);
    } else if (head == "event") {
      s.events.push_back(ParseEvent(line));
    } else if (head == "expect" && !s.events.empty()) {
      s.events.back().expect.push_back(ParseExpect(line));
    } else if (head == "field" && !s.events.empty()) {
      FieldExpectation f;
      std::string v, tol;
      line >> f.name >> v >> tol;
      f.value = std::strtod(v.c_str(), nullptr);
      f.tolerance = std::strtod(tol.c_str(), nullptr);
      s.events.back().fields.push_back(f);
    }
  }
  for (Scenario& s : all)
    s.params.Prepare(s.params.period);
  return all;
}

}  // namespace calcbulkref
