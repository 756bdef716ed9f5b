// The data file's services as the module uses them: data objects with names, states, channels
// and formula texts given through the formula calculation classes; times of positions; progress.
#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"
#include "host/common/HostString.h"
#include "host/data/DataDocument.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/DataObjects.h"
#include "hostapi/HostCalculation.h"
#include "hostapi/HostProgress.h"
#include "hostapi/ObjectFactory.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace host {
namespace {

class DataFileServices : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }

  void SetUp() override {
    Recording recording;
    recording.channels.push_back({L"Vm", L"mV", L""});
    for (double period : {0.001, 0.0005}) {
      RecordData record = MakeEmptyRecord(1, period, true);
      std::vector<float> samples(1000, 0.0f);
      record.samples[0]->Append(samples.data(), 1000);
      record.length = 1000;
      recording.records.push_back(std::move(record));
    }
    mDocument = DataDocument::Create(std::move(recording));
    mObjects = mDocument.As<IHostDataObjects>(IID_IHostDataObjects);
    ASSERT_TRUE(mObjects);
  }

  static HostPtr<IClassRegistry> Registry() {
    HostPtr<IClassRegistry> registry;
    EXPECT_EQ(S_OK, CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                                     reinterpret_cast<void**>(registry.Out())));
    return registry;
  }
  static uint32_t TypeId(const GUID& guid, uint16_t number) {
    HostPtr<ITypeRegistry> types;
    EXPECT_EQ(S_OK, CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                                     reinterpret_cast<void**>(types.Out())));
    uint16_t index = 0;
    types->RegisterGuid(&guid, &index);
    return (static_cast<uint32_t>(index) << 16) | number;
  }

  DataObjectId NewObject(std::wstring* name = nullptr) {
    DataObjectId id{kNewDataObject, kDataObjectRequestKind};
    HostPtr<QOR::IQORString> text;
    EXPECT_EQ(S_OK, mObjects->NewObject(0, 0, 0, text.Out(), &id));
    if (name) *name = StringText(text.Get());
    return id;
  }
  std::wstring Name(int32_t id) {
    HostPtr<QOR::IQORString> text;
    if (FAILED(mObjects->GetObjectName(id, kMarkerObjectKind, text.Out()))) return L"<none>";
    return StringText(text.Get());
  }
  // The road a module takes: a settings object from class 1, a calculation from class 0.
  HRESULT GiveFormula(int32_t id, const std::wstring& formula, uint32_t kind = kMarkerObjectKind) {
    HostPtr<IClassRegistry> registry = Registry();
    HostPtr<IFormulaCalcSettings> settings;
    HRESULT hr = registry->CreateInstance(TypeId(kHostCalcClassGuid, kFormulaSettingsClassNumber), nullptr,
                                          IID_IFormulaCalcSettings, reinterpret_cast<void**>(settings.Out()));
    if (FAILED(hr)) return hr;
    settings->SetFormulas(MakeHostString(formula).Get(), MakeHostString(L"").Get(), VARIANT_FALSE);
    HostPtr<ICalculationClass> calcClass;
    hr = registry->GetClassObject(TypeId(kHostCalcClassGuid, kFormulaCalculationClassNumber),
                                  IID_ICalculationClass, reinterpret_cast<void**>(calcClass.Out()));
    if (FAILED(hr)) return hr;
    HostPtr<IHostChannelCalc> calculation;
    hr = calcClass->CreateCalculation(id, kind, mDocument.As<IHostDataDocument>(IID_IHostDataDocument).Get(),
                                      calculation.Out());
    if (FAILED(hr)) return hr;
    return calculation->ApplySettings(settings.Get(), VARIANT_TRUE);
  }
  std::wstring Formula(int32_t id, HRESULT* answer = nullptr) {
    HostPtr<QOR::IQORString> text;
    const HRESULT hr = mObjects->GetFormulaText(0, id, kMarkerObjectKind, text.Out());
    if (answer) *answer = hr;
    return StringText(text.Get());
  }

  HostPtr<DataDocument> mDocument;
  HostPtr<IHostDataObjects> mObjects;
};

TEST_F(DataFileServices, ObjectsGetDistinctIdsAndNamesThatStayUniqueAndRemovable) {
  std::wstring first, second;
  const DataObjectId a = NewObject(&first);
  const DataObjectId b = NewObject(&second);
  EXPECT_NE(a.id, b.id);
  EXPECT_EQ(kDataObjectRequestKind, a.kind);
  EXPECT_NE(first, second);
  EXPECT_EQ(first, Name(a.id));

  EXPECT_EQ(S_OK, mObjects->RenameObject(b.id, kMarkerObjectKind, MakeHostString(L"Ondara (Channel 1)").Get()));
  EXPECT_EQ(L"Ondara (Channel 1)", Name(b.id));
  EXPECT_EQ(E_INVALIDARG, mObjects->RenameObject(a.id, kMarkerObjectKind, MakeHostString(L"Ondara (Channel 1)").Get()))
      << "a name two objects share could not be removed by name";
  EXPECT_EQ(E_INVALIDARG, mObjects->RenameObject(a.id, kMarkerObjectKind, MakeHostString(L"").Get()));

  EXPECT_EQ(S_OK, mObjects->RemoveObject(MakeHostString(L"Ondara (Channel 1)").Get()));
  EXPECT_EQ(S_FALSE, mObjects->RemoveObject(MakeHostString(L"Ondara (Channel 1)").Get()));
  EXPECT_EQ(L"<none>", Name(b.id));
  EXPECT_NE(b.id, NewObject().id) << "ids are not reused";
  EXPECT_EQ(E_INVALIDARG, mObjects->GetObjectName(a.id, 7, HostPtr<QOR::IQORString>().Out())) << "unknown kind";
  EXPECT_EQ(E_INVALIDARG, mObjects->GetObjectName(-1, kMarkerObjectKind, HostPtr<QOR::IQORString>().Out()));
}

TEST_F(DataFileServices, ObjectsSwitchAndAttachToExistingChannelsOnce) {
  const int32_t id = NewObject().id;
  VARIANT_BOOL on = VARIANT_FALSE;
  EXPECT_EQ(S_OK, mObjects->GetObjectState(id, kMarkerObjectKind, &on));
  EXPECT_EQ(VARIANT_TRUE, on) << "new objects are on";

  EXPECT_EQ(S_OK, mObjects->AttachObject(id, kMarkerObjectKind, 0));
  EXPECT_EQ(S_FALSE, mObjects->AttachObject(id, kMarkerObjectKind, 0));
  EXPECT_EQ(E_INVALIDARG, mObjects->AttachObject(id, kMarkerObjectKind, 1)) << "the document has one channel";
  EXPECT_EQ(1u, mDocument->Objects().Find(id, kMarkerObjectKind)->channels.size());
  EXPECT_EQ(S_OK, mObjects->DetachObject(id, kMarkerObjectKind, 0));
  EXPECT_EQ(S_FALSE, mObjects->DetachObject(id, kMarkerObjectKind, 0));
}

TEST_F(DataFileServices, FormulaCalculationStoresItsTextOnTheObject) {
  const int32_t id = NewObject().id;
  HRESULT answer = E_FAIL;
  EXPECT_EQ(L"", Formula(id, &answer));
  EXPECT_EQ(S_FALSE, answer) << "no formula yet";
  ASSERT_EQ(S_OK, GiveFormula(id, L"cappeakdet( ch1, 0.03 )"));
  EXPECT_EQ(L"cappeakdet( ch1, 0.03 )", Formula(id, &answer));
  EXPECT_EQ(S_OK, answer);
  ASSERT_EQ(S_OK, GiveFormula(id, L"ch1"));
  EXPECT_EQ(L"ch1", Formula(id)) << "a new calculation replaces the old text";

  EXPECT_EQ(E_INVALIDARG, GiveFormula(id + 1, L"ch1")) << "no such object";
  EXPECT_EQ(S_OK, GiveFormula(0, L"ch2", 0)) << "a calculation on a channel of its own";
  EXPECT_EQ(L"ch1", Formula(id)) << "leaves the object's text alone";
}

TEST_F(DataFileServices, PositionTimesCountEveryEarlierRecordAtItsOwnPeriod) {
  double seconds = -1.0;
  EXPECT_EQ(S_OK, mDocument->GetPositionTime(0, 250, &seconds));
  EXPECT_DOUBLE_EQ(0.25, seconds);
  EXPECT_EQ(S_OK, mDocument->GetPositionTime(1, 500, &seconds));
  EXPECT_DOUBLE_EQ(1.0 + 0.25, seconds);
  EXPECT_EQ(E_INVALIDARG, mDocument->GetPositionTime(2, 0, &seconds));
  EXPECT_EQ(E_INVALIDARG, mDocument->GetPositionTime(0, -1, &seconds));
  EXPECT_EQ(0.0, seconds);

  HostPtr<QOR::IQORString> text;
  ASSERT_EQ(S_OK, mDocument->FormatTime(1.25, kTimeTextElapsed, 1, text.Out()));
  EXPECT_EQ(L"1.2500 s", StringText(text.Get()));
  mDocument->SetStartTimeOfDay(13 * 3600.0 + 59 * 60.0 + 59.0);
  ASSERT_EQ(S_OK, mDocument->FormatTime(1.25, 0xE00000u, 1, text.Out()));
  EXPECT_EQ(L"14:00:00.250", StringText(text.Get()));
  EXPECT_EQ(E_INVALIDARG, mDocument->FormatTime(1.0, 0, 1, text.Out()));
}

TEST_F(DataFileServices, ProgressShowsTextsAndPercentsAndCancelsWhenTheUserSaysSo) {
  HostPtr<IObjectFactory> factory;
  ASSERT_EQ(S_OK, Registry()->GetClassObject(kObjectFactoryServiceId, IID_IObjectFactory,
                                             reinterpret_cast<void**>(factory.Out())));
  Progress() = ProgressLog{};
  Progress().cancelAtPercent = 50;
  {
    HostPtr<IUnknown> object;
    ASSERT_EQ(S_OK, factory->CreateByClassId(TypeId(kHostUiClassGuid, kHostProgressClassNumber), 0, object.Out()));
    HostPtr<IHostProgress> progress = object.As<IHostProgress>(IID_IHostProgress);
    ASSERT_TRUE(progress);
    EXPECT_EQ(1, Progress().live);
    EXPECT_EQ(S_OK, progress->Start(1, MakeHostString(L"Processing").Get(), MakeHostString(L"Block 1").Get(),
                                    nullptr, 1));
    EXPECT_EQ(E_UNEXPECTED, progress->Start(1, nullptr, nullptr, nullptr, 1));
    EXPECT_EQ(0, progress->SetPercent(49));
    EXPECT_NE(0, progress->SetPercent(50));
    EXPECT_NE(0, progress->SetPercent(-5)) << "a cancel stays";
    progress->SetText(MakeHostString(L"Updating Views").Get());
  }
  EXPECT_EQ(0, Progress().live);
  EXPECT_EQ((std::vector<std::wstring>{L"Processing"}), Progress().titles);
  EXPECT_EQ((std::vector<std::wstring>{L"Block 1", L"Updating Views"}), Progress().texts);
  EXPECT_EQ((std::vector<int32_t>{49, 50, 0}), Progress().percents);
  Progress() = ProgressLog{};
}

}  // namespace
}  // namespace host
