// The Table View's column record: its exact words, round trips, the refused version, the earlier
// form, and truncated or hostile streams that must stop safely.
#include "document/TableColumnRecord.h"

#include "base/StorageBinIStreamLite.h"
#include "base/StorageBinOStreamLite.h"
#include "tests/support/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace ZR {
bool operator==(const CellFormat& a, const CellFormat& b) {
  return a.significantFigures == b.significantFigures && a.measurementIndex == b.measurementIndex;
}
}  // namespace ZR

namespace {

using ZR::CellFormat;
using ZR::CellFormatMap;
using Words = std::vector<int32_t>;

Words Save(const CellFormatMap& formats) {
  MemoryStream stream;
  {
    QOR::StorageBinOStreamLite out(stream.Get());
    EXPECT_TRUE(ZR::SaveColumnRecord(out, formats));
    EXPECT_EQ(S_OK, out.GetStatus());
  }
  const MemoryStream::Bytes bytes = stream.Contents();
  Words words(bytes.size() / 4);
  std::memcpy(words.data(), bytes.data(), words.size() * 4);
  // The storage stream's own header word comes first.
  EXPECT_EQ(static_cast<int32_t>(kBinStreamHeader), words.at(0));
  return Words(words.begin() + 1, words.end());
}

bool Load(const Words& words, CellFormatMap& formats) {
  MemoryStream::Bytes bytes(words.size() * 4);
  std::memcpy(bytes.data(), words.data(), bytes.size());
  MemoryStream stream(bytes);
  QOR::StorageBinIStreamLite in(stream.Get());
  return ZR::LoadColumnRecord(in, formats);
}

const CellFormatMap kTwoEntries = {{5, CellFormat{3, 5}}, {12, CellFormat{6, 12}}};
const Words kTwoEntryWords = {-1, 2, 5, 1, 3, 5, 12, 1, 6, 12, -1, -1};

TEST(TableColumnRecord, WritesItsWordsAndReadsThemBack) {
  EXPECT_EQ(kTwoEntryWords, Save(kTwoEntries));
  EXPECT_EQ((Words{-1, 2, -1, -1}), Save({}));
  CellFormatMap read;
  EXPECT_TRUE(Load(kTwoEntryWords, read));
  EXPECT_EQ(kTwoEntries, read);
  // Entries not in the record stay as they were.
  CellFormatMap kept = {{7, CellFormat{9, 7}}, {5, CellFormat{8, 5}}};
  EXPECT_TRUE(Load(kTwoEntryWords, kept));
  EXPECT_EQ((CellFormatMap{{5, CellFormat{3, 5}}, {7, CellFormat{9, 7}}, {12, CellFormat{6, 12}}}), kept);
}

TEST(TableColumnRecord, OtherVersionsAreRefusedAndTheEarlierFormSkipped) {
  CellFormatMap formats = kTwoEntries;
  EXPECT_FALSE(Load({-1, 3, 5, 1, 3, 5, -1, -1}, formats));
  EXPECT_EQ(kTwoEntries, formats);
  EXPECT_TRUE(Load({2, 7, 8, 2}, formats));
  EXPECT_TRUE(Load({2, 7, 8, 9, 2}, formats)) << "the count one word later";
  EXPECT_FALSE(Load({2, 7, 8, 9, 3}, formats));
  EXPECT_TRUE(Load({0, 0}, formats));
  EXPECT_EQ(kTwoEntries, formats);
}

// Every cut of a good record ends in false, never in a failed read taken for a key.
TEST(TableColumnRecord, EveryTruncationStopsWithFalse) {
  for (size_t n = 0; n < kTwoEntryWords.size(); ++n) {
    CellFormatMap formats;
    EXPECT_FALSE(Load(Words(kTwoEntryWords.begin(), kTwoEntryWords.begin() + n), formats)) << n << " words";
    for (const auto& [key, format] : formats) EXPECT_EQ(kTwoEntries.at(key), format) << n << " words";
  }
  CellFormatMap formats;
  EXPECT_FALSE(Load({0x7FFFFFFF, 1, 2, 3}, formats)) << "an earlier form with a huge count";
  EXPECT_FALSE(Load({-1, 2, 5, 1, 3}, formats));
}

TEST(TableColumnRecord, HostileValuesAreRefusedOrBroughtIntoRange) {
  CellFormatMap formats;
  EXPECT_FALSE(Load({-1, 2, 59, 1, 3, 59, -1, -1}, formats));
  EXPECT_FALSE(Load({-1, 2, -7, 1, 3, 5, -1, -1}, formats));
  EXPECT_TRUE(formats.empty());
  for (const int32_t figures : {0, 11, 16388, -9}) {
    EXPECT_FALSE(Load({-1, 2, 3, 1, figures, 3, -1, -1}, formats)) << figures << " figures";
    EXPECT_TRUE(formats.empty()) << figures << " figures";
  }
  // Another measurement than the key: one of the two is damaged (1 would show whole numbers).
  for (const Words& words : {Words{-1, 2, 3, 1, 4, 1, -1, -1}, Words{-1, 2, 12, 1, 6, 5, -1, -1}}) {
    EXPECT_FALSE(Load(words, formats)) << words[2];
    EXPECT_TRUE(formats.empty()) << words[2];
  }
  EXPECT_TRUE(Load({-1, 2, 3, 1, 10, 3, 4, 1, 1, 77, -1, -1}, formats));
  EXPECT_EQ((CellFormatMap{{3, CellFormat{10, 3}}, {4, CellFormat{1, 4}}}), formats);
  EXPECT_FALSE(Load({-1, 2, -1, 5}, formats)) << "a bad closing word";
}

}  // namespace
