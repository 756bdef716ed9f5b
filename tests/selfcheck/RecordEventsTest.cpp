// Reading a record's events through a getter, 100 per call, and the stored Next call of the
// online checks; over an enumerator that hands out a chosen number of events.
#include <gtest/gtest.h>

#include "enumerators/framework/EventEnumDataGetter.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/data/Sampler.h"
#include "selfcheck/NextCaller.h"
#include "selfcheck/RecordEvents.h"
#include "tests/support/InertEnumerator.h"
#include "tests/support/TestEnumClass.h"

#include <functional>
#include <memory>
#include <vector>

namespace {

struct CounterPlan {
  int32_t events = 0;         // events in the record
  bool answersEvents = true;  // false: the enumerator has no IEnumEventEx
  int32_t overclaim = 0;      // added to every count Next reports
  int32_t calls = 0;          // Next calls seen
};

// Hands out plan.events detector records at ticks 10, 20, ... as the buffer allows.
class CountingEnumerator final : public testing_support::InertEnumerator {
 public:
  explicit CountingEnumerator(std::shared_ptr<CounterPlan> plan) : mPlan(std::move(plan)) {}
  HRESULT STDMETHODCALLTYPE SetSources(int32_t, int32_t, IUnknown**, IUnknown**, double, uint32_t) noexcept override {
    mHanded = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Next(int32_t bytes, int32_t, void* buffer, int32_t* returned,
                                 int32_t* next) noexcept override {
    ++mPlan->calls;
    const int32_t n = std::min<int32_t>(bytes / static_cast<int32_t>(sizeof(EventPkStm)), mPlan->events - mHanded);
    auto* const records = static_cast<EventPkStm*>(buffer);
    for (int32_t i = 0; i < n; ++i) {
      records[i] = EventPkStm();
      records[i].tick = 10 * (mHanded + i + 1);
    }
    mHanded += n;
    *returned = n > 0 ? n + mPlan->overclaim : 0;
    *next = mHanded == mPlan->events ? kEnumRecordEnd : 10 * mHanded + 1;
    return n > 0 ? S_OK : S_FALSE;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (!mPlan->answersEvents && IsEqualIID(iid, IID_IEnumEventEx)) return nullptr;
    return InertEnumerator::FindInterface(iid);
  }
  std::shared_ptr<CounterPlan> mPlan;
  int32_t mHanded = 0;
};

// {2A0F41B5-8C3E-4D57-9E61-0B7C5D2E9F34}: the counting class's id in the type registry (tests only).
constexpr GUID kCounterGuid = {0x2A0F41B5, 0x8C3E, 0x4D57, {0x9E, 0x61, 0x0B, 0x7C, 0x5D, 0x2E, 0x9F, 0x34}};

class RecordEventsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
    sPlan = new std::shared_ptr<CounterPlan>(std::make_shared<CounterPlan>());
    const std::shared_ptr<CounterPlan> plan = *sPlan;
    sTypeId = testing_support::RegisterTestEnumClass(kCounterGuid, 0, L"Counter",
                                                     [plan] { return new CountingEnumerator(plan); });
    ASSERT_NE(0u, sTypeId);
  }
  void SetUp() override {
    **sPlan = CounterPlan();
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Signal", L"V", L""});
    mDocument = host::DataDocument::Create(std::move(recording));
    host::Sampler sampler(mDocument.Get());
    ASSERT_EQ(S_OK, sampler.Start());
    ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
    ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(3000, 0.0f)}));
    ASSERT_EQ(S_OK, sampler.Stop());
  }
  IUnknown* Document() const { return static_cast<IHostDataDocument*>(mDocument.Get()); }
  static CounterPlan& Plan() { return **sPlan; }

  static uint32_t sTypeId;
  static std::shared_ptr<CounterPlan>* sPlan;
  host::HostPtr<host::DataDocument> mDocument;
};

uint32_t RecordEventsTest::sTypeId = 0;
std::shared_ptr<CounterPlan>* RecordEventsTest::sPlan = nullptr;

}  // namespace

TEST_F(RecordEventsTest, ReadsAHundredPerCallUntilOneReturnsNone) {
  struct Case {
    int32_t events;
    int32_t calls;
  };
  for (const Case c : {Case{0, 1}, Case{100, 2}, Case{250, 4}}) {
    Plan() = CounterPlan();
    Plan().events = c.events;
    ExtLib::EventEnumDataGetter getter(Document(), ExtLib::kGetterOffline);
    ASSERT_TRUE(getter.CreateEnum(sTypeId, L"Counter()"));
    std::vector<EventPkStm> vec(3);  // emptied first
    ASSERT_TRUE(SelfCheck::EventEnumDataGetter::GetRecordData(getter, 0, vec)) << c.events;
    EXPECT_EQ(static_cast<size_t>(c.events), vec.size());
    EXPECT_EQ(c.calls, Plan().calls) << c.events;
    if (!vec.empty()) {
      EXPECT_EQ(10 * c.events, vec.back().tick);
    }
    // The run is over: the same getter takes sources again.
    EXPECT_FALSE(getter.Started());
    EXPECT_TRUE(getter.SetSources(true, TickPosition(0, 0)));
  }
}

TEST_F(RecordEventsTest, EndsTheRunOnEveryFailure) {
  Plan().events = 5;
  Plan().overclaim = 200;  // a count the buffer of 100 records cannot have held
  ExtLib::EventEnumDataGetter getter(Document(), ExtLib::kGetterOffline);
  ASSERT_TRUE(getter.CreateEnum(sTypeId, L"Counter()"));
  std::vector<EventPkStm> vec;
  EXPECT_FALSE(SelfCheck::EventEnumDataGetter::GetRecordData(getter, 0, vec));
  EXPECT_FALSE(getter.Started());

  Plan() = CounterPlan();
  Plan().answersEvents = false;
  ExtLib::EventEnumDataGetter noEvents(Document(), ExtLib::kGetterOffline);
  ASSERT_TRUE(noEvents.CreateEnum(sTypeId, L"Counter()"));
  EXPECT_FALSE(SelfCheck::EventEnumDataGetter::GetRecordData(noEvents, 0, vec));
  EXPECT_TRUE(vec.empty());
  EXPECT_FALSE(noEvents.Started());

  // No document: the sources cannot be set, and nothing was started.
  ExtLib::EventEnumDataGetter missing(static_cast<IUnknown*>(nullptr), ExtLib::kGetterOffline);
  ASSERT_TRUE(missing.CreateEnum(sTypeId, L"Counter()"));
  EXPECT_FALSE(SelfCheck::EventEnumDataGetter::GetRecordData(missing, 0, vec));
  EXPECT_FALSE(missing.Started());
}

TEST_F(RecordEventsTest, NextCallerRunsAsTheGettersStopCallback) {
  Plan().events = 3;
  EventPkStm buffer[2];
  int32_t nRetd = -1;
  int32_t nut = -1;
  HRESULT hr = E_UNEXPECTED;
  SelfCheck::NextCaller caller{buffer, &nRetd, &nut, &hr, static_cast<int32_t>(sizeof buffer), nullptr};
  // The getter calls the check's own caller, which gets its enumerator once that exists.
  ExtLib::EventEnumDataGetter getter(Document(), std::ref(caller), ExtLib::kGetterRegistersAsSink);
  ASSERT_TRUE(getter.CreateEnum(sTypeId, L"Counter()"));
  getter.OnRecordEnd(0, 3000);
  EXPECT_EQ(E_POINTER, hr);
  const QOR::ComPtr<IEnumEventEx> events = getter.GetEventEnum();
  caller.enumerator = events.Get();
  ASSERT_TRUE(getter.SetSources(false, TickPosition(0, 0)));
  getter.OnRecordEnd(0, 3000);
  EXPECT_FALSE(getter.Started());  // the record's end also ends the run
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(2, nRetd);
  EXPECT_EQ(20, buffer[1].tick);
  EXPECT_EQ(21, nut);
}
