// The data pane: lane layout and hit tests, lanes made and removed, the data source and its
// background, the online data sink over the stand-in host's sampling, the drawer services and
// the drag-scale objects.
#include "drawing/DataPane.h"

#include "host/app/HostFramework.h"
#include "host/data/Sampler.h"
#include "host/data/HorizontalScale.h"
#include "host/data/PaneDataSource.h"
#include "hostapi/ObserverRegistry.h"
#include "hostclient/FrameworkAccess.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/drawing/RefusedAllocations.h"
#include "tests/graph/FakeScale.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using ScrivoDraw::DataPane;

namespace {

// A pane that notes the window operations it asks for.
class TestDataPane final : public DataPane {
 public:
  using DataPane::DataPane;
  void InvalidateRect(const RECT& rect, bool erase) noexcept override {
    invalidated.push_back(rect);
    erased = erased || erase;
  }
  void CreateScrollBar() noexcept override { windowCalls.push_back("scroll bar"); }
  void CreateZoomList() noexcept override { windowCalls.push_back("zoom list"); }
  std::vector<RECT> invalidated;
  std::vector<std::string> windowCalls;
  bool erased = false;
};

// Notes what the pane tells it, with a prefix, into a shared log.
class NotingObject final : public ScrivoDraw::InteractiveObject {
 public:
  NotingObject(std::vector<std::string>* log, std::string name) : mLog(log), mName(std::move(name)) {}
  void SamplingStarted() override { Note("start"); }
  void SamplingStopped() override { Note("stop"); }
  void Refresh() override { Note("refresh"); }
  void LaneRemoved(int32_t lane) override { Note("removed " + std::to_string(lane)); }
  void LaneAdded(int32_t lane) override { Note("added " + std::to_string(lane)); }
  void LaneCountChanged(int32_t count) override { Note("count " + std::to_string(count)); }
  void DragScaleAttached(IDragScale*) override { Note("drag scale"); }
  void DragScaleDetached(IDragScale*) override { Note("drag scale gone"); }
  void SourceChanged(IUnknown*, int32_t a, int32_t) override { Note("source " + std::to_string(a)); }

 private:
  void Note(const std::string& what) { mLog->push_back(mName + " " + what); }
  std::vector<std::string>* mLog;
  std::string mName;
};

// A drawer of source 0x201 that draws nothing, keeps no range and asks for no data.
class QuietDrawer : public ScrivoDraw::DrawerBase {
 public:
  QuietDrawer()
      : DrawerBase(0x201, 0x80001000u, ScrivoDraw::ChannelPair{0, 0},
                   {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}) {}
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t, int32_t, const ScrivoDraw::ValueRange*, IUnknown*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Draw(HDC, int64_t, int64_t, ScrivoDraw::DrawOrigin, int32_t, const RECT*, uint32_t, int32_t,
                                 const void*) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
};

// A drawer that notes the sampling it hears.
class SamplingDrawer final : public QuietDrawer {
 public:
  SamplingDrawer(std::vector<std::string>* log, std::string name)
      : mLog(log), mName(std::move(name)) {}
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override {
    *units = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE OnSamplingStart(int32_t) noexcept override { return Note("start"); }
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept override {
    QuietDrawer::OnRecordStart(record, sampling);
    return Note("record " + std::to_string(record));
  }
  HRESULT STDMETHODCALLTYPE OnNewData(int64_t position, int64_t delta, int64_t*) noexcept override {
    Note("data " + std::to_string(position) + " " + std::to_string(delta));
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t, IUnknown*) noexcept override { return Note("end"); }
  HRESULT STDMETHODCALLTYPE OnSamplingStop(int32_t) noexcept override { return Note("stop"); }
  bool HasHostData() const { return mHostData.Get() != nullptr; }

 private:
  HRESULT Note(const std::string& what) {
    if (mLog) mLog->push_back(mName + " " + what);
    return S_OK;
  }
  std::vector<std::string>* mLog;
  std::string mName;
};

// Notes the display mode it is given and which units read-out follows it.
class ModeDrawer final : public QuietDrawer {
 public:
  explicit ModeDrawer(std::vector<std::string>* log)
      : mLog(log) {}
  HRESULT STDMETHODCALLTYPE SetDisplayMode(int32_t mode) noexcept override {
    mLog->push_back("mode " + std::to_string(mode));
    return QuietDrawer::SetDisplayMode(mode);
  }
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t source, int32_t, QOR::IQORString** units,
                                         VARIANT_BOOL*) noexcept override {
    *units = nullptr;
    mLog->push_back("text " + std::to_string(source));
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetUnitsInfo(int32_t source, int32_t, QOR::IQORString** units, VARIANT_BOOL*, double*,
                                         double*, double*) noexcept override {
    *units = nullptr;
    mLog->push_back("info " + std::to_string(source));
    return S_FALSE;
  }

 private:
  std::vector<std::string>* mLog;
};

// Notes the general notifications it hears.
class GeneralObject final : public ScrivoDraw::InteractiveObject {
 public:
  explicit GeneralObject(std::vector<std::string>* log) : mLog(log) {}
  void NotifyGeneral(int32_t a, int32_t b) override { mLog->push_back(std::to_string(a) + " " + std::to_string(b)); }

 private:
  std::vector<std::string>* mLog;
};

// Counts what the pane tells it without allocating; told of a new size, it may meddle with the
// pane's objects: remove the one under a key, add another.
class CountingObject final : public ScrivoDraw::InteractiveObject {
 public:
  void OfferSize(const RECT&, bool*) override {
    ++sizes;
    if (meddle) meddle();
  }
  void DragScaleAttached(IDragScale*) override { ++attached; }
  void DragScaleDetached(IDragScale*) override { ++detached; }
  void ChangeApplied(int32_t) override { ++applied; }
  void PaintBegins() override { ++paints; }
  int sizes = 0, attached = 0, detached = 0, applied = 0, paints = 0;
  std::function<void()> meddle;
};

// Hears the pane's subject.
class SubjectObserver final : public IObserver {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE RegisterWith(IObserverSubscription*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Notify(uint32_t, uint32_t eventId, uint32_t, const void* data) override {
    const auto* words = static_cast<const uint32_t*>(data);
    heard.push_back(std::to_string(eventId) + ":" + std::to_string(words[1]) + std::to_string(words[2]));
    return S_OK;
  }
  std::vector<std::string> heard;
};

class DataPaneTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override { pane = QOR::ComPtr<TestDataPane>(new TestDataPane()); }
  static std::string Span(const RECT& r) { return std::to_string(r.top) + "-" + std::to_string(r.bottom); }
  std::vector<std::string> LaneSpans() const {
    std::vector<std::string> spans;
    for (int32_t i = 0; i < pane->GetLaneCount(); ++i) spans.push_back(Span(pane->Lane(i)->Rect()));
    return spans;
  }
  host::HostPtr<host::PaneDataSource> SourceOver(const std::vector<int32_t>& lengths) {
    return host::HostPtr<host::PaneDataSource>(
        new host::PaneDataSource(testsupport::MakeDataDocument(lengths, 0.001)), false);
  }

  QOR::ComPtr<TestDataPane> pane;
};

}  // namespace

TEST_F(DataPaneTest, LanesShareTheHeightAboveTheStrip) {
  pane->Strip()->SetStripHeight(20);
  ASSERT_EQ(S_OK, pane->SetLaneCount(3));
  pane->SetClientSize(SIZE{400, 300});
  EXPECT_EQ(std::vector<std::string>({"2-90", "94-182", "186-274"}), LaneSpans());
  EXPECT_EQ("278-298", Span(pane->Strip()->Rect()));
  EXPECT_EQ(-1, pane->HitTestChild(POINT{100, 280}));
  EXPECT_EQ(1, pane->HitTestChild(POINT{100, 94}));
  EXPECT_EQ(ScrivoDraw::kNoLane, pane->HitTestChild(POINT{100, 92}));  // between lanes
  EXPECT_EQ(ScrivoDraw::kNoLane, pane->HitTestChild(POINT{100, 90}));  // bottom edges are outside
  // 87.7 pixels a lane: 88 tall, 91 apart.
  pane->SetLaneCount(10);
  pane->SetClientSize(SIZE{400, 941});
  EXPECT_EQ("2-90", LaneSpans()[0]);
  EXPECT_EQ("93-181", LaneSpans()[1]);
  // A client lower than the strip: empty lanes, never inverted.
  pane->SetClientSize(SIZE{400, 30});
  for (int32_t i = 0; i < pane->GetLaneCount(); ++i) {
    const RECT& r = pane->Lane(i)->Rect();
    EXPECT_LE(r.top, r.bottom) << i;
  }
}

// What cannot report a failure goes on out of memory and still reaches every lane and object: a
// new size, a drag-scale object attached and detached, the scale's pending changes applied, and a
// paint, which allocates nothing (the lanes of a pane without data are filled with its background).
TEST_F(DataPaneTest, WhatCannotFailNeedsNoMemory) {
  ASSERT_EQ(S_OK, pane->SetLaneCount(2));
  const auto objects = std::vector{std::make_shared<CountingObject>(), std::make_shared<CountingObject>()};
  pane->AddObject(1, objects[0]);
  pane->AddObject(2, objects[1]);
  pane->invalidated.reserve(100);  // the test pane's own note of them
  FakeScale drag('d');
  drag.entryCount = 2;
  drawingtest::Canvas canvas(400, 300, RGB(0, 255, 0));
  // Caches a new size would make are done without; the program goes on.
  drawingtest::RefusedAllocations([&] {
    pane->SetClientSize(SIZE{400, 300});
    pane->AttachDragScale(&drag);
    pane->DetachDragScale(&drag);
  });
  EXPECT_EQ(0, drawingtest::RefusedAllocations([&] { pane->Paint(canvas.DC(), RECT{0, 0, 400, 300}, nullptr); }));
  for (int32_t i = 0; i < 2; ++i) {
    const RECT& lane = pane->Lane(i)->Rect();
    EXPECT_EQ(pane->Background(), canvas.At(200, (lane.top + lane.bottom) / 2)) << i;
  }
  auto source = SourceOver({1000});
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->UpdatePending();
  auto* const scale = static_cast<host::HorizontalScale*>(pane->Scale());
  const int applied = objects[0]->applied;
  scale->SetPendingMask(0x80000000u);
  drawingtest::RefusedAllocations([&] { pane->UpdatePending(); });
  for (const auto& object : objects) {
    EXPECT_EQ(1, object->sizes);
    EXPECT_EQ(1, object->attached);
    EXPECT_EQ(1, object->detached);
    EXPECT_EQ(1, object->paints);
    EXPECT_EQ(applied + 1, object->applied);
  }
  EXPECT_EQ(3, drag.mode);  // the pane sets 2, each lane then 3
}

// An object told something may remove or add objects: a walk visits what was held when it began
// and is still held when its turn comes.
TEST_F(DataPaneTest, AWalkVisitsTheObjectsHeldWhenItBeganThatRemain) {
  const auto objects = std::vector{std::make_shared<CountingObject>(), std::make_shared<CountingObject>(),
                                   std::make_shared<CountingObject>()};
  pane->AddObject(1, objects[0]);
  pane->AddObject(3, objects[1]);
  objects[0]->meddle = [&] {
    pane->RemoveObject(3);
    pane->AddObject(2, objects[2]);
    objects[0]->meddle = nullptr;
  };
  pane->SetClientSize(SIZE{400, 300});
  EXPECT_EQ(1, objects[0]->sizes);
  EXPECT_EQ(0, objects[1]->sizes);  // removed before its turn
  EXPECT_EQ(0, objects[2]->sizes);  // added during the walk
  pane->SetClientSize(SIZE{400, 200});
  EXPECT_EQ(1, objects[2]->sizes);
}

TEST_F(DataPaneTest, WithoutAStripTheLanesReachTheBottom) {
  pane->DropTimeScale();
  pane->SetLaneCount(2);
  pane->SetClientSize(SIZE{400, 400});
  EXPECT_EQ(std::vector<std::string>({"2-198", "202-398"}), LaneSpans());
  EXPECT_EQ(0, pane->HitTestChild(POINT{100, 10}));
}

TEST_F(DataPaneTest, DragRectanglesPlaceTheLanesTheyCover) {
  pane->Strip()->SetStripHeight(20);
  pane->SetLaneCount(3);
  pane->SetClientSize(SIZE{400, 300});
  // Out of order and beyond the lane area: clamped and kept in order; the last lane reaches the strip.
  pane->SetDraggableRects({-5, 120, 150}, {100, 90, 400});
  EXPECT_EQ(std::vector<std::string>({"2-100", "120-120", "150-274"}), LaneSpans());
}

TEST_F(DataPaneTest, LaneCountMakesAndDetachesLanesWithThePanesSettings) {
  std::vector<std::string> log;
  pane->AddObject(1, std::make_shared<NotingObject>(&log, "o"));
  pane->SetLaneSettings(0x40000000u, 0x4000u, 77);
  pane->SetLaneCount(3);
  pane->UpdatePending();
  log.clear();
  pane->SetLaneCount(1);
  pane->SetLaneCount(2);
  EXPECT_EQ(std::vector<std::string>({"o removed 2", "o removed 1", "o count 1", "o count 2"}), log);
  EXPECT_EQ(77, pane->Lane(1)->Attributes());
  EXPECT_EQ(0x40000000u, pane->Lane(1)->AxisFlags());
  EXPECT_EQ(0x4000u, pane->Lane(1)->AxisStyle());
  EXPECT_EQ(ScrivoDraw::kPendingAll, pane->Pending() & ScrivoDraw::kPendingAll);
  int32_t attributes = 0;
  EXPECT_EQ(S_OK, pane->GetLaneAttributes(1, &attributes));
  EXPECT_EQ(E_INVALIDARG, pane->GetLaneAttributes(2, &attributes));
}

TEST_F(DataPaneTest, UnknownInterfacesAreRefusedAndTheLastReleaseAnswersZero) {
  QOR::ComPtr<IUnknown> unknown;
  EXPECT_EQ(S_OK, pane->QueryInterface(IID_IUnknown, unknown.OutVoid()));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, pane->QueryInterface(IID_IDragScale, &other));
  EXPECT_EQ(nullptr, other);
  unknown = nullptr;
  TestDataPane* const raw = new TestDataPane();
  raw->AddRef();
  raw->AddRef();
  EXPECT_EQ(1u, raw->Release());
  EXPECT_EQ(0u, raw->Release());
}

TEST_F(DataPaneTest, SourceGivesTheBackgroundAndTheDataSourceTheScale) {
  auto source = SourceOver({100, 50});
  source->SetBackground(RGB(10, 20, 30));
  std::vector<std::string> log;
  pane->AddObject(1, std::make_shared<NotingObject>(&log, "o"));
  pane->SetSource(static_cast<IPaneDataSource*>(source.Get()), 5, 0);
  EXPECT_EQ(RGB(10, 20, 30), pane->Background());
  EXPECT_EQ(std::vector<std::string>({"o source 5"}), log);
  pane->SetDataSource(0, source.Get(), nullptr);
  ASSERT_TRUE(pane->Scale());
  EXPECT_EQ(static_cast<IOnlineDataSink*>(pane.Get()), source->RegisteredPane());
  auto* const scale = static_cast<host::HorizontalScale*>(pane->Scale());
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<IOnlineDataSink*>(pane.Get())), scale->BoundPane());
  // The strip has its label drawer on the new scale.
  EXPECT_EQ(1u, pane->Strip()->DrawerCount());
  pane->SetDataSource(0, nullptr, nullptr);
  EXPECT_EQ(nullptr, source->RegisteredPane());
  EXPECT_EQ(0, pane->ScrollPos());
}

TEST_F(DataPaneTest, SamplingReachesEveryPartInOrderAndRefreshesObjectsAtMostEvery300ms) {
  auto document = testsupport::MakeDataDocument({}, 0.001);
  host::HostPtr<host::PaneDataSource> source(new host::PaneDataSource(document), false);
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->SetLaneCount(1);
  pane->SetClientSize(SIZE{304, 200});
  std::vector<std::string> log;
  QOR::ComPtr<SamplingDrawer> strip(new SamplingDrawer(&log, "strip"));
  QOR::ComPtr<SamplingDrawer> lane(new SamplingDrawer(&log, "lane"));
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(-1, 0, strip.Get()));
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(0, 0, lane.Get()));
  EXPECT_TRUE(lane->HasHostData());  // through the scale object's data object
  pane->AddObject(1, std::make_shared<NotingObject>(&log, "o"));
  uint32_t now = 0;
  pane->SetClock([&now] { return now; });
  host::Sampler sampler(document.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
  auto* const scale = static_cast<host::HorizontalScale*>(pane->Scale());
  EXPECT_EQ(0, scale->SampledRecord());
  now = 301;  // the first refresh is due
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(37, 1.0f)}));
  now = 301 + 200;
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(1000, 1.0f)}));
  now = 301 + 350;
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(63, 1.0f)}));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(10, 1.0f)}));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  ASSERT_EQ(S_OK, sampler.Stop());
  const std::vector<std::string> expected = {
      "strip start", "lane start", "o start",
      "strip record 0", "lane record 0",
      "strip data 4 4", "lane data 4 4", "o refresh",         // 37 ticks: 4 pixels at 10 a pixel
      "strip data 104 100", "lane data 104 100",              // 200 ms later: no refresh
      "strip data 110 6", "lane data 110 6", "o refresh",     // 350 ms later
      "strip end", "lane end",
      "strip record 1", "lane record 1",
      "strip data 111 1", "lane data 111 1",
      "strip end", "lane end",
      "strip stop", "lane stop", "o stop"};
  EXPECT_EQ(expected, log);
  EXPECT_FALSE(scale->IsSampling());
  // New data while not sampling only converts.
  log.clear();
  const int64_t before = pane->ScrollPos();
  pane->OnNewData(1, 20);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(before, pane->ScrollPos());
}

TEST_F(DataPaneTest, DisplayModeReachesTheObjectsAndEveryLanesUnitsReadOut) {
  std::vector<std::string> heard;
  std::vector<std::string> log;
  pane->AddObject(1, std::make_shared<GeneralObject>(&heard));
  pane->SetLaneCount(1);
  pane->SetClientSize(SIZE{300, 100});
  QOR::ComPtr<ModeDrawer> drawer(new ModeDrawer(&log));
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(0, 0, drawer.Get()));
  const RECT placed = pane->Lane(0)->Rect();
  EXPECT_EQ(E_FAIL, pane->GetFirstLaneAxis(1, VARIANT_TRUE, RGB(1, 2, 3)));  // a lane without axis objects
  // A non-zero mode makes the lane ask for the units with scale and range, on both axes at once.
  pane->SetDisplayMode(2);
  EXPECT_EQ(2, pane->DisplayMode());
  EXPECT_EQ(std::vector<std::string>({"mode 2", "info 1", "mode 2", "info 2"}), log);
  EXPECT_EQ(std::vector<std::string>({"0 2"}), heard);
  EXPECT_EQ(placed.bottom, pane->Lane(0)->Rect().bottom);  // laid out again in the same client
  // Mode 0 on a pane whose style wants units texts only: texts.
  log.clear();
  pane->SetDisplayMode(0);
  EXPECT_EQ(std::vector<std::string>({"mode 0", "text 1", "mode 0", "text 2"}), log);
  // A lane made afterwards reads with the pane's mode.
  pane->SetDisplayMode(5);
  pane->SetLaneCount(2);
  QOR::ComPtr<ModeDrawer> later(new ModeDrawer(&log));
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(1, 0, later.Get()));
  log.clear();
  pane->Lane(1)->UpdateAxes(0, 0);
  EXPECT_EQ(std::vector<std::string>({"mode 5", "info 1", "mode 5", "info 2"}), log);
}

TEST_F(DataPaneTest, DrawerServices) {
  pane->SetLaneCount(3);
  pane->SetClientSize(SIZE{300, 60});
  double x = 0.0, y = 0.0;
  EXPECT_EQ(S_OK, pane->GetPixelsPerMmX(0, 1234, &x));
  EXPECT_EQ(3.7795276158179276, x);
  EXPECT_EQ(S_OK, pane->GetDeviceScale(0, &x, &y));
  EXPECT_EQ(1.0, x);
  EXPECT_EQ(1.0, y);
  EXPECT_EQ(S_OK, pane->SetLayerValue(0, 1, 1026, 100));
  EXPECT_EQ(100u, pane->Lane(1)->Layer(4).opacity);
  EXPECT_EQ(S_OK, pane->SetLayerValue(0, 1, 2048, 50));
  for (int32_t i = 0; i < ScrivoDraw::kLayerCount; ++i)
    EXPECT_EQ(i == 4 ? 100u : 255u, pane->Lane(1)->Layer(i).opacity) << i;
  EXPECT_EQ(E_INVALIDARG, pane->SetLayerValue(0, 3, 1026, 100));
  // Lanes of 12 pixels or less: the lowest-lane area is not written.
  RECT area{-1, -1, -1, -1};
  EXPECT_EQ(S_FALSE, pane->GetDrawArea(static_cast<int32_t>(0x80000000u), &area));
  EXPECT_EQ(-1, area.left);
  EXPECT_EQ(S_OK, pane->GetDrawArea(0, &area));
  EXPECT_EQ(2, area.left);
  EXPECT_EQ(298, area.right);
  pane->Strip()->SetStripHeight(20);
  pane->SetClientSize(SIZE{300, 300});
  EXPECT_EQ(S_OK, pane->GetDrawArea(static_cast<int32_t>(0x80000000u), &area));
  EXPECT_EQ(pane->Lane(2)->Rect().bottom, area.bottom);
  COLORREF colour = 0;
  pane->SetBackground(RGB(0, 0, 0));
  pane->GetContrastColour(RGB(255, 255, 255), &colour);
  EXPECT_EQ(RGB(0, 0, 0), colour);
  VARIANT_BOOL idle = VARIANT_FALSE;
  pane->IsNotSampling(&idle);
  EXPECT_EQ(VARIANT_TRUE, idle);
}

TEST_F(DataPaneTest, AddLaneDrawerChecksTheLaneAndCatchesUpWithTheRecord) {
  auto source = SourceOver({1000});
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->SetLaneCount(3);
  pane->UpdatePending();
  ASSERT_EQ(0u, pane->Pending());
  QOR::ComPtr<SamplingDrawer> drawer(new SamplingDrawer(nullptr, "d"));
  drawer->AddRef();
  EXPECT_EQ(1u, drawer->Release());  // the test's own reference
  EXPECT_EQ(E_INVALIDARG, pane->AddLaneDrawer(3, 0, drawer.Get()));
  drawer->AddRef();
  EXPECT_EQ(1u, drawer->Release());  // nothing kept
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(-1, 0, drawer.Get()));
  EXPECT_EQ(0u, pane->Pending());
  EXPECT_EQ(2u, pane->Strip()->DrawerCount());
  std::vector<std::string> log;
  QOR::ComPtr<SamplingDrawer> late(new SamplingDrawer(&log, "late"));
  pane->OnRecordStart(0, VARIANT_TRUE);
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(1, 0, late.Get()));
  EXPECT_EQ(std::vector<std::string>({"late record 0"}), log);
  EXPECT_EQ(ScrivoDraw::kPendingAll, pane->Pending());
  EXPECT_EQ(S_OK, pane->RemoveLaneDrawers(1, 0, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  EXPECT_EQ(0u, pane->Lane(1)->DrawerCount());
}

TEST_F(DataPaneTest, PendingChangesOfTheScaleObjectAreAppliedOnce) {
  auto source = SourceOver({1000});
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->UpdatePending();
  auto* const scale = static_cast<host::HorizontalScale*>(pane->Scale());
  scale->SetPendingMask(0x80000000u);
  pane->UpdatePending();
  uint32_t left = 1;
  scale->GetPendingMask(0, &left);
  EXPECT_EQ(0u, left);
}

TEST_F(DataPaneTest, AxisRangesFromADragScaleAndTheVisibleStart) {
  auto source = SourceOver({10000});
  pane->SetHorizontalScalingValue(ScrivoDraw::PaneRational{1, 2});
  const int64_t position = 121;
  pane->SetClientSize(SIZE{104, 100});
  pane->SetDataSource(0, source.Get(), &position);
  EXPECT_EQ(121, pane->ScrollPos());
  int32_t tick = 0;
  ASSERT_EQ(S_OK, pane->GetVisibleStart(&tick));
  EXPECT_EQ(11, tick);  // position 21 is tick 10.5
  pane->SetLaneCount(1);
  FakeScale drag('d');
  drag.visible = {3.0, 3.0};
  EXPECT_EQ(0, pane->SetLaneAxisRange(&drag, 1, 0));  // a map of no span (FakeScale has none)
  EXPECT_EQ(0, pane->SetLaneAxisRange(&drag, 1, 5));
}

TEST_F(DataPaneTest, DragScaleObjectsOfTwoEntriesReachTheObjectsMoreAreRefused) {
  std::vector<std::string> log;
  pane->SetLaneCount(2);
  pane->AddObject(1, std::make_shared<NotingObject>(&log, "o"));
  FakeScale drag('d');
  drag.entryCount = 3;
  EXPECT_EQ(static_cast<HRESULT>(0xA0048205u), pane->AttachDragScale(&drag));
  EXPECT_TRUE(log.empty());
  drag.entryCount = 1;
  EXPECT_EQ(S_FALSE, pane->AttachDragScale(&drag));
  EXPECT_TRUE(log.empty());
  drag.entryCount = 2;
  EXPECT_EQ(S_OK, pane->AttachDragScale(&drag));
  EXPECT_EQ(S_OK, pane->DetachDragScale(&drag));
  EXPECT_EQ(std::vector<std::string>({"o drag scale", "o drag scale gone"}), log);
  EXPECT_EQ(3, drag.mode);  // the pane sets 2, each lane then 3
}

// An observer attached through the pane's subject is kept by the host's registry under the
// pane's identity, so it hears the lanes' axis data until it detaches.
TEST_F(DataPaneTest, AxisDataReachesObserversAttachedToThePanesSubject) {
  SubjectObserver observer;
  QOR::ComPtr<ISubject> subject;
  ASSERT_EQ(S_OK, pane->QueryInterface(IID_ISubject, subject.OutVoid()));
  ASSERT_EQ(S_OK, subject->Attach(&observer));
  EXPECT_EQ(S_FALSE, subject->Attach(&observer));
  pane->SetLaneCount(1);
  pane->Lane(0)->UpdateAxes(0, 0);
  EXPECT_EQ(std::vector<std::string>({"1:00", "2:00"}), observer.heard);
  IObserverRegistry* const registry = GetObserverRegistry();
  ASSERT_TRUE(registry);
  EXPECT_EQ(S_OK, registry->DetachFromSubject(static_cast<IOnlineDataSink*>(pane.Get()), &observer));
  EXPECT_EQ(S_FALSE, subject->Detach(&observer));
  pane->Lane(0)->UpdateAxes(0, 0);
  EXPECT_EQ(2u, observer.heard.size());
}

// Another pane given as the axis override answers the lane count and the lane-axis operations.
TEST_F(DataPaneTest, AnOverridingPaneAnswersLaneCountAndAxisOperations) {
  QOR::ComPtr<TestDataPane> owner(new TestDataPane());
  pane->SetAxisOverride(owner.Get());
  EXPECT_EQ(S_OK, pane->SetLaneCount(3));
  EXPECT_EQ(3, owner->GetLaneCount());
  EXPECT_EQ(0, pane->GetLaneCount());
  // Without axis objects the prefix is kept and the answer is a failure.
  EXPECT_EQ(E_FAIL, pane->ApplyAxisOperation(1, 7, 2, 0));
  EXPECT_EQ(7, owner->Lane(1)->Unit(2).prefix);
  EXPECT_EQ(E_INVALIDARG, pane->ApplyAxisOperation(5, 7, 2, 0));
  pane->SetAxisOverride(nullptr);
  EXPECT_EQ(S_OK, pane->SetLaneCount(1));
  EXPECT_EQ(1, pane->GetLaneCount());
}

// The sink's slot 9 hands its two words on to every drawer; slot 13 answers 100.
TEST_F(DataPaneTest, SinkSlotsPassTheHostsNotificationOnAndAnswerTheInterval) {
  class NotifiedDrawer final : public QuietDrawer {
   public:
    HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override {
      *units = nullptr;
      return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnSinkNotify(int32_t a, int32_t b) noexcept override {
      heard.push_back(a * 10 + b);
      return S_OK;
    }
    std::vector<int32_t> heard;
  };
  pane->SetLaneCount(1);
  QOR::ComPtr<NotifiedDrawer> drawer(new NotifiedDrawer());
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(0, 0, drawer.Get()));
  IOnlineDataSink* const sink = pane.Get();
  using Notify = HRESULT(STDMETHODCALLTYPE*)(IOnlineDataSink*, int32_t, int32_t);
  using Interval = HRESULT(STDMETHODCALLTYPE*)(IOnlineDataSink*, int32_t*);
  void** const table = *reinterpret_cast<void***>(sink);
  EXPECT_EQ(S_OK, reinterpret_cast<Notify>(table[9])(sink, 4, 5));
  EXPECT_EQ(std::vector<int32_t>{45}, drawer->heard);
  int32_t interval = 0;
  EXPECT_EQ(S_OK, reinterpret_cast<Interval>(table[13])(sink, &interval));
  EXPECT_EQ(100, interval);
}

// The pane answers its five interfaces with one identity; the draggable rectangles arrive through
// their interface as through the pane's own operation, and comment changes are ignored.
TEST_F(DataPaneTest, ThePanesInterfacesShareOneIdentity) {
  QOR::ComPtr<IUnknown> unknown;
  ASSERT_EQ(S_OK, pane->QueryInterface(IID_IUnknown, unknown.OutVoid()));
  for (const GUID& iid : {IID_IOnlineDataSink, IID_ICommentsObserver, IID_ISubject, IID_IQORDraggableRects,
                          IID_IDrawerDataPane}) {
    QOR::ComPtr<IUnknown> part;
    ASSERT_EQ(S_OK, pane->QueryInterface(iid, part.OutVoid()));
    QOR::ComPtr<IUnknown> back;
    ASSERT_EQ(S_OK, part->QueryInterface(IID_IUnknown, back.OutVoid()));
    EXPECT_EQ(unknown.Get(), back.Get());
  }
  QOR::ComPtr<ICommentsObserver> comments;
  ASSERT_EQ(S_OK, pane->QueryInterface(IID_ICommentsObserver, comments.OutVoid()));
  EXPECT_EQ(S_OK, comments->OnCommentsChanged(1, 2, 3, 4, 5, 6));
  pane->SetLaneCount(2);
  pane->SetClientSize(SIZE{200, 300});
  QOR::ComPtr<IQORDraggableRects> rects;
  ASSERT_EQ(S_OK, pane->QueryInterface(IID_IQORDraggableRects, rects.OutVoid()));
  const int32_t tops[2] = {10, 100};
  const int32_t bottoms[2] = {90, 200};
  ASSERT_EQ(S_OK, rects->SetDragRects(2, tops, bottoms));
  EXPECT_EQ(10, pane->Lane(0)->Rect().top);
  EXPECT_EQ(90, pane->Lane(0)->Rect().bottom);
  EXPECT_EQ(100, pane->Lane(1)->Rect().top);
  EXPECT_EQ(E_POINTER, rects->SetDragRects(2, nullptr, bottoms));
  EXPECT_EQ(E_INVALIDARG, rects->SetDragRects(-1, tops, bottoms));
}
