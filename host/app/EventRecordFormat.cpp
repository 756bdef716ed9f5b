// Event records as TAB-separated text.
#include "host/app/EventRecordFormat.h"

#include <charconv>
#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

namespace host {

namespace {

enum class FieldType { Tick, Int, Float, Double };

struct Field {
  const char* name;
  int32_t offset;
  FieldType type;
  int32_t minSize;  // the smallest record that has the field
};

// The fields after tick, fraction, value and kind, in record order.
constexpr Field kFields[] = {
    {"stimulusTick", 24, FieldType::Tick, 48},     {"baseStartTick", 28, FieldType::Tick, 48},
    {"baseEndTick", 32, FieldType::Tick, 48},      {"baseline", 36, FieldType::Float, 48},
    {"polarity", 40, FieldType::Float, 48},        {"maxValue", 48, FieldType::Float, 72},
    {"maxTick", 52, FieldType::Tick, 72},          {"peakStartTick", 56, FieldType::Tick, 72},
    {"peakEndTick", 60, FieldType::Tick, 72},      {"limitTick", 64, FieldType::Tick, 72},
    {"lowestSample", 72, FieldType::Float, 112},   {"highestSample", 76, FieldType::Float, 112},
    {"tauFitStartTick", 80, FieldType::Tick, 112}, {"tauFitEndTick", 84, FieldType::Tick, 112},
    {"tailOvershoot", 88, FieldType::Float, 112},  {"ahpEndTick", 92, FieldType::Tick, 112},
    {"midPlateauTick", 96, FieldType::Tick, 112},  {"plateauCentreTick", 100, FieldType::Tick, 112},
    {"spikeTroughTick", 104, FieldType::Tick, 112}, {"spikePeak2Tick", 108, FieldType::Tick, 112},
    {"count", 112, FieldType::Tick, 344},          {"tauAmplitude", 140, FieldType::Float, 344},
    {"tauAsymptote", 144, FieldType::Float, 344},  {"slopeIntercept", 160, FieldType::Float, 344},
    {"calcTick1", 332, FieldType::Tick, 344},      {"calcTick2", 336, FieldType::Tick, 344},
};

constexpr int32_t kFullRecordSize = 344;
constexpr int32_t kNone = -1;      // a measurement index without a field
constexpr int32_t kCount = -2;     // measurement 1, the count
constexpr int32_t kTimeDate = -3;  // measurement 58, always 0
// Offset of each measurement index in the full record.
constexpr int32_t kMeasurementOffsets[59] = {
    116, kCount, 36,  120, 124, 128, kNone, kNone, kNone, 192, 132, 168, 172, 176, 180,
    184, 188,    272, 276, 280, 284, 88,    kNone, 196,   200, 204, 208, 212, 216, 220,
    224, 228,    232, 136, 236, 240, 244,   248,   252,   256, 260, 264, 268, 292, 296,
    300, 148,    152, 156, 304, 308, 164,   288,   312,   316, 320, 324, 328, kTimeDate};

template <typename T>
T Read(const unsigned char* bytes, int32_t offset) {
  T value;
  std::memcpy(&value, bytes + offset, sizeof value);
  return value;
}

template <typename T>
std::string Shortest(T value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// Any NaN or infinity counts as no value: the exponent bits are all set.
std::string FloatCell(const unsigned char* bytes, int32_t offset) {
  const uint32_t bits = Read<uint32_t>(bytes, offset);
  if ((bits & 0x7F800000u) == 0x7F800000u) return std::string();
  return Shortest(Read<float>(bytes, offset));
}

std::string DoubleCell(const unsigned char* bytes, int32_t offset) {
  const uint64_t bits = Read<uint64_t>(bytes, offset);
  if ((bits & 0x7FF0000000000000ull) == 0x7FF0000000000000ull) return std::string();
  return Shortest(Read<double>(bytes, offset));
}

std::string TickCell(const unsigned char* bytes, int32_t offset) {
  const int32_t tick = Read<int32_t>(bytes, offset);
  return tick == -1 ? std::string() : std::to_string(tick);
}

std::string Cell(const unsigned char* bytes, const Field& field) {
  switch (field.type) {
    case FieldType::Tick: return TickCell(bytes, field.offset);
    case FieldType::Int: return std::to_string(Read<int32_t>(bytes, field.offset));
    case FieldType::Float: return FloatCell(bytes, field.offset);
    default: return DoubleCell(bytes, field.offset);
  }
}

std::string MeasurementCell(const unsigned char* bytes, int32_t index) {
  const int32_t offset = kMeasurementOffsets[index];
  if (offset == kNone) return std::string();
  if (offset == kCount) return TickCell(bytes, 112);
  if (offset == kTimeDate) return "0";
  return FloatCell(bytes, offset);
}

}  // namespace

std::string EventHeading(int32_t recordSize) {
  std::string line = "record\ttick\tfraction\tvalue\tkind";
  for (const Field& f : kFields)
    if (recordSize >= f.minSize) line += std::string("\t") + f.name;
  if (recordSize >= kFullRecordSize)
    for (int i = 0; i < 59; ++i) line += "\tm" + std::to_string(i);
  return line;
}

std::string FormatEvent(int32_t record, const unsigned char* bytes, int32_t recordSize) {
  std::string line = std::to_string(record);
  if (recordSize < 16) return line;
  line += "\t" + std::to_string(Read<int32_t>(bytes, 0));
  line += "\t" + FloatCell(bytes, 4);
  line += "\t" + DoubleCell(bytes, 8);
  line += "\t" + (recordSize >= 24 ? std::to_string(Read<int32_t>(bytes, 16)) : std::string());
  for (const Field& f : kFields)
    if (recordSize >= f.minSize) line += "\t" + Cell(bytes, f);
  if (recordSize >= kFullRecordSize)
    for (int i = 0; i < 59; ++i) line += "\t" + MeasurementCell(bytes, i);
  return line;
}

std::vector<EventCells> ReadEventLines(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);  // the heading
  std::vector<EventCells> events;
  while (std::getline(lines, line)) {
    std::istringstream cells(line);
    EventCells event;
    for (std::string* cell : {&event.record, &event.tick, &event.fraction, &event.value, &event.kind})
      std::getline(cells, *cell, '\t');
    events.push_back(std::move(event));
  }
  return events;
}

}  // namespace host
