// How the event reader tells a nested enumerator where the run starts: the module's template enumerators
// directly, any other enumerator by a search of the one tick.
#include <gtest/gtest.h>

#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EventWrapper.h"
#include "tests/enumerators/DetectorHarness.h"

namespace {

// A hand-written enumerator without events that records the start tick and the searches it is given.
class SpyEnumerator final : public CalcEnums::CalcEnumEventBase {
 public:
  SpyEnumerator() : CalcEnumEventBase(nullptr, nullptr) {}

  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString*, uint32_t*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, ICalcEnum**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSources(int32_t, int32_t, IUnknown**, IUnknown**, double, uint32_t) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override {
    startTicks.push_back(tick);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double*, IUnknown**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Next(int32_t, int32_t, void*, int32_t* returned, int32_t* next) noexcept override {
    *returned = 0;
    *next = 0x7FFFFFFF;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override {
    finds.push_back({backward, tick, start, end});
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    *tick = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    *bytes = static_cast<int32_t>(sizeof(EventPkStm));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override {
    *typeId = 0;
    return S_OK;
  }

  std::vector<int32_t> startTicks;
  std::vector<std::vector<int32_t>> finds;
};

}  // namespace

TEST(EventWrapper, StartTickSearchesTheOneTickInOtherEnumerators) {
  ComPtr<SpyEnumerator> spy;
  spy.Attach(new SpyEnumerator());
  {
    EEH3::EventWrapperEx<EventPkStm> reader(static_cast<ICalcEnum*>(spy.Get()));
    reader.SetStartTick(250);
  }
  EXPECT_TRUE(spy->startTicks.empty());
  EXPECT_EQ(spy->finds, (std::vector<std::vector<int32_t>>{{0, 250, 250, 251}}));
}

TEST(EventWrapper, StartTickGoesDirectlyToTheModulesTemplateEnumerators) {
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(detector.Get(), harness::MakeChannel(harness::Triangles(1000, {100, 300})));
  EEH3::EventWrapperEx<EventPkStm> reader(detector.Get());
  // Given directly, the detector stands at the start tick itself.
  reader.SetStartTick(90);
  ComPtr<IEnumEventEx> events = harness::Events(detector.Get());
  int32_t position = -1;
  ASSERT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 90);
}
