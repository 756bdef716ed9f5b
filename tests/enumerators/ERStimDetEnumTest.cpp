// The stimulus detector through the enumerator template: a source that is not a channel, stimuli around
// the 100000-tick chunks read in pieces, and a settings text with a value that cannot be read.
#include "enumerators/erstimdet/ERStimDet.h"

#include <gtest/gtest.h>

#include <locale>
#include <sstream>

#include "tests/enumerators/DetectorHarness.h"

using namespace ZR::Enum;

namespace {

ComPtr<ICalcEnum> MakeStimDetector(const wchar_t* settings) {
  ComPtr<ICalcEnum> detector;
  detector.Attach(new ERStimDetEnumerator(nullptr, nullptr));
  uint32_t kind = 0;
  EXPECT_EQ(detector->LoadSettings(QOR::String(settings).GetInterface(), &kind), S_OK);
  return detector;
}

// Pulses of 10 over 4 ticks starting at each tick.
std::vector<float> Pulses(int32_t length, const std::vector<int32_t>& starts) {
  std::vector<float> samples(static_cast<size_t>(length), 0.0f);
  for (const int32_t start : starts)
    for (int32_t t = start; t < start + 4 && t < length; ++t) samples[static_cast<size_t>(t)] = 10.0f;
  return samples;
}

}  // namespace

TEST(ERStimDetEnum, SourceThatIsNotAChannelEndsTheRecord) {
  ComPtr<ICalcEnum> detector = MakeStimDetector(L"0 5");
  ComPtr<ICalcEnum> other = harness::MakeDetector(L"0 0.5 -1");
  IUnknown* sources[] = {other.Get()};
  ASSERT_EQ(detector->SetSources(0, 1, sources, nullptr, harness::kTickPeriod, 0), S_OK);
  EventPkStm buffer[8];
  int32_t returned = -1, next = -1;
  EXPECT_EQ(harness::Events(detector.Get())->Next(sizeof buffer, 0x7FFFFFFF, buffer, &returned, &next), S_FALSE);
  EXPECT_EQ(returned, 0);
  EXPECT_EQ(next, 0x7FFFFFFF);
}

// Stimuli just before, across and after the chunk boundaries: one pass, reads that stop at end ticks in
// every chunk, and data arriving while sampling all give the same stimuli.
TEST(ERStimDetEnum, StopsAndResumesAcrossChunks) {
  const std::vector<int32_t> starts{99990, 99998, 150000, 199999, 250000};
  const std::vector<float> samples = Pulses(300000, starts);
  ComPtr<ICalcEnum> whole = MakeStimDetector(L"0 5");
  harness::SetChannel(whole.Get(), harness::MakeChannel(samples));
  const std::vector<int32_t> expected = harness::Ticks(harness::Drain(harness::Events(whole.Get()).Get()));
  ASSERT_EQ(expected.size(), starts.size());
  for (size_t i = 0; i < starts.size(); ++i) {
    EXPECT_GE(expected[i], starts[i]);
    EXPECT_LT(expected[i], starts[i] + 4);
  }

  ComPtr<ICalcEnum> pieces = MakeStimDetector(L"0 5");
  harness::SetChannel(pieces.Get(), harness::MakeChannel(samples));
  ComPtr<IEnumEventEx> events = harness::Events(pieces.Get());
  std::vector<int32_t> ticks;
  for (const int32_t end : {99991, 99999, 100000, 100001, 170000, 200000, 200001, 0x7FFFFFFF}) {
    const std::vector<int32_t> more = harness::Ticks(harness::Drain(events.Get(), end));
    ticks.insert(ticks.end(), more.begin(), more.end());
  }
  EXPECT_EQ(ticks, expected);

  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, false);
  ComPtr<ICalcEnum> online = MakeStimDetector(L"0 5");
  harness::SetChannel(online.Get(), channel, 0, true);
  ComPtr<IEnumEventEx> onlineEvents = harness::Events(online.Get());
  ticks.clear();
  int32_t appended = 0;
  for (const int32_t upTo : {99992, 100000, 100001, 199999, 200001, 300000}) {
    channel->Append(samples.data() + appended, upTo - appended);
    appended = upTo;
    const std::vector<int32_t> more = harness::Ticks(harness::Drain(onlineEvents.Get()));
    ticks.insert(ticks.end(), more.begin(), more.end());
  }
  channel->Complete();
  const std::vector<int32_t> rest = harness::Ticks(harness::Drain(onlineEvents.Get()));
  ticks.insert(ticks.end(), rest.begin(), rest.end());
  EXPECT_EQ(ticks, expected);
}

// A value that cannot be read takes its default, and so does everything after it in the text.
TEST(ERStimDetEnum, UnreadableParameterTakesItsDefault) {
  ERStimDet::Params p;
  std::wistringstream in(L"8 abc 3 4 1 2 5");
  in.imbue(std::locale::classic());
  p.Load(in);
  EXPECT_EQ(8.0, p.height);
  EXPECT_EQ(ERStimDet::StimDetParams::kDefaultWidthMs, p.widthMs);
  EXPECT_EQ(0.0, p.skipMs);
  EXPECT_EQ(0.0, p.minGapMs);
  EXPECT_FALSE(p.oneStimPerBlock);
  EXPECT_EQ(0, p.startRecord);
  EXPECT_EQ(0, p.startTick);
}
