// Reads the reference recordings and expected measurements of the full measurement stage from tests/data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "enumerators/calcbulk/MeasureParams.h"
#include "base/EventRecords.h"

namespace calcbulkref {

enum class Kind { Value, NoValue, Bits };

struct Expectation {
  int32_t index = 0;
  Kind kind = Kind::Value;
  double value = 0.0;
  double tolerance = 0.0;
  uint32_t bits = 0;
};

struct FieldExpectation {
  std::string name;
  double value = 0.0;
  double tolerance = 0.0;
};

struct ReferenceEvent {
  EventBCalcBase2 record;
  std::vector<Expectation> expect;
  std::vector<FieldExpectation> fields;
};

struct Scenario {
  std::string name;
  ZR::Enum::CalcBulk::MeasureParams params;
  std::vector<float> samples;
  std::vector<ReferenceEvent> events;
};

// Every scenario of a file in tests/data (empty when the file cannot be read): calcbulk_reference.txt holds hand-made
// inputs of the measurement stage, calcbulk_chain_reference.txt the heads the earlier stages give on one of them.
std::vector<Scenario> LoadScenarios(const char* fileName = "calcbulk_reference.txt");

}  // namespace calcbulkref
