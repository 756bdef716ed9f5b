// The module's child data of a host data file: found once per file, its interfaces, values and maps.
#include "document/ScrivoDataChildData.h"

#include "base/XQOR.h"
#include "document/SettingsStore.h"
#include "hostapi/DataFile.h"
#include "hostclient/ComPtr.h"
#include "tests/document/DocumentTestHost.h"

#include <gtest/gtest.h>

namespace {

using ZR::SettingsValues;
using ZR::Doc::ScrivoDataChildData;

class ScrivoDataChildDataTest : public doctest::DocumentTest {};

// Another object the file keeps under the module's type id.
class ForeignChild final : public IScrivoDataChildData {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IScrivoDataChildData) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mRefs; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --mRefs; }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* id) noexcept override {
    *id = ZR::ChildDataTypeId();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, int32_t, int32_t, int32_t, int32_t, IUnknown*,
                                  IScrivoDataChildData**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnRecordsChanged(IUnknown*, int32_t, int32_t, int32_t, int32_t, int32_t,
                                             int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnRecordsMoved(IUnknown*, int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnChannelDataChanged(IUnknown*, int32_t, int32_t, uint32_t, int32_t, int32_t,
                                                 int32_t, int32_t, int32_t, int32_t, int32_t,
                                                 int32_t) noexcept override { return S_OK; }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return this; }

 private:
  ULONG mRefs = 1;
};

TEST_F(ScrivoDataChildDataTest, MadeOncePerFileAndKeptByTheFile) {
  auto file = doctest::MakeDataFile();
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(doctest::AsFile(file.Get()));
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(child, ScrivoDataChildData::GetOrCreate(static_cast<IHostDataDocument*>(file.Get())));

  QOR::ComPtr<IScrivoDataChildData> kept;
  ASSERT_EQ(S_OK, file->FindChildData(0, ZR::ChildDataTypeId(), kept.Out()));
  EXPECT_EQ(static_cast<IScrivoDataChildData*>(child), kept.Get());

  auto other = doctest::MakeDataFile();
  ScrivoDataChildData* const otherChild = ScrivoDataChildData::GetOrCreate(doctest::AsFile(other.Get()));
  ASSERT_NE(nullptr, otherChild);
  EXPECT_NE(child, otherChild);
}

TEST_F(ScrivoDataChildDataTest, NoChildWithoutAFileOrWhenTheFileKeepsAnotherObject) {
  EXPECT_EQ(nullptr, ScrivoDataChildData::GetOrCreate(nullptr));
  ForeignChild notAFile;
  EXPECT_EQ(nullptr, ScrivoDataChildData::GetOrCreate(&notAFile));

  ForeignChild foreign;  // outlives the file that holds it
  auto file = doctest::MakeDataFile();
  ASSERT_EQ(S_OK, file->AddChildData(0, &foreign));
  EXPECT_EQ(nullptr, ScrivoDataChildData::GetOrCreate(doctest::AsFile(file.Get())));
  EXPECT_FALSE(ZR::FindSettingsChildData(doctest::AsFile(file.Get())));
}

TEST_F(ScrivoDataChildDataTest, InterfacesShareOneObjectAndCount) {
  QOR::ComPtr<IScrivoDataChildData> child(ScrivoDataChildData::Create());
  QOR::ComPtr<ZR::IZRSettingsChildData> settings;
  ASSERT_EQ(S_OK, child->QueryInterface(ZR::IID_IZRSettingsChildData, settings.OutVoid()));
  QOR::ComPtr<IUnknown> fromChild, fromSettings;
  ASSERT_EQ(S_OK, child->QueryInterface(IID_IUnknown, fromChild.OutVoid()));
  ASSERT_EQ(S_OK, settings->QueryInterface(IID_IUnknown, fromSettings.OutVoid()));
  EXPECT_EQ(fromChild.Get(), fromSettings.Get());

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, settings->QueryInterface(IID_IHostDataFile, &out));
  EXPECT_EQ(nullptr, out);

  fromChild.Reset();
  fromSettings.Reset();
  settings.Reset();
  EXPECT_EQ(0u, child.Detach()->Release());
}

TEST_F(ScrivoDataChildDataTest, HostSlotsAnswerThroughTheRawTables) {
  QOR::ComPtr<IScrivoDataChildData> child(ScrivoDataChildData::Create());
  using GetTypeIdSlot = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t*);
  void** const table = *reinterpret_cast<void***>(child.Get());
  uint32_t id = 0;
  EXPECT_EQ(S_OK, reinterpret_cast<GetTypeIdSlot>(table[3])(child.Get(), &id));
  EXPECT_EQ(ZR::ChildDataTypeId(), id);
  EXPECT_NE(0u, id >> 16) << "the type registry numbers the class";
  using ChangeSlot = HRESULT(STDMETHODCALLTYPE*)(void*, IUnknown*, int32_t, int32_t);
  EXPECT_EQ(S_OK, reinterpret_cast<ChangeSlot>(table[6])(child.Get(), nullptr, 2, 4));

  QOR::ComPtr<ZR::IZRSettingsChildData> settings;
  ASSERT_EQ(S_OK, child->QueryInterface(ZR::IID_IZRSettingsChildData, settings.OutVoid()));
  void** const settingsTable = *reinterpret_cast<void***>(settings.Get());
  using SetSlot = HRESULT(STDMETHODCALLTYPE*)(void*, int32_t, int32_t);
  using GetSlot = HRESULT(STDMETHODCALLTYPE*)(void*, SettingsValues*);
  EXPECT_EQ(S_OK, reinterpret_cast<SetSlot>(settingsTable[4])(settings.Get(), 6, -1));
  SettingsValues values;
  EXPECT_EQ(S_OK, reinterpret_cast<GetSlot>(settingsTable[3])(settings.Get(), &values));
  EXPECT_EQ(6, values.first);
  EXPECT_EQ(-1, values.second);
}

TEST_F(ScrivoDataChildDataTest, ValuesStartAtTheirMarkersAndKeepWhatARunStores) {
  auto file = doctest::MakeDataFile();
  SettingsValues read{7, 9};
  EXPECT_FALSE(ZR::ReadSettingsValues(doctest::AsFile(file.Get()), read)) << "no child data yet";
  EXPECT_EQ(7, read.first);
  EXPECT_EQ(9, read.second);

  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(doctest::AsFile(file.Get()));
  ASSERT_NE(nullptr, child);
  SettingsValues values{1, 2};
  ASSERT_EQ(S_OK, child->GetValues(&values));
  EXPECT_EQ(static_cast<int32_t>(0x80000000u), values.first);
  EXPECT_EQ(static_cast<int32_t>(0xC0000000u), values.second);
  EXPECT_EQ(E_POINTER, child->GetValues(nullptr));

  ASSERT_EQ(S_OK, child->SetValues(2, static_cast<int32_t>(0x80000000u)));
  ASSERT_TRUE(ZR::ReadSettingsValues(static_cast<IHostDataDocument*>(file.Get()), read));
  EXPECT_EQ(2, read.first);
  EXPECT_EQ(static_cast<int32_t>(0x80000000u), read.second);
}

TEST_F(ScrivoDataChildDataTest, CloneStartsWithoutMapsAndWithDefaultValues) {
  QOR::ComPtr<IScrivoDataChildData> original(ScrivoDataChildData::Create());
  auto* const source = static_cast<ScrivoDataChildData*>(original.Get());
  source->SetValues(3, 4);
  source->GetRecordMap(2)[TickPosition(2, 10)] = 0;

  auto file = doctest::MakeDataFile();
  IScrivoDataChildData* copy = nullptr;
  ASSERT_EQ(S_OK, original->Clone(doctest::AsFile(file.Get()), 0, 0x7FFFFFFF, 0, 0x7FFFFFFF, nullptr, &copy));
  ASSERT_NE(nullptr, copy);
  auto* const cloned = static_cast<ScrivoDataChildData*>(copy);
  EXPECT_NE(source, cloned);
  EXPECT_EQ(0u, cloned->RecordMapCount());
  SettingsValues values;
  cloned->GetValues(&values);
  EXPECT_EQ(static_cast<int32_t>(0x80000000u), values.first);
  EXPECT_EQ(static_cast<int32_t>(0xC0000000u), values.second);
  EXPECT_EQ(nullptr, cloned->GetSettings()) << "no store to copy";
  EXPECT_EQ(0u, copy->Release()) << "the clone comes with one reference";
  EXPECT_EQ(E_POINTER, original->Clone(nullptr, 0, 0, 0, 0, nullptr, nullptr));
}

TEST_F(ScrivoDataChildDataTest, CloneCarriesItsOwnCopyOfTheSettings) {
  QOR::ComPtr<IScrivoDataChildData> original(ScrivoDataChildData::Create());
  auto* const source = static_cast<ScrivoDataChildData*>(original.Get());
  source->SetSettings(std::make_unique<ZR::Doc::SettingsStore>(nullptr));
  source->GetSettings()->SetLongValue(ZR::Doc::kSettingAnalysisChannel, 3);
  QOR::ComPtr<IScrivoDataChildData> copy;
  ASSERT_EQ(S_OK, original->Clone(nullptr, 0, 0x7FFFFFFF, 0, 0x7FFFFFFF, nullptr, copy.Out()));
  ZR::Doc::SettingsStore* const copied = static_cast<ScrivoDataChildData*>(copy.Get())->GetSettings();
  ASSERT_NE(nullptr, copied);
  EXPECT_NE(source->GetSettings(), copied);
  EXPECT_EQ(3, copied->GetLongValue(ZR::Doc::kSettingAnalysisChannel));
  source->GetSettings()->SetLongValue(ZR::Doc::kSettingAnalysisChannel, 5);
  EXPECT_EQ(3, copied->GetLongValue(ZR::Doc::kSettingAnalysisChannel)) << "independent of the original";
}

TEST_F(ScrivoDataChildDataTest, RecordMapsGrowToTheRecordAndAreRemovedTogether) {
  QOR::ComPtr<IScrivoDataChildData> holder(ScrivoDataChildData::Create());
  auto* const child = static_cast<ScrivoDataChildData*>(holder.Get());
  ZR::Doc::RecordEventMap& map = child->GetRecordMap(5);
  EXPECT_EQ(6u, child->RecordMapCount());
  for (int32_t r = 0; r < 5; ++r) EXPECT_EQ(nullptr, child->FindRecordMap(r)) << "record " << r;
  EXPECT_EQ(&map, child->FindRecordMap(5));
  map[TickPosition(5, 300)] = 7;
  map[TickPosition(5, 100)] = 6;
  EXPECT_EQ(&map, &child->GetRecordMap(5)) << "the same map again";
  EXPECT_EQ(100, map.begin()->first.tick) << "ordered by tick";
  EXPECT_THROW(child->GetRecordMap(-1), XQOR);
  // A record index far beyond any recording (the empty event's 0x7FFFFFFF) grows nothing.
  EXPECT_THROW(child->GetRecordMap(0x7FFFFFFF), XQOR);
  EXPECT_THROW(child->GetRecordMap(ScrivoDataChildData::kMaxRecordIndex + 1), XQOR);
  EXPECT_EQ(6u, child->RecordMapCount());

  child->RemoveAllRecordMaps();
  EXPECT_EQ(0u, child->RecordMapCount());
  EXPECT_EQ(nullptr, child->FindRecordMap(5));
  EXPECT_TRUE(child->GetRecordMap(1).empty()) << "a new map after removal";
}

}  // namespace
