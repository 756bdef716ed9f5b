// What the analysis-while-sampling and notification tests share: a view that notes what the
// document asks of it, the cardiac recording, and the document opened over a stand-in data file.
#pragma once

#include "document/CycleDetector.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "enumerators/framework/EnumeratorClassList.h"
#include "host/data/HostDocument.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/view/CustomDocuments.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/FrameworkAccess.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/support/CardiacSignal.h"
#include "views/ZRViewBase.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace doctest {

using host::HostPtr;
using ZR::Doc::ZRDoc;

// A view that notes its refreshes and the rows it is asked to select.
class NotingView final : public ZRViewBase {
 public:
  NotingView(int slot, std::vector<std::string>& log)
      : ZRViewBase(nullptr, nullptr, nullptr, nullptr, nullptr), mSlot(slot), mLog(log) {}
  int DocumentSlot() const noexcept override { return mSlot; }
  void Refresh() override { mLog.push_back("refresh " + std::to_string(mSlot)); }
  void SelectEventRow(uint32_t event) override { mLog.push_back("select " + std::to_string(event)); }

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

inline host::Recording CardiacRecording(int32_t records, int32_t ticks) {
  host::Recording recording;
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  const std::vector<float> signal = testsupport::CardiacSignal(ticks, 1000.0);
  for (int32_t r = 0; r < records; ++r) {
    host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
    record.samples[0]->Append(signal.data(), ticks);
    record.length = ticks;
    recording.records.push_back(std::move(record));
  }
  return recording;
}

class SamplingDocumentTest : public DocumentTest {
 protected:
  static void SetUpTestSuite() {
    DocumentTest::SetUpTestSuite();
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    CalcEnums::RegisterEnumeratorClasses(registry);
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClass(registry, GetTypeRegistry()));
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
  }
  void TearDown() override {
    if (mHost) mHost->CloseChildDocuments();
  }

  // The document over recording with the given settings; without any, the Cardiac Action
  // Potential type, no width filter and peaks at least 10 ms wide.
  ZRDoc& Open(host::Recording recording, std::vector<std::pair<int32_t, const wchar_t*>> settings) {
    if (mHost) mHost->CloseChildDocuments();
    mData = host::DataDocument::Create(std::move(recording));
    mHost = host::HostDocument::Create(mData);
    HostPtr<ICustomDocument2> document;
    EXPECT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, document));
    mDoc.Attach(ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    if (settings.empty() || settings[0].first == 2009) settings.insert(settings.begin(), {{2000, L"1"}, {1036, L"f"}, {1001, L"10"}});
    for (const auto& [id, text] : settings) EXPECT_EQ(S_OK, mDoc->SetSettingText(id, text)) << id;
    return *mDoc.Get();
  }
  // Every event of the document's detector as bytes.
  std::vector<std::string> Events() {
    std::vector<std::string> events;
    const ZR::Doc::CycleDetector* detector = mDoc->GetCycleDetector();
    for (int32_t n = 0; n < detector->EventCount(); ++n) events.push_back(EventBytes(detector->GetEvent(n)));
    return events;
  }
  std::vector<std::string> Offline(const host::Recording& recording, const std::vector<std::pair<int32_t, const wchar_t*>>& extra) {
    ZRDoc& doc = Open(recording, extra);
    EXPECT_TRUE(doc.RunAnalysis(false, true));
    return Events();
  }
  // The recording sampled into an empty data file of its channels, the document analysing.
  ZRDoc& OpenEmptyOnline(const host::Recording& recording, const std::vector<std::pair<int32_t, const wchar_t*>>& extra = {}) {
    host::Recording empty;
    empty.channels = recording.channels;
    std::vector<std::pair<int32_t, const wchar_t*>> settings = extra;
    settings.emplace_back(2009, L"t");
    return Open(std::move(empty), settings);
  }
  std::vector<std::string> Online(const host::Recording& recording, int32_t batch,
                                  const std::vector<std::pair<int32_t, const wchar_t*>>& extra) {
    OpenEmptyOnline(recording, extra);
    EXPECT_EQ(S_OK, host::SampleRecording(mData.Get(), recording, batch));
    return Events();
  }

  HostPtr<host::DataDocument> mData;
  HostPtr<host::HostDocument> mHost;
  HostPtr<ZRDoc> mDoc;
};

}  // namespace doctest
