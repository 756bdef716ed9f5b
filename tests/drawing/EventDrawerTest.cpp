// The event drawer: marks sized by the resolution, coloured by the draw class, events without a
// value and at the range's end left out, the last event's x kept.
#include "drawing/EventDrawer.h"

#include "host/data/HorizontalScale.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/AskedScreenDpi.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

using ScrivoDraw::EventDrawer;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kClassColour = RGB(200, 30, 60);
constexpr int kHeight = 60;

#pragma pack(push, 4)
struct Event {
  int32_t tick;
  float fraction;
  double value;
  int32_t extra[2];
};
#pragma pack(pop)

// Hands out the events it holds, one buffer, with a class value.
class FakeEvents final : public QOR::SimpleUnknownImp1<IEventBuffer, IID_IEventBuffer> {
 public:
  FakeEvents(std::vector<Event> events, uint32_t classValue) : mEvents(std::move(events)), mClass(classValue) {}
  HRESULT STDMETHODCALLTYPE GetClassValue(uint32_t* value) noexcept override {
    *value = mClass;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReadEvents(int32_t capacity, void* buffer, int32_t* size, int32_t* count) noexcept override {
    *size = sizeof(Event);
    *count = 0;
    if (mRead || static_cast<size_t>(capacity) < mEvents.size() * sizeof(Event)) return S_FALSE;
    std::memcpy(buffer, mEvents.data(), mEvents.size() * sizeof(Event));
    *count = static_cast<int32_t>(mEvents.size());
    mRead = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRecord(int32_t* record) noexcept override {
    *record = 0;
    return S_OK;
  }

 private:
  std::vector<Event> mEvents;
  uint32_t mClass;
  bool mRead = false;
};

class FakeDrawClass final : public QOR::SimpleUnknownImp1<IPODEventDrawClass, IID_IPODEventDrawClass> {
 public:
  HRESULT STDMETHODCALLTYPE GetColour(uint32_t, const void*, COLORREF* colour) noexcept override {
    *colour = kClassColour;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTooltip(uint32_t, IUnknown*, int32_t, const void*, double,
                                       QOR::IQORString**) noexcept override {
    return E_NOTIMPL;
  }
};

// An event drawer at a chosen resolution (0: the device's own), reading the test's events, class
// 7 drawn by the fake.
class TestEventDrawer final : public EventDrawer {
 public:
  explicit TestEventDrawer(int32_t dpi) : EventDrawer({1, 0}, {ScrivoDraw::kLayerPairAll, ScrivoDraw::kLayerPairAllSecond}), mDpi(dpi) {}
  void Give(IEventBuffer* events) { mReader = QOR::ComPtr<IEventBuffer>(events); }

 protected:
  int32_t HorizontalDpi(HDC dc) const noexcept override { return mDpi ? mDpi : EventDrawer::HorizontalDpi(dc); }
  HRESULT FindDrawClass(uint32_t value, IPODEventDrawClass** drawClass) noexcept override {
    if (value != 7) return E_FAIL;
    *drawClass = new FakeDrawClass();
    (*drawClass)->AddRef();
    return S_OK;
  }

 private:
  int32_t mDpi;
};

class EventDrawerTest : public ::testing::Test {
 protected:
  // 1000 samples at 1 ms, 1 sample a pixel: tick t is column t.
  void SetUp() override {
    scale = host::HostPtr<host::HorizontalScale>(
        new host::HorizontalScale(testsupport::MakeDataDocument({1000}, 0.001)), false);
    scale->SetScale(1, 1);
  }
  void Draw(TestEventDrawer& drawer, std::vector<Event> events, uint32_t classValue, drawingtest::Canvas& canvas) {
    drawer.AttachPane(-1, static_cast<IRecordDataPixMap*>(scale.Get()));
    const RECT bounds{0, 0, 200, kHeight};
    drawer.SetBounds(0, &bounds);
    drawer.Give(QOR::ComPtr<FakeEvents>(new FakeEvents(std::move(events), classValue)).Get());
    drawer.Draw(canvas.DC(), 0, 100, ScrivoDraw::DrawOrigin{0, 0}, 0, &bounds, 0, 0, nullptr);
  }
  // Widths of the inked span of a row around x, and the height of the mark down column x.
  // The span of inked pixels of row y within 15 columns of x.
  static int RunAcross(const drawingtest::Canvas& c, int x, int y) {
    int left = -1, right = -2;
    for (int i = x - 15; i <= x + 15; ++i) {
      if (c.At(i, y) == kWhite) continue;
      if (left < 0) left = i;
      right = i;
    }
    return right - left + 1;
  }
  static int RunDown(const drawingtest::Canvas& c, int x) {
    int y = 0;
    while (c.At(x, y) != kWhite) ++y;
    return y;
  }
  host::HostPtr<host::HorizontalScale> scale;
};

}  // namespace

TEST(EventMarkSizes, FollowTheResolution) {
  EXPECT_EQ(3, ScrivoDraw::MarkSizesFor(96).radius);
  EXPECT_EQ(7, ScrivoDraw::MarkSizesFor(96).diameter);
  EXPECT_EQ(1, ScrivoDraw::MarkSizesFor(96).lineWidth);
  EXPECT_EQ(13, ScrivoDraw::MarkSizesFor(192).diameter);
  EXPECT_EQ(2, ScrivoDraw::MarkSizesFor(192).lineWidth);
  EXPECT_EQ(7, ScrivoDraw::MarkSizesFor(72).diameter);  // never below the screen's
}

TEST_F(EventDrawerTest, AtNinetySixDpiASevenPixelCircleAndAOnePixelLine) {
  QOR::ComPtr<TestEventDrawer> drawer(new TestEventDrawer(96));
  drawingtest::Canvas canvas(200, kHeight, kWhite);
  Draw(*drawer, {{40, 0.0f, 1.0, {0, 0}}}, 0, canvas);
  EXPECT_EQ(7, RunAcross(canvas, 40, 3));        // through the circle's middle row
  EXPECT_EQ(kWhite, canvas.At(40, 3));           // no draw class: white inside
  EXPECT_EQ(1, RunAcross(canvas, 40, 30));       // the dotted line below it
  EXPECT_NE(canvas.At(40, 30), canvas.At(40, 31));  // dots on alternate rows
  EXPECT_DOUBLE_EQ(40.0, drawer->LastEventX());
}

TEST_F(EventDrawerTest, AtOneNinetyTwoDpiThirteenPixelsAndTwoLinesSideBySide) {
  QOR::ComPtr<TestEventDrawer> drawer(new TestEventDrawer(192));
  drawingtest::Canvas canvas(200, kHeight, kWhite);
  Draw(*drawer, {{40, 0.0f, 1.0, {0, 0}}}, 7, canvas);
  EXPECT_EQ(13, RunAcross(canvas, 40, 6));
  EXPECT_EQ(13, RunDown(canvas, 40));
  EXPECT_EQ(kClassColour, canvas.At(40, 6));  // the draw class fills the circle
  EXPECT_EQ(2, RunAcross(canvas, 40, 30));
}

TEST_F(EventDrawerTest, NoValueNothingAndTheRangesEndIsNotDrawn) {
  QOR::ComPtr<TestEventDrawer> drawer(new TestEventDrawer(96));
  drawingtest::Canvas canvas(200, kHeight, kWhite);
  const double none = std::numeric_limits<double>::quiet_NaN();
  Draw(*drawer, {{20, 0.0f, none, {0, 0}}, {30, 0.0f, 2.0, {0, 0}}, {100, 0.0f, 3.0, {0, 0}}}, 0, canvas);
  for (int y = 0; y < kHeight; ++y) EXPECT_EQ(kWhite, canvas.At(20, y)) << y;
  EXPECT_NE(kWhite, canvas.At(30, 0));
  for (int y = 0; y < kHeight; ++y) EXPECT_EQ(kWhite, canvas.At(100, y)) << y;
  EXPECT_DOUBLE_EQ(30.0, drawer->LastEventX());
  int64_t first = 0;
  EXPECT_EQ(S_FALSE, drawer->OnNewData(0, 0, &first));  // the reader went with the paint
}

TEST_F(EventDrawerTest, APositionMapperThatCannotPlaceTheColumnsEndsThePaint) {
  QOR::ComPtr<drawingtest::MappedSource> mapped;
  mapped.Attach(new drawingtest::MappedSource(static_cast<IRecordDataPixMap*>(scale.Get())));
  const auto drawWith = [&](HRESULT answer, drawingtest::Canvas& canvas) {
    QOR::ComPtr<TestEventDrawer> drawer(new TestEventDrawer(96));
    mapped->answer = answer;
    drawer->AttachPane(-1, static_cast<IPositionMapper*>(mapped.Get()));
    const RECT bounds{0, 0, 200, kHeight};
    drawer->SetBounds(0, &bounds);
    drawer->Give(QOR::ComPtr<FakeEvents>(new FakeEvents({{40, 0.0f, 1.0, {0, 0}}}, 0)).Get());
    drawer->Draw(canvas.DC(), 0, 100, ScrivoDraw::DrawOrigin{0, 0}, 0, &bounds, 0, 0, nullptr);
  };
  drawingtest::Canvas refused(200, kHeight, kWhite);
  drawWith(S_FALSE, refused);
  for (int y = 0; y < kHeight; ++y) ASSERT_EQ(kWhite, refused.At(40, y)) << y;
  drawingtest::Canvas placed(200, kHeight, kWhite);
  drawWith(S_OK, placed);
  EXPECT_EQ(7, RunAcross(placed, 40, 3));
  // The columns are asked for as ticks.
  EXPECT_EQ((std::vector<uint32_t>{0x80000000u, 0x80000000u}), mapped->requests);
}

// At the screen's own resolution: 96 dpi in the usual test run; the run of this test alone in a
// prefix whose screen has 192 dpi (ONDARA_SCREEN_DPI tells it so) draws 13 pixels and two lines.
TEST_F(EventDrawerTest, MarksFollowTheScreensOwnResolution) {
  HDC const screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (const int asked = testsupport::AskedScreenDpi()) {
    ASSERT_EQ(asked, dpi);
  }
  ASSERT_TRUE(dpi == 96 || dpi == 192) << dpi;
  QOR::ComPtr<TestEventDrawer> drawer(new TestEventDrawer(0));
  drawingtest::Canvas canvas(200, kHeight, kWhite);
  Draw(*drawer, {{40, 0.0f, 1.0, {0, 0}}}, 7, canvas);
  const int across = dpi == 192 ? 13 : 7;
  EXPECT_EQ(across, RunAcross(canvas, 40, across / 2));
  EXPECT_EQ(across, RunDown(canvas, 40));
  EXPECT_EQ(kClassColour, canvas.At(40, across / 2));
  EXPECT_EQ(dpi / 96, RunAcross(canvas, 40, 30));
  EXPECT_NE(canvas.At(40, 30), canvas.At(40, 31));  // dotted
}
