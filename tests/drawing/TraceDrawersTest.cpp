// Trace drawers over the stand-in host's point reader: a sine drawn column by column, a reader
// that misbehaves, pen widths on the screen and in print, units by source id.
#include "drawing/TraceDrawers.h"

#include "host/data/HorizontalScale.h"
#include "host/data/PaneDataSource.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using ScrivoDraw::PolyLineTraceDrawer;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr int kWidth = 200;
constexpr int kHeight = 100;

// 2000 samples of a 2 Hz sine at 1 kHz, drawn at 10 samples a pixel into 200 columns.
float Sine(int32_t, int32_t i) { return static_cast<float>(std::sin(2.0 * kPi * 2.0 * i / 1000.0)); }

// The row of a value as the lane shows the range -1.25 to 1.25.
double RowOf(double v) { return (1.25 - v) / 2.5 * (kHeight - 1); }

// A trace whose drawing loop can be run on a reader the test gives it.
class ExposedTrace final : public PolyLineTraceDrawer {
 public:
  ExposedTrace() : PolyLineTraceDrawer(&kInk, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}) {}
  int32_t Run(HDC dc, int32_t count, IPointReader* reader) {
    mReader = QOR::ComPtr<IPointReader>(reader);
    return DrawPoints(dc, count, 0, 0, kInk);
  }
};

// Answers as told, writing at most the capacity it is given.
class MisbehavingReader final : public QOR::SimpleUnknownImp1<IPointReader, IID_IUnknown> {
 public:
  MisbehavingReader(int32_t claimed, int32_t consumed) : mClaimed(claimed), mConsumed(consumed) {}
  HRESULT STDMETHODCALLTYPE ReadPoints(int64_t, int32_t, int32_t capacity, POINT* buffer, int32_t* points,
                                       int32_t* consumed) noexcept override {
    ++calls;
    for (int32_t i = 0; i < capacity && i < mClaimed; ++i) buffer[i] = POINT{10 + i / 2, (i % 2) ? 60 : 20};
    *points = mClaimed;
    *consumed = mConsumed;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPosition(int64_t* position) noexcept override {
    *position = 0;
    return S_OK;
  }
  int calls = 0;

 private:
  int32_t mClaimed;
  int32_t mConsumed;
};

class TraceDrawersTest : public ::testing::Test {
 protected:
  void Attach(PolyLineTraceDrawer& drawer, std::vector<int32_t> lengths, float (*value)(int32_t, int32_t)) {
    document = testsupport::MakeDataDocument(lengths, 0.001, value);
    scale = host::HostPtr<host::HorizontalScale>(new host::HorizontalScale(document), false);
    drawer.AttachPane(-1, static_cast<IRecordDataPixMap*>(scale.Get()));
    const RECT bounds{0, 0, kWidth, kHeight};
    drawer.SetBounds(0, &bounds);
    const ScrivoDraw::ValueRange range{-1.25, 1.25};
    drawer.SetValueRange(1, 0, &range, nullptr);
  }
  void DrawAll(PolyLineTraceDrawer& drawer, drawingtest::Canvas& canvas) {
    const RECT clip{0, 0, kWidth, kHeight};
    drawer.Draw(canvas.DC(), 0, kWidth, ScrivoDraw::DrawOrigin{0, 0}, 0, &clip, 0, 0, nullptr);
  }
  static bool Inked(const drawingtest::Canvas& canvas, int x, int y) { return canvas.At(x, y) == kInk; }

  host::HostPtr<host::DataDocument> document;
  host::HostPtr<host::HorizontalScale> scale;
};

}  // namespace

TEST_F(TraceDrawersTest, ASineLiesWithinOnePixelOfItsRowInEveryColumn) {
  QOR::ComPtr<PolyLineTraceDrawer> trace(
      new PolyLineTraceDrawer(&kInk, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  Attach(*trace, {2000}, Sine);
  drawingtest::Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
  DrawAll(*trace, canvas);
  for (int x = 0; x < kWidth; ++x) {
    // The sine over the column's samples 10x to 10x + 10, computed here.
    double low = 2.0, high = -2.0;
    for (int i = 10 * x; i <= 10 * x + 10 && i < 2000; ++i) {
      const double v = std::sin(2.0 * kPi * 2.0 * i / 1000.0);
      low = std::min(low, v);
      high = std::max(high, v);
    }
    const double top = RowOf(high) - 1.0;
    const double bottom = RowOf(low) + 1.0;
    bool any = false;
    for (int y = 0; y < kHeight; ++y) {
      if (!Inked(canvas, x, y)) continue;
      any = true;
      EXPECT_GE(y, top) << "column " << x;
      EXPECT_LE(y, bottom) << "column " << x;
    }
    EXPECT_TRUE(any) << "column " << x;
  }
  EXPECT_EQ(kWidth, trace->LastX());
}

TEST_F(TraceDrawersTest, AMisbehavingReaderEndsAndOnlyWholePairsAreDrawn) {
  QOR::ComPtr<ExposedTrace> trace(new ExposedTrace());
  drawingtest::Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
  // Over 256 points claimed: at most a chunk is drawn, and the loop goes on as positions remain.
  QOR::ComPtr<MisbehavingReader> tooMany(new MisbehavingReader(300, 5));
  EXPECT_EQ(20, trace->Run(canvas.DC(), 20, tooMany.Get()));
  EXPECT_EQ(4, tooMany->calls);
  // A full chunk that consumed nothing: the loop ends.
  QOR::ComPtr<MisbehavingReader> stuck(new MisbehavingReader(256, 0));
  EXPECT_EQ(0, trace->Run(canvas.DC(), 50, stuck.Get()));
  EXPECT_EQ(1, stuck->calls);
  // An odd count: the seven points give three segments, the seventh point none.
  drawingtest::Canvas odd(kWidth, kHeight, RGB(255, 255, 255));
  QOR::ComPtr<MisbehavingReader> seven(new MisbehavingReader(7, 1));
  EXPECT_EQ(1, trace->Run(odd.DC(), 1, seven.Get()));
  EXPECT_TRUE(Inked(odd, 12, 30));   // the third pair, at x 12
  EXPECT_FALSE(Inked(odd, 13, 30));  // the seventh point would start a fourth at x 13
}

// A step from -1 to 1 between two samples: one steep segment whose width is the pen's.
float Step(int32_t, int32_t i) { return i < 1000 ? -1.0f : 1.0f; }

TEST_F(TraceDrawersTest, OnTheScreenOnePixelInPrintTheSourceWidthTimesTheDeviceScale) {
  host::HostPtr<host::PaneDataSource> source(new host::PaneDataSource(testsupport::MakeDataDocument({1}, 0.001)), false);
  host::PaneDataSource::TraceSettings wide;
  wide.penWidth = 2;
  source->SetTrace(0, wide);
  drawingtest::StubDrawerPane pane;
  for (const bool printing : {false, true}) {
    QOR::ComPtr<PolyLineTraceDrawer> trace(new PolyLineTraceDrawer(&kInk, 1, 0, ScrivoDraw::kTraceKind, {0, 0},
                                                                   {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
    Attach(*trace, {2000}, Step);
    trace->OnSourceChanged(static_cast<IPaneDataSource*>(source.Get()), 0, -1);
    pane.printContext = printing ? 1u : 0u;
    pane.deviceScale = printing ? 4.0 : 1.0;
    trace->SetDataPane(&pane);
    drawingtest::Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
    DrawAll(*trace, canvas);
    int run = 0;
    for (int x = 0; x < kWidth; ++x) run += Inked(canvas, x, kHeight / 2) ? 1 : 0;
    EXPECT_EQ(printing ? 8 : 1, run) << printing;
  }
}

TEST_F(TraceDrawersTest, UnitsOnlyForTheDrawersSourceId) {
  QOR::ComPtr<PolyLineTraceDrawer> trace(
      new PolyLineTraceDrawer(&kInk, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  Attach(*trace, {2000}, Sine);
  QOR::IQORString* text = reinterpret_cast<QOR::IQORString*>(1);
  EXPECT_EQ(S_FALSE, trace->GetUnitsText(2, 0, &text, nullptr));
  EXPECT_EQ(nullptr, text);
  VARIANT_BOOL valid = VARIANT_FALSE;
  ASSERT_EQ(S_OK, trace->GetUnitsText(1, 0, &text, &valid));
  EXPECT_STREQ(L"V", QOR::String::Adopt(text).GetText());
  EXPECT_EQ(VARIANT_TRUE, valid);
  double scale = 0.0, range[2] = {0.0, 0.0}, factor = 0.0;
  trace->SetDisplayMode(1);
  ASSERT_EQ(S_OK, trace->GetUnitsInfo(1, 0, &text, &valid, &scale, range, &factor));
  QOR::String::Adopt(text);
  EXPECT_EQ(1.0, scale);
  EXPECT_NEAR(-1.0, range[0], 1e-6);
  EXPECT_NEAR(1.0, range[1], 1e-6);
  EXPECT_EQ(S_FALSE, trace->SetValueRange(2, 0, nullptr, nullptr));
  int32_t id = 0;
  trace->GetSourceId(&id);
  EXPECT_EQ(1, id);
}

TEST_F(TraceDrawersTest, CustomUnitsAndTheNullTrace) {
  class Percent final : public ScrivoDraw::UnitMapper {
   public:
    Percent() : UnitMapper(0, 0) {}
    QOR::String Map(const QOR::String& units) const override {
      QOR::String text(L"% of ");
      text += units;
      return text;
    }
  };
  QOR::ComPtr<ScrivoDraw::CustomUnitsPolyLineTraceDrawer> custom(new ScrivoDraw::CustomUnitsPolyLineTraceDrawer(
      std::make_unique<Percent>(), &kInk, 1, 0, ScrivoDraw::kTraceKind, {0, 0},
      {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  Attach(*custom, {2000}, Sine);
  QOR::IQORString* text = nullptr;
  ASSERT_EQ(S_OK, custom->GetUnitsText(1, 0, &text, nullptr));
  EXPECT_STREQ(L"% of V", QOR::String::Adopt(text).GetText());
  QOR::ComPtr<ScrivoDraw::NullTraceDrawer> follower(new ScrivoDraw::NullTraceDrawer({0, 0}));
  Attach(*follower, {2000}, Sine);
  EXPECT_EQ(S_FALSE, follower->GetUnitsText(0, 0, &text, nullptr));
  drawingtest::Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
  const RECT clip{0, 0, kWidth, kHeight};
  follower->Draw(canvas.DC(), 0, kWidth, ScrivoDraw::DrawOrigin{0, 0}, 0, &clip, ScrivoDraw::kPaintSampledRecord, 0,
                 nullptr);
  for (int x = 0; x < kWidth; x += 7) EXPECT_FALSE(Inked(canvas, x, kHeight / 2)) << x;
  EXPECT_EQ(kWidth, follower->LastX());
  follower->SetPositionOffset(50);
  int64_t first = 0;
  ASSERT_EQ(S_OK, follower->OnNewData(0, 0, &first));
  EXPECT_EQ(kWidth - 50, first);  // the kept reader stands at the end, less the offset
}

TEST_F(TraceDrawersTest, APositionMapperMovesTheStartAndChoosesTheColourOrNoTrace) {
  constexpr COLORREF kRed = RGB(255, 0, 0);
  QOR::ComPtr<PolyLineTraceDrawer> trace(new PolyLineTraceDrawer(
      &kRed, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  Attach(*trace, {2000}, Sine);
  QOR::ComPtr<drawingtest::MappedSource> mapped;
  mapped.Attach(new drawingtest::MappedSource(static_cast<IRecordDataPixMap*>(scale.Get())));
  ASSERT_EQ(S_OK, trace->AttachPane(-1, static_cast<IPositionMapper*>(mapped.Get())));
  const auto columns = [](const drawingtest::Canvas& canvas, COLORREF colour) {
    std::vector<int> found;
    for (int x = 0; x < kWidth; ++x)
      for (int y = 0; y < kHeight; ++y)
        if (canvas.At(x, y) == colour) {
          found.push_back(x);
          break;
        }
    return found;
  };
  // The mapper's first position 50 is where the trace begins.
  mapped->mappedFirst = 50;
  drawingtest::Canvas later(kWidth, kHeight, RGB(255, 255, 255));
  DrawAll(*trace, later);
  const std::vector<int> red = columns(later, kRed);
  ASSERT_FALSE(red.empty());
  EXPECT_EQ(50, red.front());
  EXPECT_EQ(kWidth, trace->LastX());
  EXPECT_EQ(std::vector<uint32_t>{0u}, mapped->requests);
  // Mode 2: the trace in black; mode 3 (the caller's colour, which a trace does not take): none.
  mapped->mappedFirst = 0;
  mapped->mode = 2;
  drawingtest::Canvas black(kWidth, kHeight, RGB(255, 255, 255));
  DrawAll(*trace, black);
  EXPECT_TRUE(columns(black, kRed).empty());
  EXPECT_EQ(static_cast<size_t>(kWidth), columns(black, kInk).size());
  mapped->mode = 3;
  drawingtest::Canvas none(kWidth, kHeight, RGB(255, 255, 255));
  DrawAll(*trace, none);
  EXPECT_TRUE(columns(none, kRed).empty());
  EXPECT_TRUE(columns(none, kInk).empty());
  // Attached to the plain scale again, the mapper is gone: red from the first column.
  trace->AttachPane(-1, static_cast<IRecordDataPixMap*>(scale.Get()));
  drawingtest::Canvas plain(kWidth, kHeight, RGB(255, 255, 255));
  DrawAll(*trace, plain);
  EXPECT_EQ(static_cast<size_t>(kWidth), columns(plain, kRed).size());
}

// A data request of the drawer's source goes to the host data file with the drawer's channel;
// another source's is not the drawer's.
TEST_F(TraceDrawersTest, DataRequestsOfItsSourceReachTheHostDataFile) {
  QOR::ComPtr<PolyLineTraceDrawer> unattached(
      new PolyLineTraceDrawer(&kInk, 1, 0, ScrivoDraw::kTraceKind, {0, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
  EXPECT_EQ(E_FAIL, unattached->RequestData(0, 1, 0, 100, 0, 0, nullptr));
  for (const int32_t channel : {0, 3}) {
    QOR::ComPtr<PolyLineTraceDrawer> trace(new PolyLineTraceDrawer(
        &kInk, 1, 0, ScrivoDraw::kTraceKind, {channel, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}));
    Attach(*trace, {2000}, Sine);
    EXPECT_EQ(S_FALSE, trace->RequestData(0, 2, 0, 100, 0, 0, nullptr)) << channel;
    EXPECT_EQ(channel == 0 ? S_OK : E_INVALIDARG, trace->RequestData(0x10, 1, 0, 100, 0, 0, nullptr)) << channel;
  }
}
