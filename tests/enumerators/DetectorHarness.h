// Builds a cardiac peak detector over an in-memory channel of the stand-in host and drains its events.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/String.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"
#include "base/EventRecords.h"
#include "host/data/ChannelSampleSource.h"
#include "hostapi/CalcEnum.h"
#include "hostclient/ComPtr.h"
#include "tests/support/CardiacSignal.h"

namespace harness {

inline constexpr double kTickPeriod = 0.001;

inline std::shared_ptr<host::ChannelRecord> MakeChannel(const std::vector<float>& samples, bool complete = true) {
  auto channel = std::make_shared<host::ChannelRecord>(1, 1000, complete);
  channel->Append(samples.data(), static_cast<int32_t>(samples.size()));
  return channel;
}

// A detector with the given settings text ("leading minHeight minWidth [limits]"), not yet given sources.
inline ComPtr<ICalcEnum> MakeDetector(const wchar_t* settings) {
  ComPtr<ICalcEnum> detector;
  detector.Attach(new ZR::Enum::CAPPeakDetEnumerator(nullptr, nullptr));
  uint32_t kind = 0;
  EXPECT_EQ(detector->LoadSettings(QOR::String(settings).GetInterface(), &kind), S_OK);
  return detector;
}

// Gives the detector a fresh cursor over channel for record.
inline void SetChannel(ICalcEnum* detector, const std::shared_ptr<host::ChannelRecord>& channel, int32_t record = 0,
                       bool online = false) {
  ComPtr<ISampleSource> source;
  ASSERT_EQ(host::CreateChannelSampleSource(channel, 0, 0x7FFFFFFF, source.Out()), S_OK);
  IUnknown* sources[] = {source.Get()};
  ASSERT_EQ(detector->SetSources(record, 1, sources, nullptr, kTickPeriod, online ? kCalcEnumOnline : 0u), S_OK);
}

inline ComPtr<IEnumEventEx> Events(ICalcEnum* detector) {
  ComPtr<IEnumEventEx> events;
  EXPECT_EQ(detector->QueryInterface(IID_IEnumEventEx, events.OutVoid()), S_OK);
  return events;
}

// Calls Next up to endTick until it returns nothing more now (online) or S_FALSE (end of record).
inline std::vector<EventPkStm> Drain(IEnumEventEx* events, int32_t endTick = 0x7FFFFFFF, HRESULT* last = nullptr) {
  std::vector<EventPkStm> found;
  for (int guard = 0; guard < 100000; ++guard) {
    EventPkStm buffer[8];
    int32_t returned = -1;
    int32_t next = -1;
    const HRESULT hr = events->Next(sizeof buffer, endTick, buffer, &returned, &next);
    found.insert(found.end(), buffer, buffer + returned);
    if (last) *last = hr;
    if (hr != S_OK || returned == 0) break;
  }
  return found;
}

inline std::vector<int32_t> Ticks(const std::vector<EventPkStm>& events) {
  std::vector<int32_t> ticks;
  for (const EventPkStm& event : events) ticks.push_back(event.tick);
  return ticks;
}

// Baseline 0 with a triangle of height 1 (half width 5 ticks) at each peak tick.
inline std::vector<float> Triangles(int32_t length, const std::vector<int32_t>& peaks) {
  std::vector<float> samples(static_cast<size_t>(length), 0.0f);
  for (const int32_t peak : peaks) {
    for (int32_t d = -5; d <= 5; ++d) {
      const int32_t t = peak + d;
      if (t >= 0 && t < length) samples[static_cast<size_t>(t)] = 1.0f - 0.2f * static_cast<float>(d < 0 ? -d : d);
    }
  }
  return samples;
}

}  // namespace harness
