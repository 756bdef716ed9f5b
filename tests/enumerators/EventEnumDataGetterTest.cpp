// The enumerator getter end to end: formulas run by the stand-in host's formula class over
// recordings sampled into its data document, offline and online, in every getter mode.
#include "enumerators/framework/EventEnumDataGetter.h"

#include "enumerators/classlist/EnumeratorClassList.h"
#include "enumerators/framework/HostCalculation.h"
#include "enumerators/framework/HostHelpers.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/formula/SignalFormula.h"
#include "hostapi/HostCalculation.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/TypeIds.h"
#include "tests/support/CardiacSignal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using ExtLib::EventEnumDataGetter;

constexpr double kTickPeriod = 0.001;  // 1 kHz
constexpr int32_t kRecordTicks = 10000;

struct Event {
  int32_t tick;
  float fraction;
  double value;
  int32_t kind;
  bool operator==(const Event& o) const {
    return tick == o.tick && std::memcmp(&fraction, &o.fraction, sizeof fraction) == 0 &&
           std::memcmp(&value, &o.value, sizeof value) == 0 && kind == o.kind;
  }
};

void PrintTo(const Event& e, std::ostream* os) { *os << "{tick " << e.tick << ", value " << e.value << ", kind " << e.kind << "}"; }

IUnknown* AsUnknown(host::DataDocument* doc) { return static_cast<IHostDataDocument*>(doc); }

// Pulls every event the chain has now; true when the record is finished (S_FALSE).
bool Pull(IEnumEventEx* events, std::vector<Event>* out) {
  int32_t recordSize = 0;
  EXPECT_EQ(S_OK, events->GetRecordSize(&recordSize));
  std::vector<uint8_t> buffer(static_cast<size_t>(recordSize) * 8);
  for (;;) {
    int32_t returned = 0;
    int32_t next = 0;
    const HRESULT hr = events->Next(static_cast<int32_t>(buffer.size()), 0x7FFFFFFF, buffer.data(), &returned, &next);
    EXPECT_TRUE(hr == S_OK || hr == S_FALSE) << std::hex << hr;
    for (int32_t i = 0; i < returned; ++i) {
      Event e{};
      const uint8_t* r = buffer.data() + static_cast<size_t>(i) * recordSize;
      std::memcpy(&e.tick, r, 4);
      std::memcpy(&e.fraction, r + 4, 4);
      std::memcpy(&e.value, r + 8, 8);
      std::memcpy(&e.kind, r + 16, 4);
      out->push_back(e);
    }
    if (hr != S_OK) return true;
    if (returned == 0) return false;
  }
}

class EventEnumDataGetterTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    sFramework = new ondara_host::HostFramework();
    ASSERT_EQ(S_OK, sFramework->Status());
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    ASSERT_NE(nullptr, registry);
    CalcEnums::RegisterEnumeratorClasses(registry);
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClass(registry, GetTypeRegistry()));
    ASSERT_EQ(S_OK, host::FormulaEnumClassTypeId(GetTypeRegistry(), &sFormulaId));
  }

  static std::vector<float> StimulusSignal() {
    // A 10 V pulse of about 45 ms once a second.
    return host::SignalFormula(L"10*threshold(sin(6.283185307*t), 0.99)").Sample(kTickPeriod, 0, kRecordTicks);
  }
  // Stimulus formulas run over the pulse train, the others over the cardiac signal.
  static std::vector<float> Signal(const std::wstring& formula) {
    std::wstring lower = formula;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    return lower.find(L"erstim") != std::wstring::npos
               ? StimulusSignal()
               : testsupport::CardiacSignal(kRecordTicks, 1.0 / kTickPeriod);
  }

  static host::HostPtr<host::DataDocument> EmptyDocument() {
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Signal", L"V", L""});
    return host::DataDocument::Create(std::move(recording));
  }

  // Samples the whole signal into a complete record and runs the formula in mode 1.
  static std::vector<Event> Offline(const std::wstring& formula) {
    auto doc = EmptyDocument();
    host::Sampler sampler(doc.Get());
    const std::vector<float> samples = Signal(formula);
    EXPECT_EQ(S_OK, sampler.Start());
    EXPECT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
    EXPECT_EQ(S_OK, sampler.Append({samples}));
    EXPECT_EQ(S_OK, sampler.EndRecord());
    EXPECT_EQ(S_OK, sampler.Stop());
    EventEnumDataGetter getter(AsUnknown(doc.Get()), ExtLib::kGetterOffline);
    std::vector<Event> events;
    if (!getter.CreateEnum(sFormulaId, formula.c_str())) {
      ADD_FAILURE() << "CreateEnum failed";
      return events;
    }
    EXPECT_TRUE(getter.SetSources(true, TickPosition(0, 0)));
    auto enumerator = getter.GetEventEnum();
    EXPECT_TRUE(enumerator);
    if (enumerator) {
      EXPECT_TRUE(Pull(enumerator.Get(), &events));
    }
    getter.Stop();
    return events;
  }

  // Samples the signal in uneven blocks, pulling after each; mode 2 is driven here, mode 0 by
  // the host's end of record through the stop callback.
  static std::vector<Event> Online(const std::wstring& formula, int32_t mode) {
    auto doc = EmptyDocument();
    host::Sampler sampler(doc.Get());
    const std::vector<float> samples = Signal(formula);
    std::vector<Event> events;
    std::unique_ptr<EventEnumDataGetter> getter;
    bool finished = false;
    auto pullRest = [&] { finished = Pull(getter->GetEventEnum().Get(), &events); };
    getter = std::make_unique<EventEnumDataGetter>(AsUnknown(doc.Get()), pullRest, mode);
    EXPECT_EQ(mode == ExtLib::kGetterRegistersAsSink, getter->RegisteredAsSink());
    EXPECT_EQ(S_OK, sampler.Start());
    EXPECT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
    EXPECT_TRUE(getter->CreateEnum(sFormulaId, formula.c_str()));
    EXPECT_TRUE(getter->SetSources(false, TickPosition(0, 0)));
    const size_t blocks[] = {1, 700, 33, 1024, 4000, 5};
    size_t at = 0;
    for (size_t k = 0; at < samples.size(); ++k) {
      const size_t n = std::min(blocks[k % 6], samples.size() - at);
      EXPECT_EQ(S_OK, sampler.Append({std::vector<float>(samples.begin() + at, samples.begin() + at + n)}));
      at += n;
      EXPECT_FALSE(Pull(getter->GetEventEnum().Get(), &events)) << "finished before the record ended";
    }
    EXPECT_EQ(S_OK, sampler.EndRecord());
    if (mode == ExtLib::kGetterOnline) {
      pullRest();
      getter->Stop();
    }
    EXPECT_TRUE(finished);
    EXPECT_FALSE(getter->Started());
    EXPECT_EQ(S_OK, sampler.Stop());
    return events;
  }

  static ondara_host::HostFramework* sFramework;
  static uint32_t sFormulaId;
};

ondara_host::HostFramework* EventEnumDataGetterTest::sFramework = nullptr;
uint32_t EventEnumDataGetterTest::sFormulaId = 0;

TEST_F(EventEnumDataGetterTest, CardiacPeaksAreTheSameOfflineAndOnline) {
  const std::wstring formula = L"cappeakdet(ch1,0.3)";
  const std::vector<Event> offline = Offline(formula);
  EXPECT_GE(offline.size(), 5u);
  for (const Event& e : offline) EXPECT_EQ(2, e.kind) << "tick " << e.tick;
  EXPECT_EQ(offline, Online(formula, ExtLib::kGetterOnline));
  EXPECT_EQ(offline, Online(formula, ExtLib::kGetterRegistersAsSink));
  // Names and aliases are matched in any letter case.
  EXPECT_EQ(offline, Offline(L"CAPPEAKDET(ch1,0.3)"));
  EXPECT_EQ(offline, Offline(L"CapPeak(CH1,0.3)"));
}

TEST_F(EventEnumDataGetterTest, StimuliAreTheSameOfflineAndOnline) {
  const std::wstring formula = L"ERStimDet(ch1,8,1000,2000,0,0)";
  const std::vector<Event> offline = Offline(formula);
  // Pulses once a second; those up to the 2 s skip time are ignored. A pulse rises where
  // sin(2 pi t) first exceeds 0.99, at t = k + asin(0.99) / (2 pi) = k + 0.22749 s: tick 228
  // of each second is its top; it falls 45 ticks later, well within the 1000 ms width.
  ASSERT_EQ(8u, offline.size());
  for (size_t i = 0; i < offline.size(); ++i) {
    EXPECT_EQ(2228 + 1000 * static_cast<int32_t>(i), offline[i].tick) << "stimulus " << i;
    EXPECT_EQ(1, offline[i].kind);
    EXPECT_EQ(1.0, offline[i].value);
  }
  EXPECT_EQ(offline, Online(formula, ExtLib::kGetterOnline));
  EXPECT_EQ(offline, Online(formula, ExtLib::kGetterRegistersAsSink));
  EXPECT_EQ(offline, Offline(L"erstimulated(ch1,8,1000,2000,0,0)"));
  // One stimulus per record.
  const std::vector<Event> one = Offline(L"ERStimDet(ch1,8,1000,2000,0,1)");
  ASSERT_EQ(1u, one.size());
  EXPECT_EQ(offline.front(), one.front());
}

TEST_F(EventEnumDataGetterTest, NestedChainIsTheSameOfflineAndOnline) {
  // One channel reference although the text names ch1 five times; the text reaches the host
  // with its capitals.
  const std::wstring formula =
      L"CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))))";
  const std::vector<Event> offline = Offline(formula);
  EXPECT_GE(offline.size(), 5u);
  EXPECT_EQ(offline, Online(formula, ExtLib::kGetterOnline));
}

TEST_F(EventEnumDataGetterTest, HostDocumentGivesTheGetterItsDataDocument) {
  const std::wstring formula = L"CalcBase(ch1,CAPPeakDet(ch1,0.3))";
  auto doc = EmptyDocument();
  host::Sampler sampler(doc.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
  ASSERT_EQ(S_OK, sampler.Append({Signal(formula)}));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  ASSERT_EQ(S_OK, sampler.Stop());
  const auto hostDocument = host::HostDocument::Create(doc);

  std::vector<Event> events;
  {
    EventEnumDataGetter getter(static_cast<IHostDocument*>(hostDocument.Get()), ExtLib::kGetterOffline);
    ASSERT_TRUE(getter.CreateEnum(sFormulaId, formula.c_str()));
    ASSERT_TRUE(getter.SetSources(true, TickPosition(0, 0)));  // the tick period from the document
    auto enumerator = getter.GetEventEnum();
    ASSERT_TRUE(enumerator);
    EXPECT_TRUE(Pull(enumerator.Get(), &events));
  }
  EXPECT_GE(events.size(), 5u);
  EXPECT_EQ(Offline(formula), events);

  {
    EventEnumDataGetter sink(static_cast<IHostDocument*>(hostDocument.Get()), ExtLib::kGetterRegistersAsSink);
    EXPECT_TRUE(sink.RegisteredAsSink());
    EventEnumDataGetter none(static_cast<IHostDocument*>(nullptr), ExtLib::kGetterRegistersAsSink);
    EXPECT_FALSE(none.RegisteredAsSink());
    EXPECT_TRUE(none.CreateEnum(sFormulaId, formula.c_str()));
    EXPECT_FALSE(none.SetSources(true, TickPosition(0, 0)));  // no data document to read
  }
}

TEST_F(EventEnumDataGetterTest, RunsStartOnceAndFailWithoutTheirParts) {
  auto doc = EmptyDocument();
  host::Sampler sampler(doc.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(100, 0.0f)}));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  ASSERT_EQ(S_OK, sampler.Stop());

  EventEnumDataGetter getter(AsUnknown(doc.Get()), ExtLib::kGetterOffline);
  EXPECT_FALSE(getter.SetSources(true, TickPosition(0, 0)));  // no chain yet
  EXPECT_FALSE(getter.CreateEnum(0x7FFF1234u, L"cappeakdet(ch1,0.3)"));
  EXPECT_FALSE(getter.GetEventEnum());
  ASSERT_TRUE(getter.CreateEnum(sFormulaId, L"cappeakdet(ch1,0.3)"));
  EXPECT_TRUE(getter.SetSources(true, TickPosition(0, 0)));
  EXPECT_FALSE(getter.SetSources(true, TickPosition(0, 0)));  // a run is active
  getter.Stop();
  EXPECT_TRUE(getter.SetSources(true, TickPosition(0, 0)));
  getter.Stop();

  // A channel the document does not have gives no source.
  ASSERT_TRUE(getter.CreateEnum(sFormulaId, L"cappeakdet(ch2,0.3)"));
  EXPECT_FALSE(getter.SetSources(true, TickPosition(0, 0)));
  EXPECT_FALSE(getter.Started());

  EventEnumDataGetter noDocument(static_cast<IUnknown*>(nullptr), ExtLib::kGetterRegistersAsSink);
  EXPECT_FALSE(noDocument.RegisteredAsSink());
}

TEST_F(EventEnumDataGetterTest, EverySinkGetterRegistersAndLeavesOnItsOwn) {
  auto doc = EmptyDocument();
  host::Sampler sampler(doc.Get());
  int firstStops = 0;
  int secondStops = 0;
  auto first = std::make_unique<EventEnumDataGetter>(AsUnknown(doc.Get()), [&] { ++firstStops; }, ExtLib::kGetterRegistersAsSink);
  EventEnumDataGetter second(AsUnknown(doc.Get()), [&] { ++secondStops; }, ExtLib::kGetterRegistersAsSink);
  EXPECT_TRUE(first->RegisteredAsSink());
  EXPECT_TRUE(second.RegisteredAsSink());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  EXPECT_EQ(1, firstStops);
  EXPECT_EQ(1, secondStops);
  first.reset();  // unregisters: the next record end reaches only the second
  ASSERT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  EXPECT_EQ(2, secondStops);
  ASSERT_EQ(S_OK, sampler.Stop());
}

TEST_F(EventEnumDataGetterTest, HostQuestionsAnswerFromTheDocument) {
  host::Recording recording;
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  recording.channels.push_back(host::ChannelInfo{L"Stim", L"V", L""});
  auto doc = host::DataDocument::Create(std::move(recording));
  host::Sampler sampler(doc.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  for (int32_t length : {300, 500}) {
    ASSERT_EQ(S_OK, sampler.StartRecord(kTickPeriod));
    const std::vector<float> block(static_cast<size_t>(length), 0.0f);
    ASSERT_EQ(S_OK, sampler.Append({block, block}));
    ASSERT_EQ(S_OK, sampler.EndRecord());
  }
  ASSERT_EQ(S_OK, sampler.Stop());
  IHostDataDocument* const document = doc.Get();

  EXPECT_EQ(L"Vm", ExtLib::GetChannelTitle(document, 0, 0));
  EXPECT_EQ(L"mV", ExtLib::GetChannelUnits(document, 0, 1));
  EXPECT_TRUE(ExtLib::ChannelUnitsDiffer(document, {0, 1}, 0));
  EXPECT_FALSE(ExtLib::ChannelUnitsDiffer(document, {1, 1}, 0));
  std::wstring name;
  EXPECT_TRUE(ExtLib::GetChannelName(document, 1, &name));
  EXPECT_NE(std::wstring::npos, name.find(L"Stim"));
  EXPECT_FALSE(ExtLib::GetChannelName(document, 7, &name));
  EXPECT_TRUE(ExtLib::GetChannelTitle(nullptr, 0, 0).empty());

  EXPECT_EQ(200, ExtLib::CountTicks(document, TickPosition(0, 100), TickPosition(0, 300)));
  EXPECT_EQ(200 + 50, ExtLib::CountTicks(document, TickPosition(0, 100), TickPosition(1, 50)));
  EXPECT_EQ(0, ExtLib::CountTicks(document, TickPosition(1, 0), TickPosition(0, 10)));

  TickPosition start;
  EXPECT_FALSE(ExtLib::GetSelectionStart(document, &start));
  host::HostPtr<IHostSelection> selection;
  ASSERT_EQ(S_OK, document->GetSelection(selection.Out()));
  ASSERT_EQ(S_OK, selection->SetRange(HostPosition{0, 250}, HostPosition{1, 20}));
  TickPosition end;
  ASSERT_TRUE(ExtLib::GetSelectionStart(document, &start));
  ASSERT_TRUE(ExtLib::GetSelectionEnd(document, &end));
  EXPECT_EQ(0, start.record);
  EXPECT_EQ(250, start.tick);
  EXPECT_EQ(1, end.record);
  EXPECT_EQ(20, end.tick);
}

// An outer object that counts the references its aggregated inner object passes on to it.
class CountingOuter final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++count); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--count); }
  IUnknown* inner = nullptr;
  int count = 1;
};

TEST_F(EventEnumDataGetterTest, ClassObjectsCreateCountedAndAggregatedEnumerators) {
  const std::vector<ICalcEnumClass2*> classes = CalcEnums::EnumeratorClassObjects();
  ASSERT_GE(classes.size(), 2u);
  std::vector<std::wstring> names;
  for (ICalcEnumClass2* cls : classes) {
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, cls->GetNameBstr(&name));
    names.emplace_back(name);
    SysFreeString(name);
  }
  // Newest first: ERStimDet was built after CAPPeakDet.
  const auto stim = std::find(names.begin(), names.end(), L"ERStimDet");
  const auto cap = std::find(names.begin(), names.end(), L"CAPPeakDet");
  ASSERT_NE(names.end(), stim);
  ASSERT_NE(names.end(), cap);
  EXPECT_LT(stim - names.begin(), cap - names.begin());

  ICalcEnumClass2* const cls = classes[static_cast<size_t>(stim - names.begin())];
  uint32_t typeId = 0;
  uint32_t again = 0;
  ASSERT_EQ(S_OK, cls->GetTypeId(&typeId));
  ASSERT_EQ(S_OK, cls->GetTypeId(&again));
  EXPECT_NE(0u, typeId >> 16);
  EXPECT_EQ(typeId, again);

  ICalcEnum* calc = nullptr;
  ASSERT_EQ(S_OK, cls->CreateEnum(nullptr, &calc));
  uint32_t source = 0;
  EXPECT_EQ(S_OK, calc->GetSourceInfo(&source));
  EXPECT_EQ(typeId, source);
  EXPECT_EQ(0u, calc->Release());  // the caller held the only reference

  CountingOuter outer;
  IUnknown* inner = nullptr;
  ASSERT_EQ(S_OK, cls->CreateAggregatedEnum(&outer, nullptr, &inner));
  outer.inner = inner;
  ICalcEnum* part = nullptr;
  ASSERT_EQ(S_OK, inner->QueryInterface(IID_ICalcEnum, reinterpret_cast<void**>(&part)));
  EXPECT_EQ(2, outer.count);  // the interface handed out counts on the outer object
  part->AddRef();
  EXPECT_EQ(3, outer.count);
  void* viaPart = nullptr;
  ASSERT_EQ(S_OK, part->QueryInterface(IID_IUnknown, &viaPart));
  EXPECT_EQ(static_cast<void*>(&outer), viaPart);  // identity is the outer object's

  // A clone stands on its own: the outer object knows nothing of it, so it could neither hand
  // out the clone's interfaces nor free it.
  ICalcEnum* clone = nullptr;
  ASSERT_EQ(S_OK, part->Clone(nullptr, &clone));
  const int outerCount = outer.count;
  void* cloneIdentity = nullptr;
  ASSERT_EQ(S_OK, clone->QueryInterface(IID_IUnknown, &cloneIdentity));
  EXPECT_NE(static_cast<void*>(&outer), cloneIdentity);
  IEnumEventEx* cloneEvents = nullptr;
  IEnumEventEx* partEvents = nullptr;
  ASSERT_EQ(S_OK, clone->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(&cloneEvents)));
  ASSERT_EQ(S_OK, part->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(&partEvents)));
  EXPECT_NE(partEvents, cloneEvents);
  IEnumEventEx* eventsClone = nullptr;
  ASSERT_EQ(S_OK, partEvents->Clone(&eventsClone));
  partEvents->Release();
  EXPECT_EQ(outerCount, outer.count);
  EXPECT_EQ(0u, eventsClone->Release());
  cloneEvents->Release();
  static_cast<IUnknown*>(cloneIdentity)->Release();
  EXPECT_EQ(0u, clone->Release());
  EXPECT_EQ(outerCount, outer.count);
  outer.Release();
  part->Release();
  part->Release();
  EXPECT_EQ(1, outer.count);
  EXPECT_EQ(0u, inner->Release());
}

// Minimal host objects for attaching a calculation: each counts its references and notes calls.
template <class... I>
class Fake : public I... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) *out = static_cast<IUnknown*>(static_cast<First*>(this));
    ((IsEqualIID(iid, Iid<I>()) ? (*out = static_cast<I*>(this)) : nullptr), ...);
    if (!*out) return E_NOINTERFACE;
    ++refs;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  int refs = 1;

 private:
  using First = std::tuple_element_t<0, std::tuple<I...>>;
  template <class T>
  static const IID& Iid();
};
template <> template <> const IID& Fake<IPersistObject, IFormulaCalcSettings>::Iid<IPersistObject>() { return IID_IPersistObject; }
template <> template <> const IID& Fake<IPersistObject, IFormulaCalcSettings>::Iid<IFormulaCalcSettings>() { return IID_IFormulaCalcSettings; }
template <> template <> const IID& Fake<IHostChannelCalc>::Iid<IHostChannelCalc>() { return IID_IHostChannelCalc; }

class FakeSettings final : public Fake<IPersistObject, IFormulaCalcSettings> {
 public:
  HRESULT STDMETHODCALLTYPE Load(IHostTextStore*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(IHostTextStore*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetFormulas(QOR::IQORString* a, QOR::IQORString* b, VARIANT_BOOL flag) override {
    first = QOR::String(a).GetText();
    second = QOR::String(b).GetText();
    reserved = flag;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString*, QOR::IQORString*, double, double, int32_t, uint32_t) override {
    return E_NOTIMPL;
  }
  std::wstring first, second;
  VARIANT_BOOL reserved = 1;
};

class FakeCalculation final : public Fake<IHostChannelCalc> {
 public:
  HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown* s, VARIANT_BOOL flag) override {
    settings = s;
    apply = flag;
    return answer;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
  IUnknown* settings = nullptr;
  VARIANT_BOOL apply = 0;
  HRESULT answer = S_OK;
};

class FakeCalcClass final : public ICalculationClass {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RunSettingsDialog(HWND, uint32_t, IUnknown*, IUnknown*, int32_t, uint32_t,
                                              IPersistObject*, IPersistObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateCalculation(int32_t ch, uint32_t fl, IHostDataDocument* doc,
                                              IHostChannelCalc** out) override {
    channel = ch;
    flags = fl;
    document = doc;
    calculation.AddRef();
    *out = &calculation;
    return S_OK;
  }
  int refs = 1;
  int32_t channel = -1;
  uint32_t flags = 0;
  IHostDataDocument* document = nullptr;
  FakeCalculation calculation;
};

class FakeRegistry final : public IClassRegistry {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(uint32_t id, IUnknown* outer, REFIID iid, void** out) override {
    createdId = id;
    if (outer || !IsEqualIID(iid, IID_IPersistObject)) return E_NOINTERFACE;
    return settings.QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassObject(uint32_t id, REFIID iid, void** out) override {
    *out = nullptr;
    if (id != kCalcClassId || !IsEqualIID(iid, IID_ICalculationClass)) return E_FAIL;
    calcClass.AddRef();
    *out = static_cast<ICalculationClass*>(&calcClass);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterClassObject(ILumoClassObject*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassCount(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassAt(uint32_t, ILumoClassObject**) override { return E_NOTIMPL; }
  static constexpr uint32_t kCalcClassId = 0x00420000u;
  uint32_t createdId = 0;
  FakeSettings settings;
  FakeCalcClass calcClass;
};

TEST_F(EventEnumDataGetterTest, HostCalculationIsAttachedWithBothTexts) {
  auto doc = EmptyDocument();
  FakeRegistry registry;
  ASSERT_TRUE(ExtLib::CreateHostCalculation(&registry, AsUnknown(doc.Get()), FakeRegistry::kCalcClassId,
                                            QOR::String(L"Detector"), QOR::String(L"cappeakdet(ch1,0.3)"), 3, 4));
  EXPECT_EQ((TypeIdClass<&HostCalcClassGUID, 1>::Id()), registry.createdId);
  EXPECT_EQ(L"Detector", registry.settings.first);
  EXPECT_EQ(L"cappeakdet(ch1,0.3)", registry.settings.second);
  EXPECT_EQ(VARIANT_FALSE, registry.settings.reserved);
  EXPECT_EQ(3, registry.calcClass.channel);
  EXPECT_EQ(4u, registry.calcClass.flags);
  EXPECT_EQ(static_cast<IHostDataDocument*>(doc.Get()), registry.calcClass.document);
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<IPersistObject*>(&registry.settings)),
            registry.calcClass.calculation.settings);
  EXPECT_EQ(VARIANT_TRUE, registry.calcClass.calculation.apply);
  // Every interface obtained was released again.
  EXPECT_EQ(1, registry.settings.refs);
  EXPECT_EQ(1, registry.calcClass.refs);
  EXPECT_EQ(1, registry.calcClass.calculation.refs);

  registry.calcClass.calculation.answer = S_FALSE;
  EXPECT_FALSE(ExtLib::CreateHostCalculation(&registry, AsUnknown(doc.Get()), FakeRegistry::kCalcClassId,
                                             QOR::String(L"a"), QOR::String(L"b"), 0, 4));
  EXPECT_FALSE(ExtLib::CreateHostCalculation(&registry, AsUnknown(doc.Get()), 0x00430000u, QOR::String(L"a"),
                                             QOR::String(L"b"), 0, 4));
  EXPECT_FALSE(ExtLib::CreateHostCalculation(&registry, nullptr, FakeRegistry::kCalcClassId, QOR::String(L"a"),
                                             QOR::String(L"b"), 0, 4));
  EXPECT_EQ(1, registry.settings.refs);
}

TEST(EventEnumDataGetter, SinkAnswersAndRequestFlags) {
  EventEnumDataGetter getter(static_cast<IUnknown*>(nullptr), ExtLib::kGetterOffline);
  IOnlineDataSink* const sink = &getter;
  uint32_t options = 1;
  uint16_t mask = 0;
  EXPECT_EQ(S_OK, sink->GetSinkInfo(&options, &mask));
  EXPECT_EQ(0u, options);
  EXPECT_EQ(0xFFFF, mask);
  int32_t value = 0;
  EXPECT_EQ(S_OK, sink->GetPriority(&value));
  EXPECT_EQ(0, value);
  EXPECT_EQ(S_OK, sink->GetUpdatePercent(&value));
  EXPECT_EQ(100, value);
  EXPECT_EQ(E_NOTIMPL, sink->Reserved10());
  EXPECT_EQ(1u, sink->AddRef());
  EXPECT_EQ(1u, sink->Release());
  void* out = nullptr;
  EXPECT_EQ(S_OK, sink->QueryInterface(IID_IOnlineDataSink, &out));
  EXPECT_EQ(static_cast<void*>(sink), out);
  EXPECT_EQ(E_NOINTERFACE, sink->QueryInterface(IID_IOnlineDataService, &out));
  EXPECT_EQ(nullptr, out);

  using ExtLib::ChannelRef;
  EXPECT_EQ(0x40001000u, ExtLib::ChannelRequestFlags(ChannelRef{0, false, false}, true));
  EXPECT_EQ(0xC0001000u, ExtLib::ChannelRequestFlags(ChannelRef{0, false, false}, false));
  EXPECT_EQ(0x00001004u, ExtLib::ChannelRequestFlags(ChannelRef{0, false, true}, true));
  EXPECT_EQ(0x80001004u, ExtLib::ChannelRequestFlags(ChannelRef{0, false, true}, false));
  EXPECT_EQ(0x00001001u, ExtLib::ChannelRequestFlags(ChannelRef{0, true, false}, true));
}

}  // namespace
