// The preview pane over the stand-in host: switching between the recorded data and live
// sampling, pausing, losing the sampling control, failed starts shown through the host, and
// the trace bar's wish to show the source trace alone.
#include "drawing/PreviewDataPane.h"

#include "host/app/HostFramework.h"
#include "host/framework/HostObservation.h"
#include "host/data/PreviewPaneSource.h"
#include "host/data/SamplingControl.h"
#include "hostapi/ObserverRegistry.h"
#include "hostclient/FrameworkAccess.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace ScrivoDraw;

namespace {

// A pane without a window: no bars.
class Pane final : public PreviewDataPane {
 public:
  using PreviewDataPane::PreviewDataPane;
};

// Hears the pane's subject: the announcement's id, its live flag and its source.
class ModeObserver final : public IObserver {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE RegisterWith(IObserverSubscription*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Notify(uint32_t, uint32_t eventId, uint32_t, const void* data) override {
    const auto* words = static_cast<const uintptr_t*>(data);
    heard.push_back({eventId, static_cast<uint32_t>(words[0]), reinterpret_cast<IUnknown*>(words[1])});
    return S_OK;
  }
  struct Heard {
    uint32_t id;
    uint32_t live;
    IUnknown* source;
  };
  std::vector<Heard> heard;
};

class PreviewDataPaneTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    lumo_observe::Clear();
    auto document = testsupport::MakeDataDocument({400}, 0.001, [](int32_t, int32_t i) { return i * 0.5f; });
    device = host::SamplingControl::Create(document->Data());
    recorded = host::PreviewPaneSource::Create(document);
    const int64_t position = 300;
    pane = QOR::ComPtr<Pane>(new Pane());
    pane->SetDataSource(0, recorded.Get(), &position);
  }
  bool Sampling() {
    VARIANT_BOOL on = VARIANT_FALSE;
    device->IsSampling(&on);
    return on != VARIANT_FALSE;
  }
  std::vector<std::wstring> Boxes() {
    std::vector<std::wstring> texts;
    lumo_observe::MessageBoxSeen seen;
    for (uint32_t i = 0; lumo_observe::GetMessageBox(i, seen); ++i) texts.push_back(seen.text + L" | " + seen.caption);
    return texts;
  }

  host::HostPtr<host::SamplingControl> device;
  host::HostPtr<host::PreviewPaneSource> recorded;
  QOR::ComPtr<Pane> pane;
};

}  // namespace

TEST_F(PreviewDataPaneTest, ModesSwitchBetweenRecordedAndLiveData) {
  EXPECT_EQ(0, pane->SetMode(kModeSampling));  // no sampling control yet
  EXPECT_EQ(kModeRecorded, pane->Mode());
  ASSERT_EQ(S_OK, pane->SetSamplingSource(device.Get()));
  EXPECT_EQ(S_OK, pane->SetMode(kModeSampling));
  EXPECT_EQ(kModeSampling, pane->Mode());
  EXPECT_TRUE(Sampling());
  ASSERT_NE(nullptr, pane->OnlineSink());
  EXPECT_EQ(pane->OnlineSink(), pane->DataSource());
  EXPECT_EQ(1, device->PrepareCount());
  EXPECT_EQ(kModeAgain, pane->SetMode(kModeSampling));  // the second press does nothing
  EXPECT_EQ(1, device->PrepareCount());
  EXPECT_EQ(S_OK, device->Deliver(37));
  EXPECT_EQ(S_OK, pane->SetMode(kModePaused));
  EXPECT_FALSE(Sampling());
  EXPECT_EQ(S_FALSE, pane->SetMode(kModeAgain));  // stops again and stays paused
  EXPECT_EQ(kModePaused, pane->Mode());
  EXPECT_EQ(pane->OnlineSink(), pane->DataSource());  // the paused picture stays
  EXPECT_EQ(S_OK, pane->SetMode(kModeSampling));      // the same sink goes on
  EXPECT_EQ(S_FALSE, pane->StartSampling());
  EXPECT_EQ(S_OK, pane->StopSampling());
  EXPECT_EQ(S_FALSE, pane->StopSampling());
  pane->SetMode(kModeRecorded);
  EXPECT_EQ(nullptr, pane->OnlineSink());
  EXPECT_EQ(static_cast<IPaneDataSource*>(recorded.Get()), pane->DataSource());
  EXPECT_EQ(0u, device->HookCount());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(PreviewDataPaneTest, ClearingTheSamplingControlReturnsToTheRecordingWhereItWas) {
  pane->SetSamplingSource(device.Get());
  const int64_t before = pane->ScrollPos();
  ASSERT_EQ(S_OK, pane->SetMode(kModeSampling));
  device->Deliver(5);
  device->Deliver(11);
  ASSERT_EQ(S_OK, pane->SetSamplingSource(nullptr));
  EXPECT_EQ(kModeRecorded, pane->Mode());
  EXPECT_FALSE(Sampling());
  EXPECT_EQ(0u, device->HookCount());
  EXPECT_EQ(static_cast<IPaneDataSource*>(recorded.Get()), pane->DataSource());
  EXPECT_EQ(before, pane->ScrollPos());
  EXPECT_EQ(0, pane->SetMode(kModeSampling));
}

TEST_F(PreviewDataPaneTest, FailedStartShowsTheHostsTextButNeverADeclinedOne) {
  pane->SetSamplingSource(device.Get());
  device->SetUserDeclines(true);
  EXPECT_EQ(kSamplingDeclined, pane->SetMode(kModeSampling));
  EXPECT_TRUE(Boxes().empty());
  pane->SetMode(kModeRecorded);
  device->SetUserDeclines(false);
  device->SetConnected(false);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NOT_READY), pane->SetMode(kModeSampling));
  EXPECT_EQ(std::vector<std::wstring>{L"No sampling device is connected. | Kymora"}, Boxes());
  // A recorded source that cannot make online sinks: the module's own text.
  lumo_observe::Clear();
  host::HostPtr<host::PaneDataSource> plain(new host::PaneDataSource(testsupport::MakeDataDocument({50}, 0.001)),
                                             false);
  QOR::ComPtr<Pane> other(new Pane(plain.Get()));
  other->SetSamplingSource(device.Get());
  EXPECT_TRUE(FAILED(other->SetMode(kModeSampling)));
  EXPECT_EQ(kModeRecorded, other->Mode());
  EXPECT_EQ(std::vector<std::wstring>{L"Cannot start sampling | Kymora"}, Boxes());
}

TEST_F(PreviewDataPaneTest, SettingTheRecordedSourceDropsTheOnlineSink) {
  pane->SetSamplingSource(device.Get());
  pane->SetMode(kModeSampling);
  pane->SetMode(kModePaused);
  ASSERT_EQ(1u, device->HookCount());
  pane->SetDataSource(0, recorded.Get(), nullptr);
  EXPECT_EQ(0u, device->HookCount());
  EXPECT_EQ(nullptr, pane->OnlineSink());
  EXPECT_EQ(E_FAIL, pane->StartSampling());
}

TEST_F(PreviewDataPaneTest, SourceOnlyAsksTheCallbackAndAnswersTrueWithout) {
  std::vector<bool> asked;
  EXPECT_TRUE(pane->AskAllowed(false));
  pane->SetLaneCount(1);
  pane->SetAllowCallback([&](bool allowed) {
    asked.push_back(allowed);
    return false;
  });
  pane->TraceAction(kTraceSourceOnly, 1);
  pane->TraceAction(kTraceSourceOnly, 2);
  pane->TraceAction(kTraceSourceOnly, 0);
  EXPECT_EQ((std::vector<bool>{false, true}), asked);
  EXPECT_FALSE(pane->AskAllowed(true));
}

TEST_F(PreviewDataPaneTest, PreviewModeIsAnnouncedWithTheSourceShown) {
  IObserverRegistry* const registry = GetObserverRegistry();
  ASSERT_NE(nullptr, registry);
  ModeObserver observer;
  IUnknown* const subject = static_cast<IOnlineDataSink*>(pane.Get());
  ASSERT_EQ(S_OK, registry->AttachToSubject(subject, &observer));
  pane->SetSamplingSource(device.Get());
  pane->SetMode(kModeSampling);
  pane->AnnouncePreviewMode(true);
  pane->SetMode(kModeRecorded);
  pane->AnnouncePreviewMode(false);
  registry->DetachFromSubject(subject, &observer);
  ASSERT_EQ(2u, observer.heard.size());
  EXPECT_EQ(observer.heard[0].id, observer.heard[1].id);
  EXPECT_EQ(0u, observer.heard[0].id & 0xFFFFu);  // the message's type id in the high word
  EXPECT_EQ(1u, observer.heard[0].live);
  EXPECT_NE(nullptr, observer.heard[0].source);
  EXPECT_EQ(0u, observer.heard[1].live);
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<IPaneDataSource*>(recorded.Get())), observer.heard[1].source);
}
