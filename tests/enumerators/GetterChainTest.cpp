// What the getter hands the chain it made: record, start tick, tick period, chain flags per mode and one
// "V" units object per source; and the units object an enumerator answers for its value.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "enumerators/framework/EventEnumDataGetter.h"
#include "host/app/HostFramework.h"
#include "host/common/HostObject.h"
#include "host/data/DataDocument.h"
#include "host/data/Sampler.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/HostUnits.h"
#include "tests/enumerators/DetectorHarness.h"
#include "tests/support/InertEnumerator.h"
#include "tests/support/TestEnumClass.h"

namespace {

// What the spy enumerator was given.
struct ChainLog {
  int32_t record = -1;
  int32_t count = -1;
  std::vector<std::wstring> units;
  double tickPeriod = 0.0;
  uint32_t flags = 0x12345678u;
  std::vector<int32_t> startTicks;
};

std::wstring UnitText(IUnknown* unit) {
  if (!unit) return L"(none)";
  IHostUnit* hostUnit = nullptr;
  if (FAILED(unit->QueryInterface(IID_IHostUnit, reinterpret_cast<void**>(&hostUnit))) || !hostUnit)
    return L"(not a unit)";
  BSTR text = nullptr;
  std::wstring result = SUCCEEDED(hostUnit->GetText(&text)) && text ? std::wstring(text) : L"(no text)";
  SysFreeString(text);
  hostUnit->Release();
  return result;
}

class SpyChain final : public testing_support::InertEnumerator {
 public:
  explicit SpyChain(std::shared_ptr<ChainLog> log) : mLog(std::move(log)) {}
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown**, IUnknown** units,
                                       double tickPeriod, uint32_t flags) noexcept override {
    mLog->record = record;
    mLog->count = count;
    mLog->units.clear();
    for (int32_t i = 0; i < count; ++i) mLog->units.push_back(units ? UnitText(units[i]) : L"(no array)");
    mLog->tickPeriod = tickPeriod;
    mLog->flags = flags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override {
    mLog->startTicks.push_back(tick);
    return S_OK;
  }

 private:
  std::shared_ptr<ChainLog> mLog;
};

// {6F1B33C2-5A40-4E8B-9D1E-2C7A54E0B611}: the spy class's id in the type registry (tests only).
constexpr GUID kSpyClassGuid = {0x6F1B33C2, 0x5A40, 0x4E8B, {0x9D, 0x1E, 0x2C, 0x7A, 0x54, 0xE0, 0xB6, 0x11}};

class GetterChainTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
    sLog = new std::shared_ptr<ChainLog>(std::make_shared<ChainLog>());
    const std::shared_ptr<ChainLog> log = *sLog;
    sTypeId = testing_support::RegisterTestEnumClass(kSpyClassGuid, 1, L"SpyChain", [log] { return new SpyChain(log); });
    ASSERT_NE(0u, sTypeId);
  }

  // Record 0 at 1 kHz and record 1 at 500 Hz, both complete.
  static host::HostPtr<host::DataDocument> TwoRecords() {
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Signal", L"V", L""});
    auto doc = host::DataDocument::Create(std::move(recording));
    host::Sampler sampler(doc.Get());
    EXPECT_EQ(S_OK, sampler.Start());
    for (const double period : {0.001, 0.002}) {
      EXPECT_EQ(S_OK, sampler.StartRecord(period));
      EXPECT_EQ(S_OK, sampler.Append({std::vector<float>(2000, 0.0f)}));
      EXPECT_EQ(S_OK, sampler.EndRecord());
    }
    EXPECT_EQ(S_OK, sampler.Stop());
    return doc;
  }

  static ChainLog& Log() { return **sLog; }

  static uint32_t sTypeId;
  static std::shared_ptr<ChainLog>* sLog;
};

uint32_t GetterChainTest::sTypeId = 0;
std::shared_ptr<ChainLog>* GetterChainTest::sLog = nullptr;

}  // namespace

TEST_F(GetterChainTest, ChainGetsTheStartRecordTickPeriodUnitsAndModeFlags) {
  auto doc = TwoRecords();
  struct Case {
    int32_t mode;
    uint32_t flags;
  };
  for (const Case c : {Case{ExtLib::kGetterOffline, 0u}, Case{ExtLib::kGetterOnline, 0xC0000000u},
                       Case{ExtLib::kGetterRegistersAsSink, 0xC0000000u}}) {
    Log() = ChainLog();
    ExtLib::EventEnumDataGetter getter(static_cast<IHostDataDocument*>(doc.Get()), [] {}, c.mode);
    ASSERT_TRUE(getter.CreateEnum(sTypeId, L"SpyChain(ch1)")) << c.mode;
    ASSERT_TRUE(getter.SetSources(true, TickPosition(1, 500))) << c.mode;
    EXPECT_EQ(Log().record, 1) << c.mode;
    EXPECT_EQ(Log().count, 1) << c.mode;
    EXPECT_EQ(Log().units, (std::vector<std::wstring>{L"V"})) << c.mode;
    EXPECT_EQ(Log().tickPeriod, 0.002) << c.mode;
    EXPECT_EQ(Log().flags, c.flags) << c.mode;
    EXPECT_EQ(Log().startTicks, (std::vector<int32_t>{500})) << c.mode;
    getter.Stop();
  }
}

// An enumerator's value comes with a new units object named "?" from the host's units service.
TEST_F(GetterChainTest, EnumeratorValueComesWithAQuestionMarkUnit) {
  ComPtr<ICalcEnum> detector = harness::MakeDetector(L"0 0.5 -1");
  harness::SetChannel(detector.Get(), harness::MakeChannel(std::vector<float>(10, 0.0f)));
  double value = 0.0;
  IUnknown* units = reinterpret_cast<IUnknown*>(1);  // an out pointer's old contents are not released
  ASSERT_EQ(S_OK, detector->GetValueUnits(&value, &units));
  EXPECT_EQ(value, harness::kTickPeriod);
  EXPECT_EQ(UnitText(units), L"?");
  IUnknown* again = nullptr;
  ASSERT_EQ(S_OK, detector->GetValueUnits(&value, &again));
  EXPECT_NE(units, again);  // a new object each time
  if (units) units->Release();
  if (again) again->Release();
}
