// The graticule: dotted value rows fixed to absolute positions, bands beyond the valid range,
// no grid without ticks, templates kept for an empty lane, margins asked of the source, the label
// column or axis line left of the data's start, and the metafile variant's dotted geometric pen.
#include "drawing/GraticuleDrawer.h"

#include "graph/ScaleFactory.h"
#include "host/app/HostFramework.h"
#include "host/data/HorizontalScale.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/graph/FakeScale.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ScrivoDraw::GraticuleDrawer;

namespace {

constexpr COLORREF kGrid = RGB(0, 0, 255);
constexpr int kHeight = 60;
constexpr int kWidth = 90;

// Ticks the graticule cannot read.
class NoTicks final : public QOR::SimpleUnknownImp1<IScaleTicks, IID_IScaleTicks> {
 public:
  HRESULT STDMETHODCALLTYPE GetTickCount(int32_t*) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE GetTicks(int32_t, ScaleTick*, int32_t*) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE GetPixelRect(RECT*) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE SetDataRange(double, double) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValidRange(double*, double*) noexcept override { return E_FAIL; }
};

int CALLBACK NotePenStyle(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  // A pen this simple may be stored in the plain pen record (Wine does so).
  if (record->iType == EMR_EXTCREATEPEN)
    reinterpret_cast<std::vector<DWORD>*>(data)->push_back(
        reinterpret_cast<const EMREXTCREATEPEN*>(record)->elp.elpPenStyle);
  if (record->iType == EMR_CREATEPEN)
    reinterpret_cast<std::vector<DWORD>*>(data)->push_back(reinterpret_cast<const EMRCREATEPEN*>(record)->lopn.lopnStyle);
  return 1;
}

int CALLBACK NoteType(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  *reinterpret_cast<std::string*>(data) += std::to_string(record->iType) + " ";
  return 1;
}
std::string RecordTypes(HENHMETAFILE picture) {
  std::string types;
  EnumEnhMetaFile(nullptr, picture, &NoteType, &types, nullptr);
  return types;
}

class GraticuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = QOR::ComPtr<GraticuleDrawer>(new GraticuleDrawer(0, kGrid, {0, 0}));
    const RECT bounds{0, 0, kWidth, kHeight};
    grid->SetBounds(0, &bounds);
    axis.ticks = {10, 30};
    axis.limits = {-1e300, 1e300};
  }
  void Range(IUnknown* ticks) {
    const ScrivoDraw::ValueRange range{-1.0, 1.0};
    ASSERT_EQ(S_OK, grid->SetValueRange(1, 0, &range, ticks));
  }
  // Time lines every 30 positions from position 15.
  void Paint(drawingtest::Canvas& canvas, int64_t first) {
    ScrivoDraw::LaneSegment segment;
    segment.gridOrigin = 15.0;
    segment.gridSpacing = 30.0;
    const RECT clip{0, 0, kWidth, kHeight};
    grid->Draw(canvas.DC(), first, first + kWidth, ScrivoDraw::DrawOrigin{first, 0}, 0, &clip, 0, 0, &segment);
  }
  std::vector<int> GridColumns(const drawingtest::Canvas& canvas, int row) {
    std::vector<int> columns;
    for (int x = 0; x < kWidth; ++x)
      if (canvas.At(x, row) == kGrid) columns.push_back(x);
    return columns;
  }
  QOR::ComPtr<GraticuleDrawer> grid;
  FakeScale axis{'y'};
};

}  // namespace

TEST_F(GraticuleTest, ValueRowsDotEveryThirdAbsolutePositionAndStayWhenScrolled) {
  Range(static_cast<IDragScale*>(&axis));
  drawingtest::Canvas canvas(kWidth, kHeight);
  Paint(canvas, 0);
  const std::vector<int> row = GridColumns(canvas, 10);
  ASSERT_GE(row.size(), 29u);
  for (int x : row) EXPECT_TRUE(x % 3 == 0 || (x + 15) % 30 == 0) << x;  // value dots, or a time line
  EXPECT_EQ(kGrid, canvas.At(3, 10));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(4, 10));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(4, 20));  // no tick on row 20
  // Time lines at positions 15, 45, 75, dotted every third row.
  EXPECT_EQ(kGrid, canvas.At(15, 0));
  EXPECT_EQ(kGrid, canvas.At(15, 3));
  EXPECT_NE(kGrid, canvas.At(15, 1));
  // One position further on: the dots stay on the same positions (now one column to the left).
  drawingtest::Canvas scrolled(kWidth, kHeight);
  Paint(scrolled, 1);
  EXPECT_EQ(kGrid, scrolled.At(2, 10));
  EXPECT_NE(kGrid, scrolled.At(3, 10));
  EXPECT_EQ(kGrid, scrolled.At(14, 0));
}

TEST_F(GraticuleTest, BandsOnlyWhereTheValidRangeEndsInsideTheLane) {
  axis.limits = {-0.5, 2.0};  // the low end at row 45; the high end above the lane
  Range(static_cast<IDragScale*>(&axis));
  EXPECT_FALSE(grid->TopBand());
  EXPECT_TRUE(grid->BottomBand());
  drawingtest::Canvas canvas(kWidth, kHeight);
  Paint(canvas, 0);
  EXPECT_EQ(ScrivoDraw::kBandColour, canvas.At(1, 50));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(1, 5));
  axis.limits = {-1.0, 1.0};  // exactly the lane's ends: no band
  Range(static_cast<IDragScale*>(&axis));
  EXPECT_FALSE(grid->TopBand());
  EXPECT_FALSE(grid->BottomBand());
}

TEST_F(GraticuleTest, WithoutTicksNoGridAndTheLightBackground) {
  QOR::ComPtr<NoTicks> none(new NoTicks());
  Range(none.Get());
  drawingtest::Canvas canvas(kWidth, kHeight);
  Paint(canvas, 0);
  for (int x = 0; x < kWidth; ++x)
    for (int y : {0, 10, 30})
      ASSERT_EQ(GetSysColor(COLOR_3DLIGHT), canvas.At(x, y)) << x << "," << y;
}

TEST_F(GraticuleTest, AnEmptyLaneKeepsItsTemplatesAndOtherSourcesAreRefused) {
  HBITMAP const before = grid->ValueTemplate();
  ASSERT_TRUE(before);
  const RECT empty{0, 0, kWidth, 0};
  grid->SetBounds(0, &empty);
  EXPECT_EQ(before, grid->ValueTemplate());
  const ScrivoDraw::ValueRange range{0.0, 1.0};
  EXPECT_EQ(S_FALSE, grid->SetValueRange(2, 0, &range, nullptr));
}

TEST_F(GraticuleTest, MarginRequestsReachTheSourceInOrder) {
  host::HostPtr<host::HorizontalScale> scale(new host::HorizontalScale(testsupport::MakeDataDocument({10}, 0.001)),
                                             false);
  grid->AttachPane(-1, static_cast<IRecordDataPixMap*>(scale.Get()));
  drawingtest::StubDrawerPane pane;
  grid->SetDataPane(&pane);
  using Request = std::pair<uint32_t, int32_t>;
  EXPECT_EQ((std::vector<Request>{{0u, 0}, {0x80000001u, 7}, {0x80000002u, 7}}), scale->MarginRequests());
  EXPECT_EQ(2, grid->LabelWidth());
}

TEST_F(GraticuleTest, ALaneShowingValuesTakesItsGridFromThePanesReadOutOncePerRecord) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  host::HostPtr<host::HorizontalScale> scale(new host::HorizontalScale(testsupport::MakeDataDocument({10}, 0.001)),
                                             false);
  grid->AttachPane(-1, static_cast<IRecordDataPixMap*>(scale.Get()));
  drawingtest::StubDrawerPane pane;
  pane.attributes = 1;
  pane.readOutLow = -5.0;
  pane.readOutHigh = 5.0;
  grid->SetDataPane(&pane);
  EXPECT_GT(grid->LabelWidth(), 2);  // ten characters
  drawingtest::Canvas canvas(kWidth, kHeight);
  const RECT clip{0, 0, kWidth, kHeight};
  grid->Draw(canvas.DC(), 0, kWidth, ScrivoDraw::DrawOrigin{0, 0}, 0, &clip, 0, 3, nullptr);
  grid->Draw(canvas.DC(), 0, kWidth, ScrivoDraw::DrawOrigin{0, 0}, 0, &clip, 0, 3, nullptr);
  EXPECT_EQ(std::vector<int32_t>({3}), pane.readOuts);
  // The label scale's tick of 0 (from -5 to 5) becomes a dotted row, dots every third column
  // with the pane's pixels per millimetre.
  EXPECT_EQ(kGrid, canvas.At(3, 30));
  EXPECT_NE(kGrid, canvas.At(4, 30));
  EXPECT_NE(kGrid, canvas.At(3, 29));
  grid->Refresh(0);
  grid->Draw(canvas.DC(), 0, kWidth, ScrivoDraw::DrawOrigin{0, 0}, 0, &clip, 0, 3, nullptr);
  EXPECT_EQ(2u, pane.readOuts.size());
}

TEST_F(GraticuleTest, TheMetafileCopyDrawsWithADottedGeometricPen) {
  Range(static_cast<IDragScale*>(&axis));
  QOR::ComPtr<IScrivoRecordDrawer> copy;
  ASSERT_EQ(S_OK, grid->CloneForOutput(0x40000000u, copy.Out()));
  const RECT bounds{0, 0, kWidth, kHeight};
  copy->SetBounds(0, &bounds);
  const ScrivoDraw::ValueRange range{-1.0, 1.0};
  copy->SetValueRange(1, 0, &range, static_cast<IDragScale*>(&axis));
  HDC const metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(metafile);
  ScrivoDraw::LaneSegment segment;
  segment.gridOrigin = 15.0;
  segment.gridSpacing = 30.0;
  copy->Draw(metafile, 0, kWidth, ScrivoDraw::DrawOrigin{0, 0}, 0, &bounds, 0, 0, &segment);
  HENHMETAFILE const picture = CloseEnhMetaFile(metafile);
  ASSERT_TRUE(picture);
  std::vector<DWORD> styles;
  EnumEnhMetaFile(nullptr, picture, &NotePenStyle, &styles, nullptr);
  ASSERT_FALSE(styles.empty()) << RecordTypes(picture);
  for (DWORD style : styles) EXPECT_EQ(static_cast<DWORD>(PS_GEOMETRIC | PS_DOT), style & (PS_TYPE_MASK | PS_STYLE_MASK));
  drawingtest::Canvas canvas(kWidth, kHeight);
  const RECT all{0, 0, kWidth, kHeight};
  PlayEnhMetaFile(canvas.DC(), picture, &all);
  DeleteEnhMetaFile(picture);
  // The same lines as on the screen: value rows 10 and 30, time lines at 15, 45 and 75 (Wine
  // plays a one-pixel geometric dotted pen back solid, so only where the lines lie is compared).
  int onRow = 0, offRow = 0, onLine = 0, offLine = 0;
  for (int x = 0; x < kWidth; ++x) onRow += canvas.At(x, 10) == kGrid, offRow += canvas.At(x, 20) == kGrid;
  for (int y = 0; y < kHeight; ++y) onLine += canvas.At(45, y) == kGrid, offLine += canvas.At(46, y) == kGrid;
  EXPECT_GT(onRow, kWidth / 4);
  EXPECT_EQ(3, offRow);  // only where the time lines cross
  EXPECT_GT(onLine, kHeight / 4);
  EXPECT_EQ(2, offLine);  // only where the value rows cross
}

namespace {

// A lane showing values of the one channel of a two-record document, laid out on a wide canvas.
class LabelColumnTest : public GraticuleTest {
 protected:
  static constexpr int kWide = 200;
  void SetUp() override {
    GraticuleTest::SetUp();
    ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
    const RECT bounds{0, 0, kWide, kHeight};
    grid->SetBounds(0, &bounds);
    grid->AttachPane(-1, static_cast<IRecordDataPixMap*>(scale.Get()));
    pane.attributes = 1;
    pane.readOutLow = -5.0;
    pane.readOutHigh = 5.0;
    grid->SetDataPane(&pane);
  }
  // The lane's origin at position offset; the range argument is record.
  void Paint(drawingtest::Canvas& canvas, int64_t offset, int32_t record) {
    const RECT clip{0, 0, kWide, kHeight};
    grid->Draw(canvas.DC(), 0, kWide, ScrivoDraw::DrawOrigin{offset, 0}, 0, &clip, 0, record, nullptr);
  }
  int Count(const drawingtest::Canvas& canvas, int from, int to, COLORREF colour) {
    int n = 0;
    for (int x = from; x < to; ++x)
      for (int y = 0; y < kHeight; ++y) n += canvas.At(x, y) == colour;
    return n;
  }
  // Pixels of text: neither the background nor the grid.
  int Inked(const drawingtest::Canvas& canvas, int from, int to) {
    int n = 0;
    for (int x = from; x < to; ++x)
      for (int y = 0; y < kHeight; ++y) n += canvas.At(x, y) != RGB(255, 255, 255) && canvas.At(x, y) != kGrid;
    return n;
  }
  host::HostPtr<host::HorizontalScale> scale{
      new host::HorizontalScale(testsupport::MakeDataDocument({100, 100}, 0.001)), false};
  drawingtest::StubDrawerPane pane;
};

}  // namespace

TEST_F(LabelColumnTest, TheLabelColumnIsTenCharactersOfTheLabelScaleAndTheSourceIsToldSo) {
  QOR::ComPtr<IDragScale> made;
  ASSERT_EQ(S_OK, MGraph1::CreateScale(made.Out(), 0, 0, kScaleCreateY));
  QOR::ComPtr<IScaleLabels> labels;
  ASSERT_EQ(S_OK, made.As(IID_IScaleLabels, labels));
  int32_t one = 0, ten = 0;
  ASSERT_EQ(S_OK, labels->GetLabelWidth(nullptr, 1, &one));
  ASSERT_EQ(S_OK, labels->GetLabelWidth(nullptr, 10, &ten));
  EXPECT_GT(one, 2);
  EXPECT_EQ(10 * one, ten);
  EXPECT_EQ(ten, grid->LabelWidth());
  using Request = std::pair<uint32_t, int32_t>;
  const std::vector<Request>& asked = scale->MarginRequests();
  ASSERT_GE(asked.size(), 3u);
  EXPECT_EQ((std::vector<Request>{{0u, 0}, {0x80000001u, 7}, {0x80000002u, ten + 5}}),
            std::vector<Request>(asked.end() - 3, asked.end()));
}

TEST_F(LabelColumnTest, LabelsAndTheirSeparatorStandLeftOfTheDataStartWhenTheChannelHoldsValues) {
  const int width = grid->LabelWidth();
  ASSERT_LT(width, 110);
  drawingtest::Canvas canvas(kWide, kHeight);
  Paint(canvas, -120, 1);  // the data start at column 120
  for (int y = 0; y < kHeight; ++y) ASSERT_EQ(RGB(0, 0, 0), canvas.At(119, y)) << y;
  EXPECT_GT(Inked(canvas, 120 - width, 118), 10);  // the values -5 ... 5
  EXPECT_EQ(0, Inked(canvas, 0, 120 - width));
  EXPECT_EQ(0, Inked(canvas, 118, 119));
  EXPECT_EQ(0, Inked(canvas, 120, kWide));
  // No record (-1), or a channel with no values in the record: no labels; a two-pixel axis line
  // three columns left of the data start instead.
  for (int32_t channel : {0, 7}) {
    pane.extent[0] = channel;
    drawingtest::Canvas plain(kWide, kHeight);
    Paint(plain, -120, channel == 0 ? -1 : 1);
    const int line = Count(plain, 0, kWide, RGB(0, 0, 128));
    EXPECT_EQ(line, Inked(plain, 0, kWide)) << channel;
    EXPECT_LE(line, 2 * (kHeight - 4)) << channel;
    EXPECT_GE(line, 2 * (kHeight - 4) - 4) << channel;  // grid dots may cross it
    EXPECT_EQ(RGB(0, 0, 128), plain.At(117, 2));
    EXPECT_EQ(RGB(0, 0, 128), plain.At(118, kHeight - 3));
    EXPECT_NE(RGB(0, 0, 128), plain.At(117, 1));
  }
  // An origin at 0 or -1, or one far right of the repainted columns, draws neither.
  for (int64_t offset : {0, -1, -300}) {
    drawingtest::Canvas none(kWide, kHeight);
    Paint(none, offset, 1);
    EXPECT_EQ(0, Inked(none, 0, kWide)) << offset;
  }
}
