// Event numbers found by record and tick in the data file's child data.
#include "document/EventNumberInRecord.h"

#include "document/ScrivoDataChildData.h"
#include "tests/document/DocumentTestHost.h"

#include <gtest/gtest.h>

namespace {

using ZR::Doc::GetEventNumberInRecord;
using ZR::Doc::ScrivoDataChildData;

class EventNumberInRecordTest : public doctest::DocumentTest {
 protected:
  void SetUp() override {
    mFile = doctest::MakeDataFile();
    mChild = ScrivoDataChildData::GetOrCreate(File());
    ASSERT_NE(nullptr, mChild);
    // Record 1 holds events 4 and 5; record 0 has no map.
    ZR::Doc::RecordEventMap& map = mChild->GetRecordMap(1);
    map[TickPosition(1, 250)] = 4;
    map[TickPosition(1, 900)] = 5;
  }
  IUnknown* File() { return doctest::AsFile(mFile.Get()); }

  host::HostPtr<host::DataDocument> mFile;
  ScrivoDataChildData* mChild = nullptr;
};

TEST_F(EventNumberInRecordTest, FindsTheNumberStoredAtTheTick) {
  EXPECT_EQ(4, GetEventNumberInRecord(File(), 1, 250));
  EXPECT_EQ(5, GetEventNumberInRecord(File(), 1, 900));
  EXPECT_EQ(-1, GetEventNumberInRecord(File(), 1, 251)) << "no event at that tick";
  EXPECT_EQ(-1, GetEventNumberInRecord(File(), 0, 250)) << "an empty entry";
}

TEST_F(EventNumberInRecordTest, RecordsBeyondTheArrayAnswerMinusOneWithoutGrowingIt) {
  const uint32_t before = mChild->RecordMapCount();
  for (const int32_t record : {2, 1000, 0x7FFFFFFE, 0x7FFFFFFF, -1, static_cast<int32_t>(0x80000000u)}) {
    EXPECT_EQ(-1, GetEventNumberInRecord(File(), record, 250)) << "record " << record;
    EXPECT_EQ(before, mChild->RecordMapCount()) << "record " << record;
  }
}

TEST_F(EventNumberInRecordTest, AFileWithoutChildDataGetsOneAndFindsNothing) {
  EXPECT_EQ(-1, GetEventNumberInRecord(nullptr, 1, 250));
  auto other = doctest::MakeDataFile();
  IUnknown* const otherFile = doctest::AsFile(other.Get());
  EXPECT_EQ(-1, GetEventNumberInRecord(otherFile, 1, 250));
  QOR::ComPtr<IScrivoDataChildData> kept;
  EXPECT_EQ(S_OK, other->FindChildData(0, ZR::ChildDataTypeId(), kept.Out()));
}

}  // namespace
