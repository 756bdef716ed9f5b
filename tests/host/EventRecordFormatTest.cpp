// Event records as TAB-separated text: fields by record size, no-value cells left empty.
#include "host/app/EventRecordFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

namespace host {
namespace {

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  std::string cell;
  while (std::getline(in, cell, '\t')) cells.push_back(cell);
  if (!line.empty() && line.back() == '\t') cells.push_back("");
  return cells;
}

template <typename T>
void Put(std::vector<unsigned char>& bytes, size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

TEST(EventRecordFormat, FullRecordNamesFieldsAndMeasurements) {
  const std::vector<std::string> heading = Cells(EventHeading(344));
  ASSERT_EQ(heading.size(), 5u + 26u + 59u);
  EXPECT_EQ(heading[5], "stimulusTick");
  EXPECT_EQ(heading[30], "calcTick2");
  EXPECT_EQ(heading[31], "m0");
  EXPECT_EQ(heading.back(), "m58");
  EXPECT_EQ(Cells(EventHeading(16)).size(), 5u);
}

TEST(EventRecordFormat, NoValueFieldsAreEmptyCells) {
  std::vector<unsigned char> bytes(344, 0);
  Put<int32_t>(bytes, 0, 120);
  Put<float>(bytes, 4, -0.5f);
  Put<uint64_t>(bytes, 8, 0x7FF8600000000000ull);  // value without value
  Put<int32_t>(bytes, 16, 3);
  Put<int32_t>(bytes, 24, -1);                      // no stimulus
  Put<int32_t>(bytes, 28, 90);
  Put<uint32_t>(bytes, 36, 0x7F886000u);            // baseline cleared
  Put<float>(bytes, 40, 1.0f);
  Put<int32_t>(bytes, 112, -1);                     // count cleared
  Put<float>(bytes, 116, 12.25f);                   // m0
  Put<uint32_t>(bytes, 128, 0x7FC30000u);           // m5 not computed
  const std::vector<std::string> cells = Cells(FormatEvent(2, bytes.data(), 344));
  ASSERT_EQ(cells.size(), 90u);
  EXPECT_EQ(cells[0], "2");
  EXPECT_EQ(cells[1], "120");
  EXPECT_EQ(cells[2], "-0.5");
  EXPECT_EQ(cells[3], "");
  EXPECT_EQ(cells[4], "3");
  EXPECT_EQ(cells[5], "");      // stimulusTick
  EXPECT_EQ(cells[6], "90");    // baseStartTick
  EXPECT_EQ(cells[8], "");      // baseline
  EXPECT_EQ(cells[9], "1");     // polarity
  EXPECT_EQ(cells[25], "");     // count
  EXPECT_EQ(cells[31], "12.25");  // m0
  EXPECT_EQ(cells[32], "");     // m1, the count
  EXPECT_EQ(cells[36], "");     // m5
  EXPECT_EQ(cells[37], "");     // m6 has no field
  EXPECT_EQ(cells[89], "0");    // m58
}

}  // namespace
}  // namespace host
