// The stimulated detector preview over a real recording of evoked currents: the host computes
// the detection the preview binds, and the preview marks each event an analysis with the same
// settings finds where the trace shows it.
#include "drawing/PreviewDataWin.h"
#include "document/CycleDetector.h"
#include "host/app/HostFramework.h"
#include "host/app/WindowPicture.h"
#include "host/data/RecordingReader.h"
#include "host/formula/FormulaEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"
#include "settingsdlg/ZRPreview_Stimulated.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include "enumerators/framework/ChannelValueRange.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>
#include <cstdint>

namespace {

class Frame : public OWL::TWindow {
 public:
  Frame() : TWindow(nullptr, L"Detection preview") {
    Attr.Style = WS_POPUP | WS_CLIPCHILDREN;
    Attr.W = 820;
    Attr.H = 300;
  }
};

class DetectionPreviewRenderTest : public doctest::ZRDocTest {
 protected:
  static ComPtr<ICalcEnumClass2> FormulaClass() {
    uint32_t typeId = 0;
    ComPtr<ICalcEnumClass2> formulaClass;
    EXPECT_EQ(S_OK, host::FormulaEnumClassTypeId(GetTypeRegistry(), &typeId));
    ObjectFactoryAccessor::Get()->GetClassObject(typeId, IID_ICalcEnumClass2, formulaClass.OutVoid());
    return formulaClass;
  }
};

// The pixels of a window's client area, copied into a 32-bit DIB.
class Capture {
 public:
  explicit Capture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    mWidth = client.right;
    mHeight = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), mWidth, -mHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC const screen = GetDC(window);
    mDc = CreateCompatibleDC(screen);
    mBitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&mBits), nullptr, 0);
    mOld = SelectObject(mDc, mBitmap);
    BitBlt(mDc, 0, 0, mWidth, mHeight, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
  }
  ~Capture() {
    SelectObject(mDc, mOld);
    DeleteObject(mBitmap);
    DeleteDC(mDc);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight || !mBits) return CLR_INVALID;
    uint32_t const p = mBits[static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Whether some pixel of the rectangle is dark (each component below 64).
  bool AnyDark(int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        COLORREF const c = At(x, y);
        if (c != CLR_INVALID && GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64) return true;
      }
    return false;
  }
  bool Any(COLORREF colour, const RECT& area) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }

 private:
  int mWidth = 0;
  int mHeight = 0;
  HDC mDc = nullptr;
  HBITMAP mBitmap = nullptr;
  HGDIOBJ mOld = nullptr;
  uint32_t* mBits = nullptr;
};

// One recording analysed and previewed with the same settings.
struct PreviewCase {
  std::string file;
  std::vector<std::pair<int, const wchar_t*>> settings;
  double samplesPerPixel;
  double recordSeconds;
  const wchar_t* pictureName;
};

constexpr double kTicksPerSecond = 20000.0;  // both recordings are sampled at 20 kHz

// Writes the preview's frame into ONDARA_PICTURE_DIR when it is set, to be looked at.
void SavePicture(HWND frame, const wchar_t* name) {
  const char* const dir = std::getenv("ONDARA_PICTURE_DIR");
  if (!dir || !*dir) return;
  const std::wstring folder(dir, dir + std::strlen(dir));
  EXPECT_EQ(S_OK, ondara_host::SaveWindowPicture(frame, folder + L"\\" + name));
}

}  // namespace

class DetectionPreviewMarks : public DetectionPreviewRenderTest {
 protected:
  void Check(const PreviewCase& c) {
    OpenOver(host::ReadRecordingFile(c.file, host::RecordingReadOptions{}));
    mData->SetFormulaClass(FormulaClass().Get());
    for (const auto& [id, value] : c.settings) Set(id, value);
    ASSERT_EQ(S_OK, SendAnalyze());
    const ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
    ASSERT_GT(detector.EventCount(), 0);

    Frame frame;
    frame.Create();
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    ZR::ZRPreview_Stimulated preview(static_cast<IHostDocument*>(mHost.Get()),
                                     static_cast<IHostDataFile*>(mData.Get()), &frame, &mDoc->GetSettings());
    ScrivoDraw::PreviewDataWinWButtons& window = *preview.Window();
    window.SetPageRect(RECT{8, 8, 810, 262});
    preview.Update(&mDoc->GetSettings());
    preview.SetViewPosition(0, c.samplesPerPixel);
    ExtLib::AxisRange range{0.0, 0.0};
    double scale = 1.0;
    ASSERT_TRUE(ExtLib::GetChannelValueRange(mData.Get(), 0, TickPosition(0, 0), &range, &scale));
    preview.SetAxisRange(0, range);
    ondara_host::PumpUntilIdle();
    RedrawWindow(window.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ondara_host::PumpUntilIdle();
    SavePicture(frame.GetHandle(), c.pictureName);

    const RECT lane = window.Lane(0)->Rect();
    const Capture picture(window.GetHandle());
    EXPECT_TRUE(picture.Any(ZR::ZRPreviewBase::kNoDocumentTraceColour, lane)) << "the channel's trace";
    // The preview shows record 0 from its start, at the lane's left edge, then the next records.
    const int64_t left = window.ScrollPos() - window.VisibleWidth();
    const auto column = [&](int32_t record, double tick) {
      double position = 0.0;
      EXPECT_EQ(S_OK, window.Scale()->TickToPosition(0, record, tick, &position));
      return lane.left + static_cast<int>(std::floor(position + 0.5) - static_cast<double>(left));
    };
    EXPECT_LE(column(0, 0.0), lane.left + 10) << "record 0 begins the lane";
    std::vector<int> markedIn;
    for (int32_t i = 0; i < detector.EventCount(); ++i) {
      const int32_t record = detector.GetEvent(i).recordIndex;
      const double tick = detector.GetEvent(i).record.tick;
      const double time = tick / kTicksPerSecond;
      const int x = column(record, tick);
      if (time >= c.recordSeconds || x + 30 >= lane.right) continue;
      EXPECT_TRUE(picture.AnyDark(x - 4, lane.top + 1, x + 5, lane.top + 14))
          << "no circle at " << time << " s of record " << record;
      // Beside it the top of the lane holds no mark.
      EXPECT_FALSE(picture.AnyDark(x + 20, lane.top + 1, x + 29, lane.top + 14)) << time;
      if (markedIn.size() <= static_cast<size_t>(record)) markedIn.resize(static_cast<size_t>(record) + 1);
      ++markedIn[static_cast<size_t>(record)];
    }
    // Every record shown has its events marked.
    for (size_t record = 0; record < markedIn.size(); ++record) EXPECT_GT(markedIn[record], 0) << record;
    const int marked = static_cast<int>(std::count_if(markedIn.begin(), markedIn.end(), [](int n) { return n > 0; }));
    EXPECT_GT(marked, 0);
    mData->SetFormulaClass(nullptr);
  }
};

// Evoked responses, the stimulus found per record.
TEST_F(DetectionPreviewMarks, EvokedCurrentsHaveACircleAtEveryEventFound) {
  Check({testsupport::RecordingPath("evoked_epsc.csv"), {{2000, L"3"}, {1000, L"2"}}, 64.0, 0.4,
         L"detection-preview-evoked.png"});
}

// Sino-atrial action potentials found as cardiac peaks 30 mV high.
TEST_F(DetectionPreviewMarks, CardiacActionPotentialsHaveACircleAtEveryEventFound) {
  Check({testsupport::RecordingPath("sanode_ap.csv"), {{2000, L"1"}, {1006, L"0.03"}, {1001, L"10"}}, 80.0, 2.5,
         L"detection-preview-cardiac.png"});
}
