// The channel calculation over the stand-in data document, with an engine that notes what the
// calculation hands it, and the calculation's class objects.
#include "chancalc/Calc.h"
#include "chancalc/CalcClass.h"
#include "chancalc/ChanCalcIds.h"
#include "chancalc/SettingsCOM.h"
#include "document/ParamCatalogue.h"
#include "document/ScrivoDataChildData.h"
#include "document/SettingsStore.h"
#include "host/app/HostFramework.h"
#include "host/chancalc/CalcOutputSource.h"
#include "host/chancalc/TextStore.h"
#include "host/common/HostString.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "hostapi/HostProgress.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using QOR::ComPtr;

// What the engines of this program were asked, in order.
std::vector<std::wstring> gLog;
int gEnginesAlive = 0;

// An aggregatable engine that notes its calls; its inner unknown counts its life.
class NotingEngine final : public IHostChannelCalcEngine, public IHostChannelCalcEngine2 {
 public:
  explicit NotingEngine(IUnknown* outer) : mInner(*this), mOuter(outer) { ++gEnginesAlive; }
  ~NotingEngine() { --gEnginesAlive; }
  IUnknown* Inner() { return &mInner; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return mOuter->QueryInterface(iid, out); }
  ULONG STDMETHODCALLTYPE AddRef() override { return mOuter->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return mOuter->Release(); }
  HRESULT STDMETHODCALLTYPE SetSources(int32_t count, const CCalcEnumSourceInfo* s, uint32_t*) override {
    std::wstring line = L"sources " + std::to_wstring(count);
    for (int32_t i = 0; i < count; ++i)
      line += L" " + std::to_wstring(s[i].object) + L"," + std::to_wstring(s[i].request) + L"," +
              std::to_wstring(s[i].flags);
    gLog.push_back(line);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetFormula(QOR::IQORString* formula, uint32_t* word) override {
    gLog.push_back(L"formula " + host::StringText(formula) + L" " + std::to_wstring(word ? *word : 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetEnumerator(ICalculationClass*, int32_t, uint32_t, IHostDataDocument*,
                                          IUnknown*) override {
    gLog.push_back(L"enumerator");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Prepare(IUnknown*, int32_t, int32_t, int32_t, int32_t, float*, float*, uint32_t) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Finish() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ReadRaw(int32_t, int32_t, int32_t, const void*, int16_t*) override { return E_NOTIMPL; }

 private:
  struct Inner final : IUnknown {
    explicit Inner(NotingEngine& e) : engine(e) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      *out = nullptr;
      if (iid == IID_IUnknown) *out = static_cast<IUnknown*>(this);
      if (iid == IID_IHostChannelCalcEngine) *out = static_cast<IHostChannelCalcEngine*>(&engine);
      if (iid == IID_IHostChannelCalcEngine2) {
        gLog.push_back(L"engine2 asked");
        *out = static_cast<IHostChannelCalcEngine2*>(&engine);
      }
      if (iid == IID_IHostChannelCalc) *out = static_cast<IHostChannelCalcEngine*>(&engine);  // any part will do
      if (!*out) return E_NOINTERFACE;
      static_cast<IUnknown*>(*out)->AddRef();
      return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override {
      if (--refs == 0) delete &engine;
      return refs;
    }
    NotingEngine& engine;
    ULONG refs = 1;
  } mInner;
  IUnknown* mOuter;
};

class NotingEngineClass final : public ILumoClassObject, public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject) *out = static_cast<ILumoClassObject*>(this);
    if (iid == IID_IClassFactory) *out = static_cast<IClassFactory*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* id) override {
    *id = (static_cast<uint32_t>(QOR::FetchClassIndex(kHostUiClassGuid)) << 16) | kChannelCalcEngineNumber;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** c) override {
    *c = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID, void** out) override {
    *out = (new NotingEngine(outer))->Inner();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
NotingEngineClass gEngineClass;

class ChannelCalc : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
    ASSERT_EQ(S_OK, ObjectFactoryAccessor::Get()->RegisterClassObject(&gEngineClass));
  }
  void SetUp() override {
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
    recording.records.push_back(host::MakeEmptyRecord(1, 0.001, true));
    mData = host::DataDocument::Create(std::move(recording));
    mHostDocument = host::HostDocument::Create(mData);
    gLog.clear();
  }
  IHostDataDocument* Context() { return static_cast<IHostDataDocument*>(mData.Get()); }
  ComPtr<IChannelCalc> MakeCalc(int32_t channel = 3) {
    ComPtr<IChannelCalc> calc;
    calc.Attach(ZR::ChanCalc::Calc::Create(Context(), nullptr, channel, 0));
    return calc;
  }

  host::HostPtr<host::DataDocument> mData;
  host::HostPtr<host::HostDocument> mHostDocument;
};

TEST_F(ChannelCalc, IdentityAndLifetimeWithTheAggregatedEngine) {
  IChannelCalc* calc = ZR::ChanCalc::Calc::Create(Context(), nullptr, 3, 0);
  EXPECT_EQ(gEnginesAlive, 1);
  EXPECT_EQ(calc->AddRef(), 2u);  // the engine holds no count on its outer
  calc->Release();
  void* part = nullptr;
  ASSERT_EQ(calc->QueryInterface(IID_IUnknown, &part), S_OK);
  EXPECT_EQ(part, static_cast<IUnknown*>(calc));
  static_cast<IUnknown*>(part)->Release();
  ASSERT_EQ(calc->QueryInterface(IID_IHostChannelCalcEngine, &part), S_OK);  // the engine's answer
  IUnknown* back = nullptr;
  ASSERT_EQ(static_cast<IUnknown*>(part)->QueryInterface(IID_IChannelCalc, reinterpret_cast<void**>(&back)), S_OK);
  EXPECT_EQ(back, static_cast<IUnknown*>(calc));
  back->Release();
  static_cast<IUnknown*>(part)->Release();
  EXPECT_EQ(calc->QueryInterface(IID_IPersistObject, &part), E_NOINTERFACE);
  EXPECT_EQ(part, nullptr);
  uint32_t flags = 0;
  EXPECT_EQ(calc->GetFlags(&flags), S_OK);
  EXPECT_EQ(flags, 0x10000000u);
  EXPECT_EQ(calc->Release(), 0u);
  EXPECT_EQ(gEnginesAlive, 0);
}

TEST_F(ChannelCalc, ApplyHandsSourcesFormulaAndEngineOverInOrder) {
  ComPtr<IChannelCalc> calc = MakeCalc();
  ZR::Doc::ScrivoDataChildData* const child =
      ZR::Doc::ScrivoDataChildData::GetOrCreate(static_cast<IHostDataFile*>(mData.Get()));
  ASSERT_NE(child, nullptr);
  child->FlagWord() |= 1u;
  EXPECT_EQ(calc->ApplySettings(nullptr, 0), S_OK);
  const std::vector<std::wstring> expected = {L"sources 0", L"formula 99 1073741824", L"engine2 asked",
                                              L"engine2 asked"};
  // The enumerator reaches the engine only where the program registered the formula class.
  gLog.erase(std::remove(gLog.begin(), gLog.end(), L"enumerator"), gLog.end());
  EXPECT_EQ(gLog, expected);
  // The auto-scale request is answered once.
  EXPECT_EQ(child->FlagWord() & 1u, 0u);
  EXPECT_EQ(calc->ApplySettings(nullptr, 0), S_OK);
  EXPECT_EQ(mHostDocument->ScaleRequests(), 1);

  ComPtr<IUnknown> output;
  ChannelCalcTimeBase timeBase{};
  uint32_t word = 9;
  ASSERT_EQ(calc->Setup(0, 0, 0, output.Out(), &timeBase, 0, &word), S_OK);
  ChannelCalcFormat format{};
  ASSERT_TRUE(host::OutputSourceFormat(output.Get(), format));
  EXPECT_NEAR(format.scale * (32000.0 + format.offset), 1.0, 1e-9);  // the default scale top
  EXPECT_EQ(format.decimalPlaces, 4);
  EXPECT_EQ(timeBase.numerator, 1);
  EXPECT_EQ(word, 0u);

  ComPtr<IPersistObject> settings;
  ASSERT_EQ(calc->GetSettings(settings.Out()), S_OK);
  EXPECT_EQ(ZR::ChanCalc::SettingsCOM::FromInterface(settings.Get())->Values().outputChannel, 3);
  ComPtr<QOR::IQORString> title;
  ASSERT_EQ(calc->GetTitle(0, title.Out()), S_OK);
  EXPECT_STREQ(title->GetText(), L"Ondara, ");
}

// Auto scale over a constant measurement gives equal ends; from 256 on a float cannot widen them
// by 1e-5 and the channel used to come out all NaN.
TEST_F(ChannelCalc, EqualScaleEndsStillGiveAChannelWithARange) {
  ComPtr<IChannelCalc> calc = MakeCalc();
  for (const float end : {0.0f, 300.0f, -1000.0f, 1e6f, 3e30f}) {
    ComPtr<ZR::ChanCalc::SettingsCOM> settings(ZR::ChanCalc::SettingsCOM::Create(nullptr, 3));
    settings->Values().scaleTop = end;
    settings->Values().scaleBottom = end;
    ASSERT_EQ(calc->ApplySettings(settings.Get(), 0), S_OK) << end;
    ComPtr<IUnknown> output;
    ChannelCalcTimeBase timeBase{};
    ASSERT_EQ(calc->Setup(0, 0, 0, output.Out(), &timeBase, 0, nullptr), S_OK) << end;
    ChannelCalcFormat format{};
    ASSERT_TRUE(host::OutputSourceFormat(output.Get(), format));
    const double top = format.scale * (32000.0 + format.offset);
    const double bottom = format.scale * (-32000.0 + format.offset);
    ASSERT_TRUE(std::isfinite(top) && std::isfinite(bottom)) << end;
    EXPECT_GT(top, bottom) << end;
    const double clamped = std::min(static_cast<double>(end), 1e24);
    EXPECT_NEAR(top, clamped, std::max(2e-5, std::fabs(clamped) * 1e-6)) << end;
    EXPECT_NEAR(bottom, clamped, std::max(2e-5, std::fabs(clamped) * 1e-6)) << end;
  }
}

TEST_F(ChannelCalc, SourcesAndFormulaFollowTheSettingsStore) {
  ZR::Doc::ParamCatalogue catalogue;
  ZR::Doc::SettingsStore store(&catalogue);
  store.SetLongValue(ZR::Doc::kSettingAnalysisObject, 7);
  const std::vector<CCalcEnumSourceInfo> sources = ZR::ChanCalc::BuildSources(&store);
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0].object, 7u);
  EXPECT_EQ(sources[0].request, 0x80001004u);
  EXPECT_EQ(sources[0].flags, 0x40000000u);
  EXPECT_TRUE(ZR::ChanCalc::BuildSources(nullptr).empty());
  EXPECT_EQ(ZR::ChanCalc::BuildExpression(nullptr, nullptr, 2), L"99");
}

TEST_F(ChannelCalc, SettingsLoadSaveAndTakeOnlyTheirOwnKind) {
  ComPtr<ZR::ChanCalc::SettingsCOM> settings(ZR::ChanCalc::SettingsCOM::Create(nullptr, 6));
  host::HostPtr<IHostTextStore> store = host::CreateTextStore();
  EXPECT_EQ(settings->Save(store.Get()), S_OK);
  EXPECT_EQ(host::TextStoreText(store.Get()), L"1\t2\t1\t-1\t4\t1\t6\t777");
  ComPtr<ZR::ChanCalc::SettingsCOM> fresh(ZR::ChanCalc::SettingsCOM::Create(nullptr, 0));
  EXPECT_EQ(fresh->Load(store.Get()), S_OK);
  EXPECT_EQ(fresh->Values().outputChannel, 6);
  EXPECT_EQ(fresh->Load(host::CreateTextStore(L"1\t5").Get()), E_FAIL);
  EXPECT_EQ(fresh->Values().parameterId, 5);
  uint32_t typeId = 0;
  EXPECT_EQ(fresh->GetTypeId(&typeId), S_OK);
  EXPECT_EQ(typeId, (static_cast<uint32_t>(QOR::FetchClassIndex(ZRChanCalcGUID)) << 16) | 1u);
  // A foreign settings object is never taken for one of ours.
  ComPtr<IPersistObject> foreign;
  ObjectFactoryAccessor::Get()->CreateInstance(
      (static_cast<uint32_t>(QOR::FetchClassIndex(kHostCalcClassGuid)) << 16) | kFormulaSettingsClassNumber, nullptr,
      IID_IPersistObject, foreign.OutVoid());
  EXPECT_EQ(ZR::ChanCalc::SettingsCOM::FromInterface(foreign.Get()), nullptr);
  EXPECT_EQ(ZR::ChanCalc::SettingsCOM::FromInterface(fresh.Get()), fresh.Get());
}

std::wstring NameOf(ILumoClassObject* object) {
  BSTR name = SysAllocString(L"old");
  object->GetNameBstr(&name);
  std::wstring text = name ? name : L"<null>";
  SysFreeString(name);
  return text;
}

TEST_F(ChannelCalc, ClassObjectsNameCategoriseAndCreate) {
  CalcClassBase& calcClass = ZR::ChanCalc::CalculationClass();
  IPersistClassObject* const settingsClass = ZR::ChanCalc::SettingsClass();
  ASSERT_NE(settingsClass, nullptr);
  EXPECT_EQ(NameOf(&calcClass), L"Ondara");
  EXPECT_EQ(NameOf(settingsClass), L"OndaraSettings");
  const uint32_t index = QOR::FetchClassIndex(ZRChanCalcGUID);
  uint32_t typeId = 0;
  calcClass.GetTypeId(&typeId);
  EXPECT_EQ(typeId, index << 16);
  settingsClass->GetTypeId(&typeId);
  EXPECT_EQ(typeId, (index << 16) | 1u);
  EXPECT_EQ(calcClass.IsCategory(&ChanCalcCategoryGUID), S_OK);
  EXPECT_EQ(calcClass.IsCategory(nullptr), S_FALSE);
  EXPECT_EQ(settingsClass->IsCategory(&ChanCalcSettingsCategoryGUID), S_OK);
  EXPECT_EQ(settingsClass->IsCategory(&ChanCalcCategoryGUID), S_FALSE);
  ComPtr<QOR::IQORString> description;
  calcClass.GetDescription(description.Out());
  EXPECT_STREQ(description->GetText(), L"Analysis of Peaks");
  ComPtr<IPersistObject> edited;
  EXPECT_EQ(calcClass.RunSettingsDialog(nullptr, 0, nullptr, nullptr, 0, 0, nullptr, edited.Out()), S_FALSE);

  IHostChannelCalc* made = reinterpret_cast<IHostChannelCalc*>(1);
  EXPECT_EQ(calcClass.CreateCalculation(0, 0, nullptr, &made), E_FAIL);
  EXPECT_EQ(made, nullptr);
  ASSERT_EQ(calcClass.CreateCalculation(2, 0, Context(), &made), S_OK);
  EXPECT_EQ(made->Release(), 0u);  // the caller held the only reference
  EXPECT_EQ(gEnginesAlive, 0);
}

// A query the new object refuses used to answer S_OK with nothing handed out and the object
// leaked.
TEST_F(ChannelCalc, SettingsClassAnswersAndFreesARefusedQuery) {
  IPersistClassObject* const settingsClass = ZR::ChanCalc::SettingsClass();
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(settingsClass->CreateObject(nullptr, IID_IChannelCalc, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  ComPtr<IPersistObject> loaded;
  EXPECT_EQ(settingsClass->CreateAndLoad(nullptr, host::CreateTextStore(L"1\t9\t2").Get(), loaded.Out()), E_FAIL);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(ZR::ChanCalc::SettingsCOM::FromInterface(loaded.Get())->Values().parameterId, 9);
}

}  // namespace
