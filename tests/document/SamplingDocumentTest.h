// What the analysis-while-sampling and notification tests share: a view that notes what the
// document asks of it and the document opened over any recording with chosen settings.
#pragma once

#include "host/data/Sampler.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace doctest {

// A view that notes its refreshes and the rows it is asked to select.
class SamplingView final : public ZR::Doc::DocumentView {
 public:
  SamplingView(int slot, std::vector<std::string>& log) : mSlot(slot), mLog(log) {}
  int DocumentSlot() const noexcept override { return mSlot; }
  void Refresh() override { mLog.push_back("refresh " + std::to_string(mSlot)); }
  void SelectEventRow(uint32_t event) override { mLog.push_back("select " + std::to_string(event)); }
  void InvalidateWindow() override {}

 private:
  int mSlot;
  std::vector<std::string>& mLog;
};

// One event as bytes: the whole measurement record, its record and its index in the record.
inline std::string EventBytes(const ZR::Doc::CycleEvent& event) {
  std::string bytes(reinterpret_cast<const char*>(&event.record), sizeof(event.record));
  bytes.append(reinterpret_cast<const char*>(&event.recordIndex), sizeof(int32_t));
  bytes.append(reinterpret_cast<const char*>(&event.indexInRecord), sizeof(int32_t));
  return bytes;
}

using Settings = std::vector<std::pair<int32_t, const wchar_t*>>;

class SamplingDocumentTest : public ZRDocTest {
 protected:
  // The document over recording with the given settings; without any (or with only analysis
  // while sampling), the Cardiac Action Potential type, no width filter and peaks at least
  // 10 ms wide.
  ZRDoc& OpenRecording(host::Recording recording, Settings settings) {
    if (mHost) mHost->CloseChildDocuments();
    mData = host::DataDocument::Create(std::move(recording));
    mHost = host::HostDocument::Create(mData);
    EXPECT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, mDocument));
    mDoc.Attach(ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    if (settings.empty() || settings[0].first == 2009)
      settings.insert(settings.begin(), {{2000, L"1"}, {1036, L"f"}, {1001, L"10"}});
    for (const auto& [id, text] : settings) Set(id, text);
    return *mDoc.Get();
  }
  // Every event of the document's detector as bytes.
  std::vector<std::string> EventRecords() {
    std::vector<std::string> events;
    const ZR::Doc::CycleDetector* detector = mDoc->GetCycleDetector();
    for (int32_t n = 0; n < detector->EventCount(); ++n) events.push_back(EventBytes(detector->GetEvent(n)));
    return events;
  }
  std::vector<std::string> Offline(const host::Recording& recording, const Settings& settings) {
    ZRDoc& doc = OpenRecording(recording, settings);
    EXPECT_TRUE(doc.RunAnalysis(false, true));
    return EventRecords();
  }
  // An empty data file with the recording's channels, analysed while sampling.
  ZRDoc& OpenEmptyOnline(const host::Recording& recording, Settings settings = {}) {
    host::Recording empty;
    empty.channels = recording.channels;
    settings.emplace_back(2009, L"t");
    return OpenRecording(std::move(empty), settings);
  }
  // The recording sampled into that data file in batches while the document analyses it.
  std::vector<std::string> Online(const host::Recording& recording, int32_t batch, const Settings& settings) {
    OpenEmptyOnline(recording, settings);
    EXPECT_EQ(S_OK, host::SampleRecording(mData.Get(), recording, batch));
    return EventRecords();
  }
};

}  // namespace doctest
