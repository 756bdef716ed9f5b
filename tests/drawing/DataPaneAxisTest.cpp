// The data pane's horizontal axis and painting: scroll units and actions, clamping, zoom steps
// and anchors, following, segments painted record by record, pending changes, one layer redrawn,
// input to the interactive objects.
#include "drawing/DataPane.h"

#include "host/app/HostFramework.h"
#include "host/data/HorizontalScale.h"
#include "host/data/PaneDataSource.h"
#include "host/view/ViewTime.h"
#include "platform/owl/TCommandEnabler.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ScrivoDraw::DataPane;
using ScrivoDraw::PaneRational;

namespace {

class TestDataPane final : public DataPane {
 public:
  using DataPane::DataPane;
  void InvalidateRect(const RECT&, bool) noexcept override { ++invalidations; }
  int invalidations = 0;
};

// Notes what the pane asks of it.
class RecordingScrollBar final : public ScrivoDraw::ScrollBar {
 public:
  void MoveTo(const RECT& rect) override { shown = rect.right > rect.left; }
  bool IsEnabled() const override { return enabled; }
  void Enable(bool on) override { enabled = on; }
  int32_t GetPosition() const override { return info.nPos; }
  void SetPosition(int32_t position, bool) override { info.nPos = position; }
  bool GetScrollInfo(SCROLLINFO& out) const override {
    const UINT mask = out.fMask;
    out = info;
    out.fMask = mask;
    return true;
  }
  void SetScrollInfo(const SCROLLINFO& in, bool redraw) override {
    if (in.fMask & SIF_RANGE) info.nMin = in.nMin, info.nMax = in.nMax;
    if (in.fMask & SIF_PAGE) info.nPage = in.nPage;
    if (in.fMask & SIF_POS) info.nPos = in.nPos;
    redraws.push_back(redraw);
  }
  int32_t GetLineMagnitude() const override { return line; }
  int32_t GetPageMagnitude() const override { return page; }
  void SetLineMagnitude(int32_t magnitude) override { line = magnitude; }
  void SetPageMagnitude(int32_t magnitude) override { page = magnitude; }
  void Invalidate() override {}
  bool shown = false;
  bool enabled = false;
  SCROLLINFO info{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
  int32_t line = 0;
  int32_t page = 0;
  std::vector<bool> redraws;
};

// Menu ids 1 to 3 stand for 1, 10 and 100 samples a pixel.
class RecordingZoom final : public ScrivoDraw::ZoomControl {
 public:
  void MoveTo(const RECT&) override {}
  bool IsEnabled() const override { return true; }
  void Enable(bool) override {}
  std::wstring FormatRatio(int64_t n, int64_t d) const override {
    return std::to_wstring(n) + L":" + std::to_wstring(d);
  }
  void SetRatio(int64_t n, int64_t d) override { scaling = {n, d}; }
  SIZE GetSize() override { return SIZE{40, 16}; }
  void SetText(const std::wstring&) override {}
  void SetAutoScaleTip(const std::wstring&) override {}
  void SetFollowState(bool on) override { following = on; }
  QORRationalImp RatioFromMenuId(int32_t id) const override {
    static const int64_t values[3] = {1, 10, 100};
    return id >= 1 && id <= 3 ? QORRationalImp{values[id - 1], 1} : QORRationalImp{0, 1};
  }
  void Invalidate() override {}
  PaneRational scaling{0, 0};
  bool following = true;
};

// A horizontal scale object whose extent and segments a test sets; notes every call.
class TestScale final : public QOR::SimpleUnknownImp1<IRecordDataPixMap, IID_IRecordDataPixMap> {
 public:
  HRESULT STDMETHODCALLTYPE SetSource(int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetOffset(int32_t, int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetScale(int64_t, int64_t) noexcept override { return Note("scale"); }
  HRESULT STDMETHODCALLTYPE GetScale(PixMapScale*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11(uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Rebuild(uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BeginAppend(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t, uint32_t, uint32_t) noexcept override {
    return Note("record start");
  }
  HRESULT STDMETHODCALLTYPE NewData(uint32_t, int32_t, int64_t*) noexcept override { return Note("new data"); }
  HRESULT STDMETHODCALLTYPE EndAppend(uint32_t) noexcept override { return Note("record end"); }
  HRESULT STDMETHODCALLTYPE GetAppendPosition(uint32_t, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SamplingStart(int32_t) noexcept override { return Note("sampling start"); }
  HRESULT STDMETHODCALLTYPE GetTotalLength(int64_t* length) noexcept override {
    *length = extent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PositionToTick(int32_t, int64_t position, PixMapTick* tick) noexcept override {
    if (position < 0 || position >= extent) return S_FALSE;
    *tick = PixMapTick{static_cast<double>(position), 0, 0};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PositionToRecord(int64_t position, PixMapRecordPosition* where,
                                             int64_t* end) noexcept override {
    Note("find");
    if (position < 0 || position >= extent) return S_FALSE;
    *where = PixMapRecordPosition{position, 0};
    *end = segmentEnd;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SamplingStop(VARIANT_BOOL) noexcept override { return Note("sampling stop"); }
  HRESULT STDMETHODCALLTYPE GetRecordRange(int32_t, int64_t*, int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PositionToRow(int32_t, int64_t, int64_t*, PixMapRowPosition*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetScaleRecord(int64_t, PixMapTimeScale* scale) noexcept override {
    *scale = PixMapTimeScale{0.001, 0, 0, 0, 0, 0, 0, 0, 0};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNextRecordStart(int64_t, int64_t*) noexcept override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE TickToPosition(int32_t, int32_t, double tick, double* position) noexcept override {
    *position = tick;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return Note("sink"); }
  HRESULT STDMETHODCALLTYPE Bind(uint32_t, IUnknown*) noexcept override { return Note("bind"); }
  HRESULT STDMETHODCALLTYPE PositionToValue(int64_t position, int64_t* value) noexcept override {
    *value = position;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ValueToPosition(int64_t value, int64_t* position) noexcept override {
    *position = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPendingMask(int32_t, uint32_t* mask) noexcept override {
    *mask = pending;
    return Note("pending?");
  }
  HRESULT STDMETHODCALLTYPE MaskApplied(uint32_t) noexcept override { return Note("applied"); }
  HRESULT STDMETHODCALLTYPE Reserved34(uint32_t) noexcept override { return 0; }
  HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown**) noexcept override { return E_NOTIMPL; }
  // The segment after every segment is 0 again, ending where it ended: it stands still.
  HRESULT STDMETHODCALLTYPE NextSegment(int32_t, int32_t* next, int64_t* start, int64_t* end) noexcept override {
    Note("next");
    *next = 0;
    *start = 0;
    *end = segmentEnd;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestMargin(uint32_t, int32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38(uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39(uint32_t, uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40(uint32_t, uint32_t, uint32_t) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41(uint32_t) noexcept override { return E_NOTIMPL; }

  HRESULT Note(const char* what) {
    calls.push_back(what);
    return S_OK;
  }
  int64_t extent = 1000;
  int64_t segmentEnd = 1000;
  uint32_t pending = 0;
  std::vector<std::string> calls;
};

// A data source handing out one test scale object.
class TestSource final : public QOR::SimpleUnknownImp1<IPaneDataSource, IID_IUnknown> {
 public:
  explicit TestSource(TestScale* scale) : mScale(scale) {}
  HRESULT STDMETHODCALLTYPE CreateHorizontalScale(IRecordDataPixMap** scale) noexcept override {
    *scale = mScale;
    mScale->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterPane(IOnlineDataSink*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TickToAbsolute(int32_t, int32_t tick, int64_t* absolute) noexcept override {
    *absolute = tick;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSampledRecord(int32_t* record) noexcept override {
    *record = -1;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetHostDataFile(IUnknown**) noexcept override { return E_NOTIMPL; }

 private:
  TestScale* mScale;
};

// Notes its calls; refuses one mouse mode and sets the cursor when told to.
class InputObject final : public ScrivoDraw::InteractiveObject {
 public:
  InputObject(std::vector<std::string>* log, std::string name, int32_t group, int32_t refuses = 0, bool cursor = false)
      : mLog(log), mName(std::move(name)), mGroup(group), mRefuses(refuses), mCursor(cursor) {}
  void LeftDown(POINT, uint32_t) override { mLog->push_back(mName + " down"); }
  void MouseMove(POINT, uint32_t) override { mLog->push_back(mName + " move"); }
  void LeftUp(POINT, uint32_t) override { mLog->push_back(mName + " up"); }
  bool CursorQuery(int32_t, int32_t, int32_t) override {
    mLog->push_back(mName + " cursor");
    return mCursor;
  }
  void PaintBegins() override { mLog->push_back(mName + " paint"); }
  bool AcceptsMode(int32_t mode) override { return mode != mRefuses; }
  int32_t Group() override { return mGroup; }

 private:
  std::vector<std::string>* mLog;
  std::string mName;
  int32_t mGroup;
  int32_t mRefuses;
  bool mCursor;
};

// A drawer noting the paint flags and positions of each segment it draws.
class SegmentDrawer final : public ScrivoDraw::DrawerBase {
 public:
  explicit SegmentDrawer(std::vector<std::string>* log)
      : DrawerBase(0x201, 0x80001000u, ScrivoDraw::ChannelPair{0, 0},
                   {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}),
        mLog(log) {}
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override {
    *units = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t, int32_t, const ScrivoDraw::ValueRange*, IUnknown*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Draw(HDC, int64_t first, int64_t last, ScrivoDraw::DrawOrigin, int32_t column,
                                 const RECT*, uint32_t flags, int32_t, const void*) noexcept override {
    char text[96];
    snprintf(text, sizeof(text), "%08X %lld-%lld @%d", flags & 0xFF000000u, static_cast<long long>(first),
             static_cast<long long>(last), column);
    mLog->push_back(text);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }

 private:
  std::vector<std::string>* mLog;
};

class DataPaneAxisTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    pane = QOR::ComPtr<TestDataPane>(new TestDataPane());
    scale = QOR::ComPtr<TestScale>(new TestScale());
    auto bar = std::make_unique<RecordingScrollBar>();
    scrollBar = bar.get();
    pane->SetScrollBar(std::move(bar));
  }
  void TearDown() override {
    if (pane) pane->SetDataSource(0, nullptr, nullptr);
  }
  // The pane W pixels wide over the test scale with extent e.
  void UseTestScale(int32_t width, int64_t extent) {
    scale->extent = extent;
    scale->segmentEnd = extent;
    pane->SetClientSize(SIZE{width, 100});
    pane->SetDataSource(0, QOR::ComPtr<TestSource>(new TestSource(scale.Get())).Get(), nullptr);
  }
  QOR::ComPtr<TestDataPane> pane;
  QOR::ComPtr<TestScale> scale;
  RecordingScrollBar* scrollBar = nullptr;
};

}  // namespace

TEST_F(DataPaneAxisTest, ScrollUnitsKeepThe64BitRangeIn31Bits) {
  UseTestScale(500, 5000000000LL);
  EXPECT_EQ(3, pane->ScrollUnit());
  EXPECT_TRUE(scrollBar->shown);
  scale->extent = (int64_t{1} << 31) - 2;
  pane->UpdateScrollBar();
  EXPECT_EQ(1, pane->ScrollUnit());
  EXPECT_EQ(310, scrollBar->page);  // (496 * 5) / 8
  EXPECT_EQ(19, scrollBar->line);
  scale->extent = (int64_t{1} << 31) - 1;
  pane->UpdateScrollBar();
  EXPECT_EQ(2, pane->ScrollUnit());
  // Hidden when the data fits, while following, or without a time-scale drawer.
  scale->extent = 400;
  pane->UpdateScrollBar();
  EXPECT_FALSE(scrollBar->shown);
  scale->extent = 4000;
  pane->OnSamplingStart();
  pane->UpdateScrollBar();
  EXPECT_FALSE(scrollBar->shown);
  pane->OnSamplingStop();
  EXPECT_TRUE(scrollBar->shown);
  pane->Strip()->RemoveDrawers(0, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond});
  pane->Strip()->OnSourceChanged(-1, nullptr);
}

TEST_F(DataPaneAxisTest, ScrollActionsMoveByLinePageAndEnds) {
  UseTestScale(500, 10000);
  pane->SetLeftPosition(1000);
  ASSERT_EQ(1496, pane->ScrollPos());
  ASSERT_EQ(1000, scrollBar->info.nPos);
  struct Step {
    int code;
    int64_t left;
  } steps[] = {{SB_LINERIGHT, 1019}, {SB_LINELEFT, 1000}, {SB_PAGERIGHT, 1310}, {SB_PAGELEFT, 1000},
               {SB_RIGHT, 10000 - 496}, {SB_LEFT, 0},  {SB_LINELEFT, 0}};
  for (const Step& step : steps) {
    pane->OnScroll(step.code);
    EXPECT_EQ(step.left, pane->ScrollPos() - 496) << step.code;
    EXPECT_FALSE(pane->IsTracking()) << step.code;
  }
  // A thumb drag tracks and writes without redraw until the end of the scroll.
  scrollBar->info.nTrackPos = 2000;
  scrollBar->redraws.clear();
  pane->OnScroll(SB_THUMBTRACK);
  EXPECT_EQ(2496, pane->ScrollPos());
  EXPECT_TRUE(pane->IsTracking());
  EXPECT_EQ(std::vector<bool>({false}), scrollBar->redraws);
  pane->OnScroll(SB_ENDSCROLL);
  EXPECT_FALSE(pane->IsTracking());
}

TEST_F(DataPaneAxisTest, ShortDataEndsAtTheRightEdgeAndEnsureVisibleCentres) {
  UseTestScale(500, 300);
  pane->ClampScroll();
  EXPECT_EQ(300, pane->ScrollPos());
  scale->extent = scale->segmentEnd = 10000;
  pane->SetLeftPosition(1000);
  EXPECT_EQ(S_FALSE, pane->EnsureVisible(1200, 0));
  EXPECT_EQ(1496, pane->ScrollPos());
  EXPECT_EQ(S_OK, pane->EnsureVisible(5000, 0));
  EXPECT_NEAR(5000, pane->ScrollPos() - 496 / 2, 1);
}

TEST_F(DataPaneAxisTest, ZoomStepsOneTwoFiveWithinItsLimits) {
  UseTestScale(500, 100000);
  const auto scaling = [this] {
    PaneRational r = pane->GetHorizontalScaling();
    return static_cast<double>(r.numerator) / static_cast<double>(r.denominator);
  };
  pane->ZoomStep(false);
  EXPECT_EQ(20.0, scaling());
  pane->ZoomStep(false);
  EXPECT_EQ(50.0, scaling());
  pane->SetHorizontalScaling(PaneRational{10, 1}, nullptr);
  pane->ZoomStep(true);
  EXPECT_EQ(5.0, scaling());
  pane->SetHorizontalScaling(PaneRational{1, 10}, nullptr);
  pane->ZoomStep(true);
  EXPECT_EQ(0.1, scaling());
  pane->SetHorizontalScaling(PaneRational{20000, 1}, nullptr);
  pane->ZoomStep(false);
  EXPECT_EQ(20000.0, scaling());
  // The current scaling again: nothing at all, not even a repaint.
  const int before = pane->invalidations;
  scale->calls.clear();
  EXPECT_EQ(S_FALSE, pane->SetHorizontalScaling(PaneRational{20000, 1}, nullptr));
  EXPECT_EQ(before, pane->invalidations);
  EXPECT_TRUE(scale->calls.empty());
}

TEST_F(DataPaneAxisTest, ZoomKeepsTheDataUnderTheAnchorAtTheCentre) {
  auto document = testsupport::MakeDataDocument({40000, 30000}, 0.001);
  host::HostPtr<host::PaneDataSource> source(new host::PaneDataSource(document), false);
  pane->SetClientSize(SIZE{504, 100});
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->SetLeftPosition(3000);  // positions 3000 to 3500 shown, 10 samples a pixel
  const int32_t anchor = 2 + 100;  // position 3100: sample 31000
  pane->SetHorizontalScaling(PaneRational{5, 1}, &anchor);
  EXPECT_NEAR(31000 / 5, pane->ScrollPos() - 250, 1);
  // An anchor past the data's end at the old scaling still lies inside it at the new one.
  ASSERT_EQ(S_OK, pane->SetHorizontalScaling(PaneRational{10, 1}, nullptr));
  pane->SetLeftPosition(4500);
  const int32_t late = 2 + 250;  // position 4750: sample 47500
  pane->SetHorizontalScaling(PaneRational{5, 1}, &late);
  EXPECT_EQ(47500 / 5 + 250, pane->ScrollPos());
  // With Ctrl held, the host view's time: tick 2000 of record 1 (sample 42000 overall).
  host::HostPtr<host::ViewTime> view(new host::ViewTime(), false);
  view->SetCurrentTime(1, 2000.0);
  pane->SetHostView(static_cast<IHostViewTime*>(view.Get()));
  pane->SetCtrlKeySeam([] { return true; });
  pane->SetHorizontalScaling(PaneRational{20, 1}, nullptr);
  EXPECT_NEAR(42000 / 20, pane->ScrollPos() - 250, 1);
  // While following the right edge shows the newest data.
  pane->OnSamplingStart();
  pane->SetHorizontalScaling(PaneRational{50, 1}, nullptr);
  EXPECT_EQ(800 + 600, pane->ScrollPos());
  pane->OnSamplingStop();
}

TEST_F(DataPaneAxisTest, AnExtremeZoomOutStaysInsideTheData) {
  UseTestScale(500, INT64_MAX / 2);
  pane->SetLeftPosition(INT64_MAX / 4);
  pane->SetHorizontalScaling(PaneRational{1, 1000000}, nullptr);  // 10^7 times larger positions
  EXPECT_GT(pane->ScrollPos(), 0);
  EXPECT_LE(pane->ScrollPos(), INT64_MAX / 2);
}

TEST_F(DataPaneAxisTest, ZoomMenuListsTheEntriesAndChecksTheCurrentOne) {
  auto zoom = std::make_unique<RecordingZoom>();
  RecordingZoom* const list = zoom.get();
  pane->SetZoomList(std::move(zoom));
  UseTestScale(500, 100000);
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 99, L"old");
  pane->BuildZoomMenu(menu, 1, 4);
  ASSERT_EQ(3, GetMenuItemCount(menu));
  EXPECT_EQ(0u, GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_NE(0u, GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);  // 10 samples a pixel
  wchar_t text[16] = {};
  GetMenuStringW(menu, 2, text, 16, MF_BYPOSITION);
  EXPECT_STREQ(L"100:1", text);
  EXPECT_EQ(3u, GetMenuItemID(menu, 2));
  DestroyMenu(menu);
  OWL::TCommandEnabler entry(3);
  pane->QueryZoomCommand(1, entry);
  EXPECT_EQ(0, entry.GetCheck());
  pane->ExecuteZoomCommand(1, 3);
  EXPECT_EQ(100, list->scaling.numerator);
  pane->QueryZoomCommand(1, entry);
  EXPECT_EQ(1, entry.GetCheck());
  EXPECT_TRUE(pane->CanZoom(1));
  pane->SetHorizontalScaling(PaneRational{20000, 1}, nullptr);
  EXPECT_FALSE(pane->CanZoom(2));
  pane->SetFollowMode(false);
  EXPECT_FALSE(list->following);
}

TEST_F(DataPaneAxisTest, PaintingEmptyOrLeftOfTheDataAndAStillSegment) {
  std::vector<std::string> log;
  pane->AddObject(1, std::make_shared<InputObject>(&log, "o", 0));
  UseTestScale(304, 200);
  pane->SetLaneCount(1);
  pane->SetClientSize(SIZE{304, 100});
  QOR::ComPtr<SegmentDrawer> drawer(new SegmentDrawer(&log));
  pane->AddLaneDrawer(0, 0, drawer.Get());
  drawingtest::Canvas canvas(304, 100);
  pane->Paint(canvas.DC(), RECT{10, 10, 10, 50}, nullptr);
  EXPECT_TRUE(log.empty());
  // Data shorter than the lane ends at the right edge: position 0 is at x 102, nothing is drawn
  // left of it.
  pane->ClampScroll();
  ASSERT_EQ(200, pane->ScrollPos());
  log.clear();
  pane->PaintRange(canvas.DC(), RECT{2, 0, 302, 100}, 2, 302);
  ASSERT_EQ(1u, log.size());
  EXPECT_EQ("0A000000 0-200 @102", log[0]);
  // A scale object whose next segment ends where the last one did: the paint ends.
  scale->segmentEnd = 50;
  scale->calls.clear();
  log.clear();
  pane->InvalidateLanes();
  pane->PaintRange(canvas.DC(), RECT{2, 0, 302, 100}, 2, 302);
  EXPECT_EQ(1u, log.size());
  // One step in each pass: the strip's cached labels are redrawn into their cache first.
  EXPECT_EQ(2, std::count(scale->calls.begin(), scale->calls.end(), "next"));
}

TEST_F(DataPaneAxisTest, TwoRecordsPaintAsTwoSegmentsTheSampledOneMarked) {
  auto document = testsupport::MakeDataDocument({1000, 1000}, 0.001);
  host::HostPtr<host::PaneDataSource> source(new host::PaneDataSource(document), false);
  pane->SetClientSize(SIZE{304, 100});
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->SetLaneCount(1);
  pane->SetClientSize(SIZE{304, 100});
  std::vector<std::string> log;
  QOR::ComPtr<SegmentDrawer> drawer(new SegmentDrawer(&log));
  pane->AddLaneDrawer(0, 0, drawer.Get());
  pane->SetLeftPosition(0);
  drawingtest::Canvas canvas(304, 100);
  pane->PaintRange(canvas.DC(), RECT{2, 0, 302, 100}, 2, 302);
  EXPECT_EQ(std::vector<std::string>({"0A000000 0-100 @102", "0A000000 100-200 @202"}), log);
  // While the host samples record 1 its segment carries the sampled flag.
  const_cast<host::Recording&>(document->Data()).records[1].complete = false;
  pane->SetSampling(true);
  pane->InvalidateLanes();
  log.clear();
  pane->PaintRange(canvas.DC(), RECT{2, 0, 302, 100}, 2, 302);
  EXPECT_EQ(std::vector<std::string>({"0A000000 0-100 @102", "82000000 100-200 @202"}), log);
  pane->SetSampling(false);
}

TEST_F(DataPaneAxisTest, WithoutLanesTheBackgroundAndASunkenFrameAreDrawn) {
  UseTestScale(304, 1000);
  pane->SetBackground(RGB(200, 10, 10));
  drawingtest::Canvas canvas(304, 100, RGB(0, 255, 0));
  pane->PaintRange(canvas.DC(), RECT{0, 0, 304, 100}, 2, 302);
  EXPECT_EQ(RGB(200, 10, 10), canvas.At(100, 20));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.At(100, 0));  // the frame's outer top edge
  EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), canvas.At(100, 1));
}

TEST_F(DataPaneAxisTest, PendingChangesAndOneLayerRedrawn) {
  UseTestScale(304, 1000);
  pane->SetLaneCount(3);
  pane->SetClientSize(SIZE{304, 200});
  pane->UpdatePending();
  scale->calls.clear();
  scale->pending = 0;
  pane->UpdatePending();
  EXPECT_EQ(std::vector<std::string>({"pending?"}), scale->calls);
  scale->pending = 0x80000000u;
  std::vector<std::string> log;
  pane->AddObject(1, std::make_shared<InputObject>(&log, "o", 0));
  pane->UpdatePending();
  EXPECT_EQ("applied", scale->calls.back());
  // RedrawLayer: a lane past the lanes draws nothing, -1 all three, layer 0 on the screen nothing.
  std::vector<std::string> drawn;
  std::vector<QOR::ComPtr<SegmentDrawer>> drawers;
  for (int32_t i = 0; i < 3; ++i) {
    drawers.emplace_back(new SegmentDrawer(&drawn));
    pane->AddLaneDrawer(i, 0, drawers.back().Get());
  }
  drawingtest::Canvas canvas(304, 200);
  pane->RedrawLayer(2, true, 0, canvas.DC(), 7, true);
  EXPECT_TRUE(drawn.empty());
  pane->RedrawLayer(0, true, 0, canvas.DC(), -1, true);
  EXPECT_TRUE(drawn.empty());
  pane->RedrawLayer(2, false, 0, canvas.DC(), -1, true);
  ASSERT_EQ(3u, drawn.size());
  EXPECT_EQ("00000000", drawn[0].substr(0, 8));  // one layer, not a segment of PaintRange
}

TEST_F(DataPaneAxisTest, InputReachesTheRefusingGroupAndTheCursorStopsAtTheFirstTaker) {
  std::vector<std::string> log;
  pane->AddObject(1, std::make_shared<InputObject>(&log, "a", 1));
  pane->AddObject(2, std::make_shared<InputObject>(&log, "b", 2, 1, true));
  pane->AddObject(3, std::make_shared<InputObject>(&log, "c", 2, 0, true));
  pane->OnLeftDown(POINT{5, 5}, 0);
  EXPECT_EQ(std::vector<std::string>({"b down", "c down"}), log);
  log.clear();
  pane->OnMouseMove(POINT{5, 5}, 0);
  pane->OnLeftUp(POINT{5, 5}, 0);
  EXPECT_EQ(std::vector<std::string>({"a move", "b move", "c move", "a up", "b up", "c up"}), log);
  log.clear();
  EXPECT_TRUE(pane->OnCursorQuery(0, 0, 0));
  EXPECT_EQ(std::vector<std::string>({"a cursor", "b cursor"}), log);
}
