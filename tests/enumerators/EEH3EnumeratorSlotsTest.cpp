// What a clone carries over, and the interface slots answered through the raw tables of a detector made by its
// class object.
#include "enumerators/framework/EEH3Enumerator.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

#include "enumerators/framework/ClassTypeIndex.h"
#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/app/HostFramework.h"
#include "hostapi/HostUnits.h"
#include "hostclient/ClassGuids.h"
#include "tests/enumerators/DetectorHarness.h"

using harness::Drain;
using harness::Events;
using harness::MakeChannel;
using harness::MakeDetector;
using harness::SetChannel;
using harness::Ticks;
using harness::Triangles;

namespace {

constexpr int32_t kEnd = 0x7FFFFFFF;

std::wstring SettingsOf(ICalcEnum* calc) {
  QOR::IQORString* text = nullptr;
  EXPECT_EQ(calc->SaveSettings(&text), S_OK);
  return text ? std::wstring(QOR::String::Adopt(text).GetText()) : L"<null>";
}

int32_t PositionOf(IEnumEventEx* events) {
  int32_t position = -2;
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  return position;
}

std::wstring UnitText(IUnknown* unit) {
  IHostUnit* hostUnit = nullptr;
  if (!unit || FAILED(unit->QueryInterface(IID_IHostUnit, reinterpret_cast<void**>(&hostUnit)))) return L"-";
  BSTR text = nullptr;
  const std::wstring result = SUCCEEDED(hostUnit->GetText(&text)) && text ? std::wstring(text) : L"";
  SysFreeString(text);
  hostUnit->Release();
  return result;
}

// Slot n of an interface's table, called as the host calls it.
template <class Fn, class Interface>
Fn Slot(Interface* object, int slot) {
  void** table = *reinterpret_cast<void***>(object);
  return reinterpret_cast<Fn>(table[slot]);
}

ICalcEnumClass2* ClassNamed(const wchar_t* wanted) {
  for (ICalcEnumClass2* cls : CalcEnums::EnumeratorClassObjects()) {
    BSTR name = nullptr;
    if (FAILED(cls->GetNameBstr(&name))) continue;
    const bool match = name && std::wstring(name) == wanted;
    SysFreeString(name);
    if (match) return cls;
  }
  return nullptr;
}

}  // namespace

// Limits (record 0, ticks 1000 to 3000), a minimum height that drops the low peak at 2000, the sources' tick
// period and the online flag all pass to a clone taken after a Find, together with the pending event.
TEST(EEH3EnumeratorClone, CarriesPendingEventLimitsParametersAndOnlineFlag) {
  std::vector<float> samples = Triangles(5000, {500, 1500, 2000, 2500, 3500});
  for (int32_t t = 1995; t <= 2005; ++t) samples[static_cast<size_t>(t)] *= 0.3f;
  const auto channel = MakeChannel(samples);
  ComPtr<ICalcEnum> calc = MakeDetector(L"3 0.5 2.5 0 1000 0 3000");
  SetChannel(calc.Get(), channel, 0, true);
  ComPtr<IEnumEventEx> events = Events(calc.Get());
  ASSERT_EQ(events->Find(0, 1200, 0, kEnd), S_OK);

  ComPtr<IEnumEventEx> cloneEvents;
  ASSERT_EQ(events->Clone(cloneEvents.Out()), S_OK);
  ComPtr<ICalcEnum> clone;
  ASSERT_EQ(cloneEvents->QueryInterface(IID_ICalcEnum, clone.OutVoid()), S_OK);
  const auto* cloned = static_cast<ZR::Enum::CAPPeakDetEnumerator*>(clone.Get());
  EXPECT_TRUE(cloned->IsOnline());
  EXPECT_EQ(cloned->GetParams().leadingValue, 3);
  EXPECT_EQ(SettingsOf(clone.Get()), SettingsOf(calc.Get()));
  EXPECT_EQ(PositionOf(cloneEvents.Get()), PositionOf(events.Get()));
  double value = 0.0;
  IUnknown* units = nullptr;
  ASSERT_EQ(clone->GetValueUnits(&value, &units), S_OK);
  EXPECT_EQ(value, harness::kTickPeriod);
  if (units) units->Release();

  // The pending event first, from either object.
  SetChannel(clone.Get(), channel);
  EventPkStm mine, theirs;
  int32_t n = -1, m = -1, next = -1;
  EXPECT_EQ(events->Next(sizeof mine, kEnd, &mine, &n, &next), S_OK);
  EXPECT_EQ(cloneEvents->Next(sizeof theirs, kEnd, &theirs, &m, &next), S_OK);
  ASSERT_EQ(n, 1);
  ASSERT_EQ(m, 1);
  EXPECT_EQ(theirs.tick, 1500);
  EXPECT_EQ(theirs.tick, mine.tick);

  // From the start of the record, both report the same events within the limits and above the height.
  ASSERT_EQ(events->Find(0, 0, 0, kEnd), S_OK);
  ASSERT_EQ(cloneEvents->Find(0, 0, 0, kEnd), S_OK);
  const std::vector<int32_t> expected{1500, 2500};
  EXPECT_EQ(Ticks(Drain(cloneEvents.Get())), expected);
  EXPECT_EQ(Ticks(Drain(events.Get())), expected);
}

// Sources set after a Find keep the pending event first; the events after it follow once, in tick order.
TEST(EEH3EnumeratorClone, PendingEventAfterNewSourcesComesOutOnce) {
  const auto channel = MakeChannel(Triangles(5000, {500, 1500, 2500, 3500}));
  ComPtr<ICalcEnum> calc = MakeDetector(L"0 0.5 2.5 0 0 0 5000");
  SetChannel(calc.Get(), channel);
  ComPtr<IEnumEventEx> events = Events(calc.Get());
  ASSERT_EQ(events->Find(0, 1200, 0, kEnd), S_OK);
  ComPtr<IEnumEventEx> cloneEvents;
  ASSERT_EQ(events->Clone(cloneEvents.Out()), S_OK);
  ComPtr<ICalcEnum> clone;
  ASSERT_EQ(cloneEvents->QueryInterface(IID_ICalcEnum, clone.OutVoid()), S_OK);
  SetChannel(clone.Get(), channel);
  SetChannel(calc.Get(), channel);
  const std::vector<int32_t> expected{1500, 2500, 3500};
  EXPECT_EQ(Ticks(Drain(cloneEvents.Get())), expected);
  EXPECT_EQ(Ticks(Drain(events.Get())), expected);
}

// ICalcEnum slots 4 (GetDataSource), 11 (GetParamKind), 12, 13 and 14 (GetValueUnits), and IEnumEventEx
// slots 9 (GetEventType) and 10, called by index.
TEST(EEH3EnumeratorSlots, RawTableSlotsAnswerTheirValues) {
  ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK);
  ICalcEnumClass2* const cls = ClassNamed(L"CAPPeakDet");
  ASSERT_NE(cls, nullptr);
  ComPtr<ICalcEnum> calc;
  ASSERT_EQ(cls->CreateEnum(nullptr, calc.Out()), S_OK);
  ComPtr<IEnumEventEx> events = Events(calc.Get());

  using GetDataSourceFn = HRESULT(STDMETHODCALLTYPE*)(ICalcEnum*, IUnknown**);
  IUnknown* source = nullptr;
  ASSERT_EQ(Slot<GetDataSourceFn>(calc.Get(), 4)(calc.Get(), &source), S_OK);
  ASSERT_NE(source, nullptr);
  IUnknown* sourceIdentity = nullptr;
  IUnknown* classIdentity = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&sourceIdentity)), S_OK);
  ASSERT_EQ(cls->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&classIdentity)), S_OK);
  EXPECT_EQ(sourceIdentity, classIdentity);
  sourceIdentity->Release();
  classIdentity->Release();
  source->Release();

  using GetParamKindFn = HRESULT(STDMETHODCALLTYPE*)(ICalcEnum*, int32_t, int32_t, uint32_t*);
  const struct {
    int32_t index, which;
    uint32_t kind;
  } kinds[] = {{0, 0, 0u}, {0, 1, 0x40000000u}, {6, -1, 0x40000000u}, {3, 0, 0u}};
  for (const auto& k : kinds) {
    uint32_t kind = 7;
    EXPECT_EQ(Slot<GetParamKindFn>(calc.Get(), 11)(calc.Get(), k.index, k.which, &kind), S_OK);
    EXPECT_EQ(kind, k.kind) << k.index << "," << k.which;
  }

  using NoArgumentFn = HRESULT(STDMETHODCALLTYPE*)(ICalcEnum*);
  EXPECT_EQ(Slot<NoArgumentFn>(calc.Get(), 12)(calc.Get()), S_OK);
  EXPECT_EQ(Slot<NoArgumentFn>(calc.Get(), 13)(calc.Get()), S_OK);

  // The value given to SetSources (nothing before), with a units object named "?".
  using GetValueUnitsFn = HRESULT(STDMETHODCALLTYPE*)(ICalcEnum*, double*, IUnknown**);
  double value = -1.0;
  IUnknown* units = nullptr;
  ASSERT_EQ(Slot<GetValueUnitsFn>(calc.Get(), 14)(calc.Get(), &value, &units), S_OK);
  EXPECT_EQ(value, 0.0);
  if (units) units->Release();
  uint32_t kind = 0;
  ASSERT_EQ(calc->LoadSettings(QOR::String(L"0 0.5 -1").GetInterface(), &kind), S_OK);
  SetChannel(calc.Get(), MakeChannel(Triangles(100, {50})));
  units = nullptr;
  ASSERT_EQ(Slot<GetValueUnitsFn>(calc.Get(), 14)(calc.Get(), &value, &units), S_OK);
  EXPECT_EQ(value, harness::kTickPeriod);
  EXPECT_EQ(UnitText(units), L"?");
  if (units) units->Release();

  // Detector events draw with class number 0 of the event draw classes.
  using GetEventTypeFn = HRESULT(STDMETHODCALLTYPE*)(IEnumEventEx*, uint32_t*);
  uint32_t typeId = 0xFFFFFFFFu;
  ASSERT_EQ(Slot<GetEventTypeFn>(events.Get(), 9)(events.Get(), &typeId), S_OK);
  const uint32_t drawIndex = CalcEnums::RegisteredIndexOf(ZREventDrawGUID);
  EXPECT_NE(drawIndex, 0u);
  EXPECT_EQ(typeId, drawIndex << 16);

  using ReservedFn = HRESULT(STDMETHODCALLTYPE*)(IEnumEventEx*, void**);
  void* out = &typeId;
  EXPECT_EQ(Slot<ReservedFn>(events.Get(), 10)(events.Get(), &out), E_NOTIMPL);
  EXPECT_EQ(out, nullptr);
}
