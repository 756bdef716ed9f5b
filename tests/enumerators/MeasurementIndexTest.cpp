// Every measurement index read back from the byte offset of the full record it belongs to.
#include "base/EventRecords.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Index -> byte offset of its float within EventFCalc (0: no slot; 1 reads count, 58 reads 0.0, the rest -1.0).
constexpr int32_t kOffsetOfIndex[kMeasurementIndexCount] = {
    116,  // 0 TStart
    0,    // 1 Count
    36,   // 2 Baseline
    120,  // 3 TimeToPeak
    124,  // 4 APeak
    128,  // 5 Height
    0, 0, 0,                                  // 6-8 none
    192,                                      // 9 Width
    132,                                      // 10 Area
    168, 172, 176, 180, 184, 188,             // 11-16 MaxSlope, MinSlope, TMaxSlope, TMinSlope, AMaxSlope, AMinSlope
    272, 276, 280, 284,                       // 17-20 TRise, TFall, SlopeRise, SlopeFall
    88,                                       // 21 TailOvershoot
    0,                                        // 22 none
    196, 200, 204, 208, 212, 216, 220, 224, 228,  // 23-31 Width10..Width90
    232,                                      // 32 Period
    136,                                      // 33 Tau
    236, 240, 244, 248, 252, 256, 260, 264, 268,  // 34-42 APD10..APD90
    292, 296, 300,                            // 43-45 Triangulation, PlateauV1, PlateauV2
    148, 152, 156,                            // 46-48 Value, Latency, Slope
    304, 308,                                 // 49-50 PopSpikeHeight, PopSpikeArea
    164,                                      // 51
    288,                                      // 52 MaxNegSlope
    312, 316, 320, 324, 328,                  // 53-57 AHPWidth, AHPArea, APDtot, PeakArea, TEnd
    0,                                        // 58 TimeDate
};

// A finite float pattern that names the byte offset it was written to.
uint32_t PatternAt(int32_t offset) { return 0x40000000u | static_cast<uint32_t>(offset) << 8; }

void PutBits(EventFCalc& record, int32_t offset, uint32_t bits) {
  std::memcpy(reinterpret_cast<unsigned char*>(&record) + offset, &bits, sizeof bits);
}

uint32_t BitsOf(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace

// Each float of the record (the two head measurements and every result slot, tau and slope extras included)
// holds a pattern of its own offset, so an index that reads a neighbouring field shows that field's offset.
TEST(MeasurementIndex, EveryIndexReadsTheFieldAtItsOffset) {
  EventFCalc record;
  PutBits(record, 36, PatternAt(36));
  PutBits(record, 88, PatternAt(88));
  for (int32_t offset = 116; offset <= 328; offset += 4) PutBits(record, offset, PatternAt(offset));
  record.count = 7;

  for (int32_t index = 0; index < kMeasurementIndexCount; ++index) {
    uint32_t expected = 0xBF800000u;  // -1.0
    if (index == 1) expected = BitsOf(7.0f);
    if (index == 58) expected = 0u;
    if (kOffsetOfIndex[index] != 0) expected = PatternAt(kOffsetOfIndex[index]);
    float value = 1.0f;
    record.GetValueByIndex(index, value);
    EXPECT_EQ(record.GetValueBitsByIndex(index), expected) << "index " << index;
    EXPECT_EQ(BitsOf(value), expected) << "index " << index;
  }
  for (const int32_t outside : {-1, 59, 1000}) {
    EXPECT_EQ(record.GetValueBitsByIndex(outside), 0xBF800000u) << "index " << outside;
  }
}
