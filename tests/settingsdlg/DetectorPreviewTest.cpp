// The detector pages' real detection previews in the settings dialog shown on the screen: where
// the lane's value axes stand on the page and what a user's drag on one does.
#include "controls/UxSizableButtonGadget.h"
#include "drawing/PreviewControlWin.h"
#include "drawing/PreviewDataWin.h"
#include "drawing/PreviewResourceIds.h"
#include "drawing/TimeScale.h"
#include "drawing/TraceControlWin.h"
#include "drawing/ZoomControlWin.h"
#include "platform/owl/TButtonGadget.h"
#include "settingsdlg/PagePreviews.h"
#include "settingsdlg/RunSettingsDlg.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "hostapi/Selection.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "settingsdlg/DetectorPageIds.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/AskedScreenDpi.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/UserMouse.h"
#include "tests/support/ScriptedModalSeam.h"

#include <commctrl.h>
#include <oleidl.h>

#include <functional>
#include <memory>

namespace {

using ZR::Dlg::SettingsDlg;

// The preview window among the page's children; null when the page has none.
ScrivoDraw::PreviewDataWinWButtons* PreviewWindowOf(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (auto* const window = dynamic_cast<ScrivoDraw::PreviewDataWinWButtons*>(OWL::TWindow::GetWindowPtr(child)))
      return window;
  }
  return nullptr;
}

// The zoom bar beside the page's preview; null when there is none.
ScrivoDraw::ZoomControlWin* ZoomBarOf(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (auto* const bar = dynamic_cast<ScrivoDraw::ZoomControlWin*>(OWL::TWindow::GetWindowPtr(child))) return bar;
  }
  return nullptr;
}

HWND AxisWindowOf(ScrivoDraw::ChannelPane& lane, int32_t axis) {
  IDragScale* const scale = lane.AxisWindow(axis);
  if (!scale) return nullptr;
  QOR::ComPtr<IOleWindow> ole;
  HWND window = nullptr;
  if (SUCCEEDED(scale->QueryInterface(IID_IOleWindow, ole.OutVoid())) && ole) ole->GetWindow(&window);
  return window;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// Whether the screen shows anything drawn in the rectangle: more than one colour in it.
bool ScreenShowsMarks(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC const screen = GetDC(nullptr);
  HDC const memory = CreateCompatibleDC(screen);
  uint32_t* bits = nullptr;
  HBITMAP const bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HGDIOBJ const old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  bool marks = false;
  for (int i = 1; bits && i < width * height && !marks; ++i) marks = (bits[i] & 0xFFFFFF) != (bits[0] & 0xFFFFFF);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return marks;
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// A click in the middle of a gadget of a bar, delivered where the user presses.
void ClickGadget(OWL::TGadgetWindow& bar, OWL::TGadget& gadget) {
  const POINT middle = Centre(gadget.GetBounds());
  user_mouse::Click(user_mouse::ScreenPoint(bar.GetHandle(), middle.x, middle.y));
}

// The pane painted afresh into a DIB that starts out magenta, a colour no paint uses.
std::unique_ptr<DibCanvas> PaintedPane(ScrivoDraw::PreviewDataWinWButtons& pane) {
  RECT client{};
  GetClientRect(pane.GetHandle(), &client);
  HBRUSH const magenta = CreateSolidBrush(RGB(255, 0, 255));
  auto canvas = std::make_unique<DibCanvas>(client.right, client.bottom, magenta);
  DeleteObject(magenta);
  static_cast<ScrivoDraw::DataPane&>(pane).UpdatePending();
  static_cast<ScrivoDraw::DataPane&>(pane).Paint(canvas->Dc(), client, nullptr);
  return canvas;
}

// How many columns of area hold a pixel that is `marked`.
int MarkedColumns(const DibCanvas& canvas, const RECT& area, const std::function<bool(uint32_t)>& marked) {
  int count = 0;
  for (int x = area.left; x < area.right; ++x) {
    int y = area.top;
    while (y < area.bottom && !marked(canvas.At(x, y))) ++y;
    count += y < area.bottom ? 1 : 0;
  }
  return count;
}

class DetectorPreviewTest : public doctest::ZRDocTest {
 protected:
  // The settings command opens the dialog the module registers for it.
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    ZR::Doc::SetSettingsDialogRunner(&ZR::Dlg::RunSettingsDlg);
  }
  static void TearDownTestSuite() { ZR::Doc::SetSettingsDialogRunner(nullptr); }
  // The dialog with the real previews over the cardiac recording, shown on the screen while the
  // script runs on its Detector page.
  void RunOnDetectorPage(const std::function<void(SettingsDlg&, OWL::TWindow& page)>& script) {
    Open(1, 20000);
    ExpectScript(script);
    const ZR::Dlg::PagePreviewScope previews;
    SettingsDlg dialog(nullptr, static_cast<IHostDocument*>(mHost.Get()), 0, ZR::Dlg::PreviewSetup{});
    dialog.Execute();
  }
  // The cardiac recording with ticks 12000 to 16000 of its first record selected in the host; the
  // record runs on far enough after them that a preview as wide as 144 dpi makes it, zoomed out to
  // 20 ticks a pixel, still has data on both sides of their middle.
  ZR::Doc::ZRDoc& OpenWithASelection() {
    ZR::Doc::ZRDoc& document = Open(1, 40000);
    QOR::ComPtr<IHostSelection> selection;
    EXPECT_EQ(S_OK, mData->GetSelection(selection.Out()));
    if (selection) {
      EXPECT_EQ(S_OK, selection->SetRange(HostPosition{0, 12000}, HostPosition{0, 16000}));
    }
    return document;
  }
  // The script runs on the Detector page of the next settings dialog opened, once.
  void ExpectScript(const std::function<void(SettingsDlg&, OWL::TWindow& page)>& script) {
    mScripts = 0;
    mSeam.DialogScript = [&](OWL::TDialog& dialog) {
      if (dynamic_cast<ZR::SettingsWarningDlg*>(&dialog)) return;
      dialog.ShowWindow(SW_SHOWNOACTIVATE);
      dialog.UpdateWindow();
      PumpMessages();
      auto& settings = static_cast<SettingsDlg&>(dialog);
      script(settings, *settings.CurrentPage());
      ++mScripts;
    };
  }
  void TearDown() override {
    EXPECT_EQ(1, mScripts) << "the script ran once";
    doctest::ZRDocTest::TearDown();
  }

  ScriptedModalSeam mSeam;
  int mScripts = 0;
};

}  // namespace

// Both value axes stand beside the lane on the page, visible to the pointer, and dragging the left
// one with the mouse moves the lane's value range.
TEST_F(DetectorPreviewTest, ValueAxesFlankTheLaneAndADragRescalesIt) {
  RunOnDetectorPage([&](SettingsDlg&, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ASSERT_NE(nullptr, pane);
    ASSERT_GT(pane->GetLaneCount(), 0);
    ScrivoDraw::ChannelPane& lane = *pane->Lane(0);
    HWND const left = AxisWindowOf(lane, 1);
    HWND const right = AxisWindowOf(lane, 2);
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, right);

    const RECT paneRect = ScreenRect(pane->GetHandle());
    const RECT laneRect = lane.Rect();
    const RECT leftRect = ScreenRect(left);
    const RECT rightRect = ScreenRect(right);
    // Left axis: ends at the pane's left edge; right axis: starts at its right edge; both span
    // the lane's rows.
    EXPECT_EQ(paneRect.left, leftRect.right);
    EXPECT_GT(leftRect.right, leftRect.left);
    EXPECT_EQ(paneRect.right, rightRect.left);
    EXPECT_GT(rightRect.right, rightRect.left);
    for (const RECT& axis : {leftRect, rightRect}) {
      EXPECT_LE(axis.top, paneRect.top + laneRect.top);
      EXPECT_GE(axis.bottom, paneRect.top + laneRect.bottom);
    }
    // Nothing of the page hides them: both show their ticks, and the pointer finds the left one
    // (the right one has no trace of its own here: disabled, the pointer passes through it).
    EXPECT_TRUE(ScreenShowsMarks(leftRect));
    EXPECT_TRUE(ScreenShowsMarks(rightRect));
    EXPECT_EQ(left, WindowFromPoint(Centre(leftRect)));
    // The channel's unit, in millivolts as the channel is written.
    BSTR units = nullptr;
    DragScaleMapping mapping{};
    ASSERT_EQ(S_OK, lane.AxisObject(1)->GetScaledUnits(&units, &mapping));
    EXPECT_STREQ(L"mV", units);
    SysFreeString(units);

    double low = 0.0, high = 0.0;
    ASSERT_EQ(S_OK, pane->GetAxisRange(1, &low, &high));
    const POINT from = Centre(leftRect);
    user_mouse::Drag(from, POINT{from.x, from.y + 30});
    double draggedLow = 0.0, draggedHigh = 0.0;
    ASSERT_EQ(S_OK, pane->GetAxisRange(1, &draggedLow, &draggedHigh));
    EXPECT_NE(low, draggedLow);
    // A pan keeps the span.
    EXPECT_NEAR(high - low, draggedHigh - draggedLow, 1e-9 * (high - low));
    EXPECT_EQ(nullptr, GetCapture());
  });
}

// The settings command opens the previews over the host's selection: its first tick at the left
// edge, at a zoom at which it fills most of the preview's width on any screen. Each zoom button
// clicked at its place keeps the data at the middle of the preview in the middle, within one
// pixel's time: in one step, out to the zoom it opened at, and out beyond it.
TEST_F(DetectorPreviewTest, TheSettingsCommandOpensThePreviewOverTheSelectionAndItsZoomKeepsTheMiddle) {
  ZR::Doc::ZRDoc& document = OpenWithASelection();
  ExpectScript([&](SettingsDlg&, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ScrivoDraw::ZoomControlWin* const bar = ZoomBarOf(page.GetHandle());
    ASSERT_NE(nullptr, pane);
    ASSERT_NE(nullptr, bar);
    int32_t first = -1;
    ASSERT_EQ(S_OK, pane->GetVisibleStart(&first));
    EXPECT_EQ(12000, first);
    const ScrivoDraw::PaneRational scaling = pane->GetHorizontalScaling();
    const int64_t selected = 4000 * scaling.denominator / scaling.numerator;  // in pixels
    EXPECT_LE(selected, pane->VisibleWidth());
    EXPECT_GT(selected, pane->VisibleWidth() / 2);
    const auto middle = [&] {
      PixMapTick left{}, right{};
      EXPECT_EQ(S_OK, pane->GetVisibleRange(&left, &right));
      return (left.tick + right.tick) / 2.0;
    };
    const auto samplesPerPixel = [&] {
      const ScrivoDraw::PaneRational now = pane->GetHorizontalScaling();
      return static_cast<double>(now.numerator) / static_cast<double>(now.denominator);
    };
    const double start = middle();
    const double opened = samplesPerPixel();
    for (const auto& [button, order] : {std::pair<int, int>{IDC_ZOOM_EXPAND, -1}, {IDC_ZOOM_COMPRESS, 0},
                                        {IDC_ZOOM_COMPRESS, 1}}) {
      ASSERT_NE(nullptr, bar->Button(button));
      ClickGadget(*bar, *bar->Button(button));
      const double zoom = samplesPerPixel();
      ASSERT_EQ(order, (zoom > opened) - (zoom < opened)) << "the button " << button << " was pressed";
      EXPECT_NEAR(start, middle(), zoom) << "the middle at " << zoom << " samples a pixel";
    }
  });
  document.RunSettingsDialog(0, nullptr);
}

// Zoomed out by its button until the record ends short of the right edge, the preview shows the
// trace and the time labels up to the record's end and only its background after it.
TEST_F(DetectorPreviewTest, ZoomedOutPastTheRecordThePreviewIsBlankAfterItsEnd) {
  RunOnDetectorPage([&](SettingsDlg&, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ScrivoDraw::ZoomControlWin* const bar = ZoomBarOf(page.GetHandle());
    ASSERT_TRUE(pane && bar && bar->Button(IDC_ZOOM_COMPRESS));
    const COLORREF b = pane->Background();
    const uint32_t background = (GetRValue(b) << 16u) | (GetGValue(b) << 8u) | GetBValue(b);
    const auto marked = [background](uint32_t p) { return p != background; };
    LONG end = 0;  // the column after the record's last position
    for (int click = 1; click <= 7; ++click) {
      ClickGadget(*bar, *bar->Button(IDC_ZOOM_COMPRESS));
      int64_t extent = 0;
      ASSERT_EQ(S_OK, pane->Scale()->GetTotalLength(&extent));
      end = static_cast<LONG>(extent - pane->ScrollPos() + pane->VisibleWidth() + 2);
      const std::unique_ptr<DibCanvas> canvas = PaintedPane(*pane);
      for (const RECT& r : {pane->Strip()->Rect(), pane->Lane(0)->Rect()}) {
        EXPECT_GT(MarkedColumns(*canvas, RECT{r.left, r.top, std::min(end, r.right), r.bottom}, marked), 0) << click;
        EXPECT_EQ(0, MarkedColumns(*canvas, RECT{end + 1, r.top, r.right, r.bottom}, marked)) << click;
      }
    }
    EXPECT_LT(end, pane->Lane(0)->Rect().right / 2) << "seven clicks zoom out past the record";
  });
}

// The preview's bars and the page's spin arrows grow with the screen's resolution as the dialog's
// text does, and the time labels are in the strip's font, made for the screen.
TEST_F(DetectorPreviewTest, BarsSpinArrowsAndLabelsFollowTheScreensResolution) {
  const int dpi = QOR::ScreenDpi();
  if (const int asked = testsupport::AskedScreenDpi()) {
    ASSERT_EQ(asked, dpi);
  }
  const int face = QOR::ScaleForDpi(16, dpi);
  RunOnDetectorPage([&](SettingsDlg&, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ScrivoDraw::ZoomControlWin* const zoom = ZoomBarOf(page.GetHandle());
    ASSERT_TRUE(pane && zoom);
    auto* const preview = dynamic_cast<ScrivoDraw::PreviewControlWin*>(pane->PreviewBar());
    auto* const trace = dynamic_cast<ScrivoDraw::TraceControlWin*>(pane->TraceBar());
    ASSERT_TRUE(preview && trace);
    // The zoom bar's buttons share the ratio's height, a little less than the face's.
    for (OWL::TButtonGadget* const button :
         {zoom->Button(IDC_ZOOM_COMPRESS), preview->Button(IDC_PREVIEW_SAMPLE), trace->Button(IDC_TRACE_STACK)}) {
      auto* const gadget = dynamic_cast<UxSizableButtonGadget*>(button);
      ASSERT_NE(nullptr, gadget);
      EXPECT_EQ((OWL::TSize{face, face}), gadget->GetFaceSize()) << gadget->GetId();
      EXPECT_GE(gadget->GetBounds().Width(), face) << gadget->GetId();
      EXPECT_GE(gadget->GetBounds().Height(), face * 3 / 4) << gadget->GetId();
    }
    HWND const spin = GetDlgItem(page.GetHandle(), IDC_DET_HEIGHT_SPIN);
    const RECT arrows = ScreenRect(spin);
    const RECT edit = ScreenRect(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)));
    EXPECT_GE(arrows.right - arrows.left, face);
    EXPECT_TRUE(arrows.left <= edit.right && arrows.left > (edit.left + edit.right) / 2) << "beside their edit";
    // The first label, "0", is as wide as the strip's font draws it.
    const auto dark = [](uint32_t p) { return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 384; };
    const DibCanvas zero(100, 100, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(zero.Dc(), pane->Strip()->Font());
    TextOutW(zero.Dc(), 10, 10, L"0", 1);
    const RECT strip = pane->Strip()->Rect();
    const int ticks = QOR::ScaleForDpi(2, dpi);  // the longest ticks' rows
    const RECT firstLabel{strip.left, strip.top + ticks, strip.left + 2 * face, strip.bottom};
    const int drawn = MarkedColumns(*PaintedPane(*pane), firstLabel, dark);
    EXPECT_NEAR(MarkedColumns(zero, RECT{0, 0, 100, 100}, dark), drawn, 1);
  });
}
