// A whole pane painted into a DIB: a cached graticule, traces over two records, the time strip;
// both records' traces survive the second record's compositing, and the columns left of the
// data stay white.
#include "drawing/DataPane.h"
#include "drawing/GraticuleDrawer.h"
#include "drawing/TraceDrawers.h"
#include "host/app/HostFramework.h"
#include "host/view/PaneDataSource.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);

int RedIn(const drawingtest::Canvas& canvas, int left, int right, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += canvas.At(x, y) == kRed;
  return count;
}

}  // namespace

TEST(PaneRender, BothRecordsOverACachedGraticuleAndNothingLeftOfTheData) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  // 300 and 200 pixels of data in a pane 596 pixels wide: the data ends at the right edge.
  auto document = testsupport::MakeDataDocument({3000, 2000}, 0.001, [](int32_t, int32_t i) {
    return static_cast<float>(std::sin(2.0 * 3.14159265358979 * 3.0 * i / 1000.0));
  });
  host::HostPtr<host::PaneDataSource> source(new host::PaneDataSource(document), false);
  QOR::ComPtr<ScrivoDraw::DataPane> pane(new ScrivoDraw::DataPane());
  pane->SetDataSource(0, source.Get(), nullptr);
  pane->SetLaneCount(1);
  pane->SetClientSize(SIZE{600, 200});
  QOR::ComPtr<ScrivoDraw::GraticuleDrawer> grid(new ScrivoDraw::GraticuleDrawer(0, RGB(128, 128, 128), {0, 0}));
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(0, ScrivoDraw::kDrawerCachedLayer, grid.Get()));
  QOR::ComPtr<ScrivoDraw::PolyLineTraceDrawer> trace(new ScrivoDraw::PolyLineTraceDrawer(
      &kRed, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  ASSERT_EQ(S_OK, pane->AddLaneDrawer(0, 0, trace.Get()));
  const ScrivoDraw::ValueRange range{-1.5, 1.5};
  trace->SetValueRange(1, 0, &range, nullptr);
  pane->UpdatePending();
  ASSERT_EQ(500, pane->ScrollPos());
  drawingtest::Canvas canvas(600, 200, RGB(0, 255, 0));
  // The first paint fills the caches, the second composites them.
  for (int pass = 0; pass < 2; ++pass) pane->Paint(canvas.DC(), RECT{0, 0, 600, 200}, nullptr);
  const RECT& lane = pane->Lane(0)->Rect();
  const int zero = 598 - 500;  // position 0's column
  EXPECT_GT(RedIn(canvas, zero, zero + 300, lane.top, lane.bottom), 300);        // record 0
  EXPECT_GT(RedIn(canvas, zero + 300, zero + 500, lane.top, lane.bottom), 200);  // record 1
  EXPECT_EQ(0, RedIn(canvas, lane.left, zero, lane.top, lane.bottom));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(zero / 2, (lane.top + lane.bottom) / 2));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(zero / 2, pane->Strip()->Rect().top + 2));
  pane->SetDataSource(0, nullptr, nullptr);
}
