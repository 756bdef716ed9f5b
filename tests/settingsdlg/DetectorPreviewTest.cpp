// The detector pages' real detection previews in the settings dialog shown on the screen: where
// the lane's value axes stand on the page and what a user's drag on one does.
#include "controls/UxSizableButtonGadget.h"
#include "drawing/PreviewControlWin.h"
#include "drawing/PreviewDataWin.h"
#include "drawing/PreviewResourceIds.h"
#include "drawing/TimeScale.h"
#include "drawing/TraceControlWin.h"
#include "drawing/ZoomControlWin.h"
#include "host/app/WindowPicture.h"
#include "platform/owl/TButtonGadget.h"
#include "settingsdlg/PagePreviews.h"
#include "settingsdlg/RunSettingsDlg.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "hostapi/Selection.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "platform/uihelpers/DialogFonts.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "settingsdlg/DetectorPageIds.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/UserMouse.h"
#include "tests/support/ScriptedModalSeam.h"

#include <commctrl.h>
#include <oleidl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// Writes the window into ONDARA_PICTURE_DIR when it is set, to be looked at.
void SavePicture(HWND window, const std::wstring& name) {
  const char* const dir = std::getenv("ONDARA_PICTURE_DIR");
  if (!dir || !*dir) return;
  EXPECT_EQ(S_OK, ondara_host::SaveWindowPicture(window, std::wstring(dir, dir + std::strlen(dir)) + L"\\" + name));
}

// A click in the middle of a gadget of a bar, delivered where the user presses.
void ClickGadget(OWL::TGadgetWindow& bar, OWL::TGadget& gadget) {
  const RECT bounds = gadget.GetBounds();
  user_mouse::Click(
      user_mouse::ScreenPoint(bar.GetHandle(), (bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2));
}

// The pane painted afresh into a bitmap that starts out in a colour no paint uses.
std::unique_ptr<DibCanvas> PaintedPane(ScrivoDraw::PreviewDataWinWButtons& pane) {
  RECT client{};
  GetClientRect(pane.GetHandle(), &client);
  HBRUSH const unpainted = CreateSolidBrush(RGB(255, 0, 255));
  auto canvas = std::make_unique<DibCanvas>(client.right, client.bottom, unpainted);
  DeleteObject(unpainted);
  ScrivoDraw::DataPane& painter = pane;
  painter.UpdatePending();
  painter.Paint(canvas->Dc(), client, nullptr);
  return canvas;
}

// The first column of the pane's children, from column `from` on, with a pixel other than the
// background, a column left unpainted included (-1 when there is none).
int FirstMarkedColumnFrom(ScrivoDraw::PreviewDataWinWButtons& pane, int from) {
  const std::unique_ptr<DibCanvas> canvas = PaintedPane(pane);
  const COLORREF b = pane.Background();
  const uint32_t background = (GetRValue(b) << 16) | (GetGValue(b) << 8) | GetBValue(b);
  std::vector<RECT> children{pane.Strip()->Rect()};
  for (int32_t lane = 0; lane < pane.GetLaneCount(); ++lane) children.push_back(pane.Lane(lane)->Rect());
  for (int x = std::max(0, from); x < canvas->Width(); ++x)
    for (const RECT& child : children)
      for (int y = child.top; x >= child.left && x < child.right && y < child.bottom; ++y)
        if (canvas->At(x, y) != background) return x;
  return -1;
}

// The box of the first run of columns of area holding dark pixels (empty when there is none).
RECT FirstInkBox(const DibCanvas& canvas, const RECT& area) {
  const auto dark = [](uint32_t p) { return (p >> 16) < 128 && ((p >> 8) & 0xFF) < 128 && (p & 0xFF) < 128; };
  RECT box{0, 0, 0, 0};
  bool found = false;
  for (int x = area.left; x < area.right; ++x) {
    bool inColumn = false;
    for (int y = area.top; y < area.bottom; ++y) {
      if (!dark(canvas.At(x, y))) continue;
      if (!found) box = RECT{x, y, x + 1, y + 1};
      found = inColumn = true;
      box.right = x + 1;
      box.top = std::min<LONG>(box.top, y);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
    if (found && !inColumn) break;
  }
  return box;
}

// The ink box of text drawn in font.
RECT TextInkBox(HFONT font, const wchar_t* text) {
  const DibCanvas canvas(200, 100, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ const old = SelectObject(canvas.Dc(), font);
  TextOutW(canvas.Dc(), 10, 10, text, static_cast<int>(std::wcslen(text)));
  SelectObject(canvas.Dc(), old);
  return FirstInkBox(canvas, RECT{0, 0, 200, 100});
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
  // The cardiac recording with ticks 12000 to 16000 of its first record selected in the host.
  ZR::Doc::ZRDoc& OpenWithASelection() {
    ZR::Doc::ZRDoc& document = Open(1, 20000);
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
// edge, at a zoom of a four-hundredth of its length per pixel.
TEST_F(DetectorPreviewTest, TheSettingsCommandOpensThePreviewOverTheSelection) {
  ZR::Doc::ZRDoc& document = OpenWithASelection();
  ExpectScript([&](SettingsDlg&, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ASSERT_NE(nullptr, pane);
    int32_t start = -1;
    ASSERT_EQ(S_OK, pane->GetVisibleStart(&start));
    EXPECT_EQ(12000, start);
    const ScrivoDraw::PaneRational scaling = pane->GetHorizontalScaling();
    EXPECT_EQ(10, scaling.numerator / scaling.denominator);
  });
  document.RunSettingsDialog(0, nullptr);
}

// Each zoom button clicked at its place keeps the data at the middle of the preview in the
// middle: in to 5 samples a pixel, out to 10 and 20, within one pixel's time.
TEST_F(DetectorPreviewTest, TheZoomButtonsKeepTheMiddleOfThePreview) {
  ZR::Doc::ZRDoc& document = OpenWithASelection();
  ExpectScript([&](SettingsDlg&, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ScrivoDraw::ZoomControlWin* const bar = ZoomBarOf(page.GetHandle());
    ASSERT_NE(nullptr, pane);
    ASSERT_NE(nullptr, bar);
    const auto middle = [&] {
      PixMapTick first{}, last{};
      EXPECT_EQ(S_OK, pane->GetVisibleRange(&first, &last));
      return (first.tick + last.tick) / 2.0;
    };
    const auto samplesPerPixel = [&] {
      const ScrivoDraw::PaneRational scaling = pane->GetHorizontalScaling();
      return static_cast<double>(scaling.numerator) / static_cast<double>(scaling.denominator);
    };
    const double start = middle();
    for (const auto& [button, expected] : {std::pair<int, double>{IDC_ZOOM_EXPAND, 5.0}, {IDC_ZOOM_COMPRESS, 10.0},
                                           {IDC_ZOOM_COMPRESS, 20.0}}) {
      ASSERT_NE(nullptr, bar->Button(button));
      const RECT bounds = bar->Button(button)->GetBounds();
      user_mouse::Click(user_mouse::ScreenPoint(bar->GetHandle(), (bounds.left + bounds.right) / 2,
                                                (bounds.top + bounds.bottom) / 2));
      ASSERT_EQ(expected, samplesPerPixel()) << "the button " << button << " was pressed";
      EXPECT_NEAR(start, middle(), samplesPerPixel()) << "the middle at " << expected << " samples a pixel";
    }
  });
  document.RunSettingsDialog(0, nullptr);
}

// Zoomed out by its button until the record ends short of the right edge, the preview shows the
// trace and the time labels up to the record's end and nothing after it at every step.
TEST_F(DetectorPreviewTest, ZoomedOutPastTheRecordThePreviewIsBlankAfterItsEnd) {
  RunOnDetectorPage([&](SettingsDlg& dialog, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ScrivoDraw::ZoomControlWin* const bar = ZoomBarOf(page.GetHandle());
    ASSERT_NE(nullptr, pane);
    ASSERT_NE(nullptr, bar);
    ASSERT_NE(nullptr, bar->Button(IDC_ZOOM_COMPRESS));
    RECT client{};
    GetClientRect(pane->GetHandle(), &client);
    bool pastTheEnd = false;
    for (int click = 1; click <= 7; ++click) {
      ClickGadget(*bar, *bar->Button(IDC_ZOOM_COMPRESS));
      int64_t extent = 0;
      ASSERT_EQ(S_OK, pane->Scale()->GetTotalLength(&extent));
      // The column after the record's last position.
      const int64_t end = extent - pane->ScrollPos() + (client.right - 2);
      if (end >= client.right - 2) continue;
      pastTheEnd = true;
      const int first = FirstMarkedColumnFrom(*pane, 0);
      EXPECT_TRUE(first >= 0 && first < end) << "the trace and labels before the end, click " << click;
      EXPECT_EQ(-1, FirstMarkedColumnFrom(*pane, static_cast<int>(end) + 1))
          << "marks past the record's end at column " << end << ", click " << click;
    }
    EXPECT_TRUE(pastTheEnd) << "seven clicks zoom out past the record";
    PumpMessages();
    SavePicture(dialog.GetHandle(), L"preview-zoomed-out.png");
  });
}

// The preview's bars and the page's spin arrows grow with the screen's resolution as the dialog's
// text does, and the time labels are in a font made for the screen.
TEST_F(DetectorPreviewTest, BarsSpinArrowsAndLabelsFollowTheScreensResolution) {
  const int dpi = QOR::ScreenDpi();
  char asked[16] = {};
  if (GetEnvironmentVariableA("ONDARA_SCREEN_DPI", asked, sizeof asked)) {
    ASSERT_EQ(std::atoi(asked), dpi);
  }
  const int face = QOR::ScaleForDpi(16, dpi);
  RunOnDetectorPage([&](SettingsDlg& dialog, OWL::TWindow& page) {
    ScrivoDraw::PreviewDataWinWButtons* const pane = PreviewWindowOf(page.GetHandle());
    ScrivoDraw::ZoomControlWin* const zoom = ZoomBarOf(page.GetHandle());
    ASSERT_NE(nullptr, pane);
    ASSERT_NE(nullptr, zoom);
    auto* const preview = dynamic_cast<ScrivoDraw::PreviewControlWin*>(pane->PreviewBar());
    auto* const trace = dynamic_cast<ScrivoDraw::TraceControlWin*>(pane->TraceBar());
    ASSERT_NE(nullptr, preview);
    ASSERT_NE(nullptr, trace);
    const std::pair<OWL::TButtonGadget*, const char*> buttons[] = {
        {zoom->Button(IDC_ZOOM_COMPRESS), "zoom out"},       {zoom->Button(IDC_ZOOM_EXPAND), "zoom in"},
        {preview->Button(IDC_PREVIEW_RECORDED), "recorded"}, {preview->Button(IDC_PREVIEW_SAMPLE), "sample"},
        {preview->Button(IDC_PREVIEW_PAUSE), "pause"},       {trace->Button(IDC_TRACE_STACK), "stack"},
        {trace->Button(IDC_TRACE_OVERLAY), "overlay"}};
    for (const auto& [button, name] : buttons) {
      auto* const gadget = dynamic_cast<UxSizableButtonGadget*>(button);
      ASSERT_NE(nullptr, gadget) << name;
      EXPECT_EQ(face, gadget->GetFaceSize().cx) << name;
      EXPECT_EQ(face, gadget->GetFaceSize().cy) << name;
      EXPECT_GE(gadget->GetBounds().Width(), face) << name;
      // The zoom bar's buttons share the ratio's height, a little less than the face's.
      EXPECT_GE(gadget->GetBounds().Height(), face * 3 / 4) << name;
    }
    HWND const spin = GetDlgItem(page.GetHandle(), IDC_DET_HEIGHT_SPIN);
    ASSERT_NE(nullptr, spin);
    HWND const buddy = reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0));
    ASSERT_NE(nullptr, buddy);
    const RECT arrows = ScreenRect(spin);
    const RECT edit = ScreenRect(buddy);
    EXPECT_GE(arrows.right - arrows.left, face);
    EXPECT_LE(arrows.left, edit.right) << "the arrows beside their edit";
    EXPECT_GT(arrows.left, edit.left + (edit.right - edit.left) / 2);
    // The first time label, "0", is drawn in the strip's font made for the screen, as big as it
    // draws "0" itself.
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(pane->Strip()->Font(), sizeof font, &font));
    EXPECT_EQ(-MulDiv(QOR::UserInterfacePointSize(), dpi, 72), font.lfHeight);
    PixMapTick first{}, last{};
    ASSERT_EQ(S_OK, pane->GetVisibleRange(&first, &last));
    ASSERT_EQ(0.0, first.tick);
    RECT labels = pane->Strip()->Rect();
    labels.top += 3;  // below the ticks
    const RECT drawn = FirstInkBox(*PaintedPane(*pane), labels);
    const RECT expected = TextInkBox(pane->Strip()->Font(), L"0");
    EXPECT_NEAR(expected.right - expected.left, drawn.right - drawn.left, 1);
    EXPECT_NEAR(expected.bottom - expected.top, drawn.bottom - drawn.top, 1);
    SavePicture(dialog.GetHandle(), L"preview-" + std::to_wstring(dpi) + L"dpi.png");
  });
}
