// A whole pane painted into a DIB: a cached graticule, traces over two records, the time strip;
// both records' traces survive the second record's compositing, and the columns left of the
// data stay white.
#include "drawing/DataPane.h"
#include "drawing/GraticuleDrawer.h"
#include "drawing/PreviewDataPane.h"
#include "drawing/TraceDrawers.h"
#include "host/app/HostFramework.h"
#include "host/data/PaneDataSource.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);

int RedIn(const drawingtest::Canvas& canvas, int left, int right, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += canvas.At(x, y) == kRed;
  return count;
}

// A pane 600 x 200 over two records (3000 and 2000 samples at 1 ms) of a 3 Hz sine of the given
// amplitude, with a cached graticule and a red trace over [-range, range]; laneSettings, when not
// zero, are given to the lane before it is made.
struct SinePane {
  host::HostPtr<host::PaneDataSource> source;
  QOR::ComPtr<ScrivoDraw::DataPane> pane;
  QOR::ComPtr<ScrivoDraw::GraticuleDrawer> grid;
  QOR::ComPtr<ScrivoDraw::PolyLineTraceDrawer> trace;
};

// A detection preview's pane, without a window (so without bars).
class PreviewPane final : public ScrivoDraw::PreviewDataPane {
 public:
  using PreviewDataPane::PreviewDataPane;
};

void MakeSinePane(SinePane& made, double amplitude, double range, uint32_t laneSettings, bool preview = false) {
  auto document = testsupport::MakeDataDocument({3000, 2000}, 0.001, [amplitude](int32_t, int32_t i) {
    return static_cast<float>(amplitude * std::sin(2.0 * 3.14159265358979 * 3.0 * i / 1000.0));
  });
  made.source = host::HostPtr<host::PaneDataSource>(new host::PaneDataSource(document), false);
  made.pane = QOR::ComPtr<ScrivoDraw::DataPane>(preview ? new PreviewPane() : new ScrivoDraw::DataPane());
  ScrivoDraw::DataPane& pane = *made.pane.Get();
  pane.SetDataSource(0, made.source.Get(), nullptr);
  if (laneSettings != 0) pane.SetLaneSettings(laneSettings, 0x00026F30u, 0);
  pane.SetLaneCount(1);
  pane.SetClientSize(SIZE{600, 200});
  made.grid = QOR::ComPtr<ScrivoDraw::GraticuleDrawer>(
      new ScrivoDraw::GraticuleDrawer(0, RGB(128, 128, 128), {0, 0}));
  ASSERT_EQ(S_OK, pane.AddLaneDrawer(0, ScrivoDraw::kDrawerCachedLayer, made.grid.Get()));
  made.trace = QOR::ComPtr<ScrivoDraw::PolyLineTraceDrawer>(new ScrivoDraw::PolyLineTraceDrawer(
      &kRed, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  ASSERT_EQ(S_OK, pane.AddLaneDrawer(0, 0, made.trace.Get()));
  const ScrivoDraw::ValueRange values{-range, range};
  made.trace->SetValueRange(1, 0, &values, nullptr);
  pane.UpdatePending();
}

}  // namespace

TEST(PaneRender, BothRecordsOverACachedGraticuleAndNothingLeftOfTheData) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  // 300 and 200 pixels of data in a pane 596 pixels wide, each record with the graticule's
  // margins of a lane without a label column (7 pixels before and after): the data end at the
  // right edge.
  SinePane made;
  ASSERT_NO_FATAL_FAILURE(MakeSinePane(made, 1.0, 1.5, 0xC0000000u));
  const auto& pane = made.pane;
  ASSERT_EQ(500 + 4 * 7, pane->ScrollPos());
  drawingtest::Canvas canvas(600, 200, RGB(0, 255, 0));
  pane->Paint(canvas.DC(), RECT{0, 0, 600, 200}, nullptr);
  const RECT& lane = pane->Lane(0)->Rect();
  const int zero = 598 - 528;  // position 0's column
  const int second = zero + 7 + 300 + 7;
  EXPECT_GT(RedIn(canvas, zero + 7, zero + 307, lane.top, lane.bottom), 300);      // record 0
  EXPECT_GT(RedIn(canvas, second + 7, second + 207, lane.top, lane.bottom), 200);  // record 1
  // Nothing left of the data nor in the margins between the records' samples.
  EXPECT_EQ(0, RedIn(canvas, lane.left, zero + 7, lane.top, lane.bottom));
  EXPECT_EQ(0, RedIn(canvas, zero + 308, second + 7, lane.top, lane.bottom));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(zero / 2, (lane.top + lane.bottom) / 2));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(zero / 2, pane->Strip()->Rect().top + 2));
  pane->SetDataSource(0, nullptr, nullptr);
}

// A zoom repaints the lane in the one paint that follows it, with a cached graticule and with
// none: no pixel of the old trace stays, and the lane equals one painted afresh at the new scaling.
TEST(PaneRender, OnePaintAfterAZoomLeavesNothingOfTheOldPicture) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  // A slow sine over 6000 samples: at 10:1 and 5:1 the traces take different columns.
  auto document = testsupport::MakeDataDocument({6000}, 0.001, [](int32_t, int32_t i) {
    return static_cast<float>(std::sin(2.0 * 3.14159265358979 * i / 2000.0));
  });
  host::HostPtr<host::PaneDataSource> source(new host::PaneDataSource(document), false);
  const ScrivoDraw::ValueRange range{-1.5, 1.5};
  for (const bool grid : {true, false}) {
    SCOPED_TRACE(grid ? "with a cached graticule" : "without a graticule");
    const auto makePane = [&](ScrivoDraw::PaneRational scaling) {
      QOR::ComPtr<ScrivoDraw::DataPane> pane(new ScrivoDraw::DataPane());
      pane->SetDataSource(0, source.Get(), nullptr);
      pane->SetLaneCount(1);
      pane->SetClientSize(SIZE{400, 200});
      QOR::ComPtr<ScrivoDraw::GraticuleDrawer> graticule(
          new ScrivoDraw::GraticuleDrawer(0, RGB(128, 128, 128), {0, 0}));
      if (grid) pane->AddLaneDrawer(0, ScrivoDraw::kDrawerCachedLayer, graticule.Get());
      QOR::ComPtr<ScrivoDraw::PolyLineTraceDrawer> trace(new ScrivoDraw::PolyLineTraceDrawer(
          &kRed, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
      pane->AddLaneDrawer(0, 0, trace.Get());
      trace->SetValueRange(1, 0, &range, nullptr);
      pane->SetHorizontalScaling(scaling, nullptr);
      pane->UpdatePending();
      return pane;
    };
    auto pane = makePane(ScrivoDraw::PaneRational{10, 1});
    drawingtest::Canvas canvas(400, 200, RGB(0, 255, 0));
    pane->Paint(canvas.DC(), RECT{0, 0, 400, 200}, nullptr);
    const RECT lane = pane->Lane(0)->Rect();
    ASSERT_GT(RedIn(canvas, lane.left, lane.right, lane.top, lane.bottom), 300);
    ASSERT_EQ(S_OK, pane->SetHorizontalScaling(ScrivoDraw::PaneRational{5, 1}, nullptr));
    pane->UpdatePending();
    pane->Paint(canvas.DC(), RECT{0, 0, 400, 200}, nullptr);

    auto fresh = makePane(ScrivoDraw::PaneRational{5, 1});
    fresh->SetLeftPosition(pane->ScrollPos() - (lane.right - lane.left));
    fresh->UpdatePending();
    ASSERT_EQ(pane->ScrollPos(), fresh->ScrollPos());
    drawingtest::Canvas expected(400, 200, RGB(0, 255, 0));
    fresh->Paint(expected.DC(), RECT{0, 0, 400, 200}, nullptr);
    // One paint covers the whole lane: nothing of the canvas's green stays.
    int stale = 0, differing = 0, uncovered = 0;
    for (int y = lane.top; y < lane.bottom; ++y)
      for (int x = lane.left; x < lane.right; ++x) {
        stale += canvas.At(x, y) == kRed && expected.At(x, y) != kRed;
        differing += canvas.At(x, y) != expected.At(x, y);
        uncovered += expected.At(x, y) == RGB(0, 255, 0);
      }
    EXPECT_EQ(0, stale);
    EXPECT_EQ(0, differing);
    EXPECT_EQ(0, uncovered);
    pane->SetDataSource(0, nullptr, nullptr);
    fresh->SetDataSource(0, nullptr, nullptr);
  }
}

namespace {

// Dark (near black) pixels in the columns [left, right) of the rows [top, bottom).
int DarkIn(const drawingtest::Canvas& canvas, int left, int right, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const COLORREF c = canvas.At(x, y);
      count += GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
    }
  return count;
}

}  // namespace

// A lane showing values (the pane's default) keeps a label column before each record's samples:
// the labels, then a black separator just left of the first sample; the samples follow it. A
// preview's lane leaves its values to the axis in the pane's margin: its records start with the
// graticule's narrow margin, no label column repeating the values before time 0.
TEST(PaneRender, ALaneShowingValuesLabelsEachRecordBeforeItsSamples) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  const std::vector<std::pair<bool, int32_t>> cases{{false, 0}, {false, 1}, {true, 0}, {true, 1}};
  for (const auto& [preview, record] : cases) {
    SCOPED_TRACE(testing::Message() << (preview ? "preview, record " : "record ") << record);
    SinePane made;
    ASSERT_NO_FATAL_FAILURE(MakeSinePane(made, 2.0, 2.5, 0, preview));
    const auto& pane = made.pane;
    const int width = preview ? 2 : made.grid->LabelWidth();
    ASSERT_TRUE(preview || width > 20);
    const RECT lane = pane->Lane(0)->Rect();
    // The record's first tick at the left edge shows the record from its start (the last record
    // as far as the data reach).
    ASSERT_EQ(S_OK, pane->ScrollToTick(0, record));
    pane->UpdatePending();
    double first = 0.0;
    int64_t start = 0, end = 0;
    ASSERT_EQ(S_OK, pane->Scale()->TickToPosition(0, record, 0.0, &first));
    ASSERT_EQ(S_OK, pane->Scale()->GetRecordRange(record, &start, &end));
    const int64_t leftPosition = pane->ScrollPos() - pane->VisibleWidth();
    if (record == 0 && !preview) {  // the preview's records, narrower, end at the right edge
      EXPECT_EQ(0, leftPosition);
    }
    const int dataLeft = lane.left + static_cast<int>(first - static_cast<double>(leftPosition));
    EXPECT_EQ(width + 5, first - static_cast<double>(start));
    drawingtest::Canvas canvas(600, 200, RGB(0, 255, 0));
    pane->Paint(canvas.DC(), RECT{0, 0, 600, 200}, nullptr);
    // Value grid dots may cross the separator.
    if (!preview) {
      EXPECT_GE(DarkIn(canvas, dataLeft - 1, dataLeft, lane.top, lane.bottom), lane.bottom - lane.top - 4);
      EXPECT_GT(DarkIn(canvas, dataLeft - width, dataLeft - 2, lane.top, lane.bottom), 20) << "labels";
    }
    EXPECT_EQ(0, RedIn(canvas, lane.left + static_cast<int>(start - leftPosition), dataLeft, lane.top, lane.bottom));
    EXPECT_GT(RedIn(canvas, dataLeft, dataLeft + 150, lane.top, lane.bottom), 150);
    pane->SetDataSource(0, nullptr, nullptr);
  }
}
