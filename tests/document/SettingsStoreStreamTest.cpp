// Tests of the settings store's stream form over IStreams in memory.
#include "document/SettingsStore.h"

#include "base/StorageBinIStreamLite.h"
#include "base/StorageBinOStreamLite.h"
#include "tests/support/MemoryStream.h"
#include "base/XQOR.h"
#include "document/GlobalSettings.h"
#include "document/ParamCatalogue.h"
#include "document/SettingsStreamError.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "document/ZRSetting_Int10.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ZR::Doc;
using Bytes = std::vector<uint8_t>;

Bytes Encode(const std::function<void(IBinOutStream&)>& write) {
  MemoryStream stream;
  {
    QOR::StorageBinOStreamLite out(stream.Get());
    write(out);
    EXPECT_EQ(out.GetStatus(), S_OK);
  }
  return stream.Contents();
}

Bytes Encode(const SettingsStore& store) {
  return Encode([&](IBinOutStream& out) { store.Write(out); });
}

// Reads bytes into store; the read stream's status.
HRESULT Decode(const Bytes& bytes, SettingsStore& store) {
  MemoryStream stream(bytes);
  QOR::StorageBinIStreamLite in(stream.Get());
  store.Read(in);
  return in.GetStatus();
}

// Every setting of the store, group by group, as its classic text.
std::wstring StoreText(const SettingsStore& store) {
  std::wstring text;
  const auto add = [&](const SettingsGroup& group) {
    for (uint32_t i = 0; i < group.Count(); ++i) {
      text += std::to_wstring(NumberOf(group.At(i)->Id())) + L'=' + group.At(i)->ToText(true).GetText() + L';';
    }
    text += L'\n';
  };
  add(store.Global());
  for (uint32_t i = 0; i < store.GroupCount(); ++i) {
    text += L"channel " + std::to_wstring(store.Group(i).GetChannel()) + L": ";
    add(store.Group(i));
  }
  return text;
}

void WriteRecord(IBinOutStream& out, int32_t id, const wchar_t* text) {
  out.WriteLong(0);
  out.WriteLong(id);
  out.WriteString(QOR::String(text).GetInterface());
  out.WriteLong(777);
}

class SettingsStoreStreamTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildParamCatalogue(sCatalogue); }
  static void TearDownTestSuite() { sCatalogue.reset(); }
  static const ParamCatalogue* Catalogue() { return sCatalogue.get(); }

  // Two groups (channels 3 and 1) and values away from the defaults, some with many digits.
  static std::unique_ptr<SettingsStore> MakeChangedStore() {
    auto store = std::make_unique<SettingsStore>(Catalogue());
    store->SetLongValue(kSettingAnalysisChannel, 3);
    store->GetOrCreateGroup(3, -1, nullptr);
    store->GetOrCreateGroup(1, -1, nullptr);
    store->GetIntSetting(kSettingAnalysisType)->Set(3);
    store->GetBoolSetting(kSettingShowPeakMarkers)->Set(false);
    store->GetDoubleSetting(kSettingAxisXLow)->Set(-0.1234567);
    store->GetDoubleSetting(kSettingStimulusPosition)->Set(1234567.0);
    store->GetDoubleSetting(kSettingMinPeakHeight)->Set(0.0001234567);
    store->GetInt10Setting(kSettingTriangulationStart)->Set(50);
    store->GetBoolSetting(ColumnSwitchId(27))->Set(false);
    store->FindSetting(kSettingDetectionSettings)->FromText(L"px 1 3", true);
    return store;
  }

 private:
  static std::unique_ptr<ParamCatalogue> sCatalogue;
};

std::unique_ptr<ParamCatalogue> SettingsStoreStreamTest::sCatalogue;

TEST_F(SettingsStoreStreamTest, WriteThenReadGivesAnIdenticalStore) {
  const auto source = MakeChangedStore();
  const Bytes bytes = Encode(*source);
  SettingsStore read(Catalogue());
  ASSERT_EQ(Decode(bytes, read), S_OK);
  EXPECT_EQ(StoreText(read), StoreText(*source));
  EXPECT_EQ(read.GetDoubleSetting(kSettingStimulusPosition)->Get(), 1234567.0);
  EXPECT_EQ(read.GetDoubleSetting(kSettingMinPeakHeight)->Get(), 0.0001234567);
  EXPECT_EQ(Encode(read), bytes);
}

TEST_F(SettingsStoreStreamTest, LaysOutVersionsMarkersCountsAndRecords) {
  SettingsStore store(Catalogue());
  const Bytes expected = Encode([&](IBinOutStream& out) {
    out.WriteLong(1);
    out.WriteLong(347);
    out.WriteLong(1);
    out.WriteLong(31);
    for (uint32_t i = 0; i < store.Global().Count(); ++i) {
      const ZRSetting* s = store.Global().At(i);
      WriteRecord(out, NumberOf(s->Id()), s->ToText(true).GetText());
    }
    out.WriteLong(0);
    out.WriteLong(347);
  });
  EXPECT_EQ(Encode(store), expected);
  // The first record: version 0, id 2000, then the text "0" with its count, check and NUL.
  const Bytes head(expected.begin() + 20, expected.begin() + 44);
  const Bytes record = {0, 0, 0, 0, 0xD0, 7, 0, 0, 1, 0, 0, 0x80, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,
                        '0', 0, 0, 0};
  EXPECT_EQ(head, record);
}

// A newer build's group holds every setting this one knows and more; an older build's lacks some.
TEST_F(SettingsStoreStreamTest, SkipsUnknownIdsAndUpgradesOldGroups) {
  const Bytes bytes = Encode([](IBinOutStream& out) {
    out.WriteLong(1);
    out.WriteLong(347);
    out.WriteLong(1);
    const GlobalSettings global;
    out.WriteLong(static_cast<long>(global.Count()) + 1);
    WriteRecord(out, 2999, L"whatever");  // unknown to this build
    for (uint32_t i = 0; i < global.Count(); ++i)
      WriteRecord(out, NumberOf(global.At(i)->Id()),
                  global.At(i)->Id() == kSettingAnalysisChannel ? L"2" : global.At(i)->ToText(true).GetText());
    out.WriteLong(2);  // two channel groups
    out.WriteLong(2);
    out.WriteLong(0);  // group version 0: tau mode still in 1019
    out.WriteLong(2);
    WriteRecord(out, 1019, L"f");
    WriteRecord(out, 1008, L"250");
    out.WriteLong(4);
    out.WriteLong(0);  // a version 0 group that names 1037 holds the tau mode there
    out.WriteLong(2);
    WriteRecord(out, 1019, L"f");
    WriteRecord(out, 1037, L"2");
    out.WriteLong(347);
  });
  SettingsStore store(Catalogue());
  ASSERT_EQ(Decode(bytes, store), S_OK);
  EXPECT_EQ(store.GetCurrentChannel(), 2);
  ASSERT_EQ(store.GroupCount(), 2u);
  EXPECT_EQ(store.GetIntSetting(kSettingTauMode)->Get(), 0);
  EXPECT_EQ(std::wstring(L"2"), store.Group(1).FindById(kSettingTauMode)->ToText(true).GetText());
  EXPECT_EQ(store.GetDoubleSetting(kSettingDetectionEnd)->Get(), 250.0);
  EXPECT_EQ(store.GetDoubleSetting(kSettingDetectionStart)->Get(), 0.0);  // not named: default
}

TEST_F(SettingsStoreStreamTest, AStoreVersionBelowOneLeavesTheStoreAsItWas) {
  const auto store = MakeChangedStore();
  const std::wstring before = StoreText(*store);
  Bytes bytes = Encode(SettingsStore(Catalogue()));
  bytes[4] = 0;  // the store version, after the header word
  EXPECT_EQ(Decode(bytes, *store), S_OK);
  EXPECT_EQ(StoreText(*store), before);
}

TEST_F(SettingsStoreStreamTest, EveryCutEndsInAFailureWithNothingApplied) {
  const Bytes whole = Encode(*MakeChangedStore());
  SettingsStore target(Catalogue());
  target.GetOrCreateGroup(0, -1, nullptr);
  const std::wstring before = StoreText(target);
  // Past the header (a cut inside it reads as a stream without one) every length falls short.
  for (size_t cut = 4; cut < whole.size(); ++cut) {
    const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    ASSERT_EQ(Decode(part, target), E_FAIL) << "cut at " << cut;
    ASSERT_EQ(StoreText(target), before) << "cut at " << cut;
  }
}

TEST_F(SettingsStoreStreamTest, HostileCountsEndInAnErrorWithNothingApplied) {
  const struct {
    int32_t groups;
    int32_t settings;
  } cases[] = {{1025, 1}, {-1, 1}, {0x7FFFFFFF, 1}, {1, 4097}, {1, -5}, {1, 0x40000000}};
  for (const auto& c : cases) {
    const Bytes bytes = Encode([&](IBinOutStream& out) {
      out.WriteLong(1);
      out.WriteLong(347);
      out.WriteLong(1);
      out.WriteLong(1);
      WriteRecord(out, 2001, L"5");
      out.WriteLong(c.groups);
      out.WriteLong(5);
      out.WriteLong(1);
      out.WriteLong(c.settings);
      WriteRecord(out, 1008, L"250");
      out.WriteLong(347);
    });
    SettingsStore store(Catalogue());
    try {
      Decode(bytes, store);
      ADD_FAILURE() << "no error for " << c.groups << " groups of " << c.settings;
    } catch (const XQOR& e) {
      EXPECT_EQ(e.code(), STG_E_DOCFILECORRUPT);
    }
    EXPECT_EQ(store.GetCurrentChannel(), 0);
    EXPECT_EQ(store.GroupCount(), 0u);
  }
}

}  // namespace

// A stream is written only by ToText from valid settings: a value text it could not have written,
// a value its setting refuses, or a group of a channel no analysis channel can be, is damage, and
// the stream is refused with nothing applied.
TEST(SettingsStoreStreamRefusal, DamagedTextsAndImpossibleChannelsRefuseTheWholeStream) {
  const auto catalogue = [] {
    std::unique_ptr<ParamCatalogue> built;
    BuildParamCatalogue(built);
    return built;
  }();
  const struct {
    int32_t channel;
    int32_t id;
    const wchar_t* text;
    StreamFault fault;
  } cases[] = {
      {0, 1001, L"1\x2030", StreamFault::kRefusedValue},  // "10" with its last byte damaged
      {0, 1033, L"10\x0130", StreamFault::kRefusedValue},
      {0, 37, L"T", StreamFault::kRefusedValue},          // a switch is "t" or "f" only
      {0, 1006, L"0,03", StreamFault::kRefusedValue},
      {0, 1006, L"NaN", StreamFault::kRefusedValue},
      {0, 1006, L"1e400", StreamFault::kRefusedValue},
      {0, 1033, L"", StreamFault::kRefusedValue},
      {0, 2000, L"1 ", StreamFault::kRefusedValue},        // a global setting
      {0, 1011, L"45", StreamFault::kRefusedValue},        // out of its rules: not a multiple of 10
      {0, 2003, L"7", StreamFault::kRefusedValue},         // out of its bounds
      {-1, 1008, L"250", StreamFault::kImpossibleChannel},
      {33, 1008, L"250", StreamFault::kImpossibleChannel},
      {5, 1007, L"12", StreamFault::kRepeatedSetting},  // a damaged id naming another setting
  };
  for (const auto& c : cases) {
    const Bytes bytes = Encode([&](IBinOutStream& out) {
      out.WriteLong(1);
      out.WriteLong(347);
      out.WriteLong(1);
      out.WriteLong(c.id >= 2000 ? 2 : 1);
      WriteRecord(out, 2001, L"5");
      if (c.id >= 2000) WriteRecord(out, c.id, c.text);
      out.WriteLong(1);
      out.WriteLong(c.channel);
      out.WriteLong(1);
      out.WriteLong(c.id >= 2000 ? 1 : 2);
      WriteRecord(out, 1007, L"12");
      if (c.id < 2000) WriteRecord(out, c.id, c.text);
      out.WriteLong(347);
    });
    SettingsStore store(catalogue.get());
    try {
      Decode(bytes, store);
      ADD_FAILURE() << "taken: " << c.id << " = '" << std::wstring(c.text) << "' in channel " << c.channel;
    } catch (const XSettingsStream& e) {
      EXPECT_EQ(e.code(), STG_E_DOCFILECORRUPT);
      EXPECT_EQ(e.Fault(), c.fault) << c.id;
      EXPECT_EQ(e.Number(), c.fault == StreamFault::kImpossibleChannel ? c.channel : c.id);
    }
    EXPECT_EQ(store.GetCurrentChannel(), 0) << c.id;
    EXPECT_EQ(store.GroupCount(), 0u) << c.id;
  }
  // The highest channel the analysis channel can name still reads, with what ToText writes.
  const Bytes good = Encode([&](IBinOutStream& out) {
    for (int32_t word : {1, 347, 1, 1}) out.WriteLong(word);
    WriteRecord(out, 2001, L"32");
    for (int32_t word : {1, 32, 1, 3}) out.WriteLong(word);
    WriteRecord(out, 1006, L"5e-04");
    WriteRecord(out, 1033, L"+12");
    WriteRecord(out, 37, L"f");
    out.WriteLong(347);
  });
  SettingsStore store(catalogue.get());
  EXPECT_EQ(S_OK, Decode(good, store));
  ASSERT_EQ(1u, store.GroupCount());
  EXPECT_EQ(32, store.Group(0).GetChannel());
  EXPECT_EQ(std::wstring(L"0.0005"), store.Group(0).FindById(kSettingMinPeakHeight)->ToText(true).GetText());
  EXPECT_EQ(std::wstring(L"12"), store.Group(0).FindById(kSettingStartHeightPercent)->ToText(true).GetText());
}
