// A preview window in a frame of its own over a real recording, as the settings dialog shows
// one: a grid and the trace in the lane, time labels, scroll bar, zoom ratio and both button
// groups. With ONDARA_PICTURE_DIR set, the frame is also written there to be looked at.
#include "drawing/PreviewDataWin.h"

#include "controls/UxMenuGadget.h"
#include "drawing/GraticuleDrawer.h"
#include "drawing/ScrollBarWin.h"
#include "drawing/TraceDrawers.h"
#include "drawing/ZoomControlWin.h"
#include "drawing/ZoomRatio.h"
#include "host/app/HostFramework.h"
#include "host/app/WindowPicture.h"
#include "host/data/RecordingReader.h"
#include "host/data/PreviewPaneSource.h"
#include "host/data/SamplingControl.h"
#include "tests/support/ScriptedModalSeam.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace ScrivoDraw;

namespace {

class Frame : public OWL::TWindow {
 public:
  Frame() : TWindow(nullptr, L"Detection preview") {
    Attr.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    Attr.X = 40;
    Attr.Y = 40;
    Attr.W = 820;
    Attr.H = 300;
  }
};

// The zoom bar: the pane's window's sibling of that class.
ZoomControlWin* ZoomBarOf(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (auto* zoom = dynamic_cast<ZoomControlWin*>(OWL::TWindow::GetWindowPtr(child))) return zoom;
  return nullptr;
}

// Writes the frame into ONDARA_PICTURE_DIR when it is set.
void SavePicture(HWND frame, const wchar_t* name) {
  const char* const dir = std::getenv("ONDARA_PICTURE_DIR");
  if (!dir) return;
  std::wstring path;
  for (const char* c = dir; *c; ++c) path.push_back(static_cast<wchar_t>(*c));
  EXPECT_EQ(S_OK, ondara_host::SaveWindowPicture(frame, path + L"\\" + name));
}

}  // namespace

TEST(PreviewWindowPicture, ShowsLanesTimeLabelsScrollBarZoomRatioAndBothButtonGroups) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  host::Recording recording = host::ReadRecordingFile(testsupport::RecordingPath("sanode_ap.csv"),
                                                      host::RecordingReadOptions());
  auto document = host::DataDocument::Create(std::move(recording));
  auto device = host::SamplingControl::Create(document->Data());
  auto source = host::PreviewPaneSource::Create(document);
  Frame frame;
  frame.Create();
  frame.ShowWindow(SW_SHOWNOACTIVATE);
  auto window = std::make_unique<PreviewDataWinWButtons>(&frame, source.Get());
  window->Create();
  window->SetSamplingSource(device.Get());
  window->SetPageRect(RECT{8, 8, 810, 262});
  const COLORREF blue = RGB(0, 0, 192);
  QOR::ComPtr<PolyLineTraceDrawer> trace(new PolyLineTraceDrawer(&blue, 1, 0, kTraceKind, ChannelPair{0, 0x40000000},
                                                                 {kLayerPairAll, kLayerPairAllSecond}));
  QOR::ComPtr<GraticuleDrawer> grid(new GraticuleDrawer(0, RGB(200, 200, 200), ChannelPair{0, 0x40000000}));
  EXPECT_EQ(S_OK, window->AddTraceDrawer(grid.Get()));
  EXPECT_EQ(S_OK, window->AddTraceDrawer(trace.Get()));
  // The sino-atrial cell's potential in volts, as the lane's axis hands it to its drawers.
  window->Lane(0)->SetAxisRange(1, -0.075, 0.035);
  window->Lane(0)->OnRangeChanged(1, 0, ValueRange{-0.075, 0.035});
  ondara_host::PumpUntilIdle();

  HWND const scroll = GetDlgItem(frame.GetHandle(), kScrollBarId);
  EXPECT_TRUE(IsWindowVisible(scroll) && IsWindowEnabled(scroll));
  ZoomControlWin* const zoom = ZoomBarOf(frame.GetHandle());
  ASSERT_NE(nullptr, zoom);
  EXPECT_EQ(L"10:1", zoom->RatioGadget()->GetText());
  EXPECT_TRUE(window->PreviewBar()->IsEnabled());
  EXPECT_GT(window->TraceBar()->GetSize().cx, 0);
  EXPECT_GT(window->Strip()->DrawerCount(), 0u);  // the time labels
  EXPECT_EQ(1, window->GetLaneCount());

  SavePicture(frame.GetHandle(), L"preview-window.png");

  // The zoom menu checks the current entry; an entry sets the scaling.
  HMENU const menu = CreatePopupMenu();
  zoom->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_EQ(kZoomMenuEnd - kZoomMenuFirst, GetMenuItemCount(menu));
  EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(menu, 1136, MF_BYCOMMAND) & MF_CHECKED);  // 10:1
  DestroyMenu(menu);
  zoom->SendMessage(WM_COMMAND, MAKEWPARAM(1135, 0), 0);
  EXPECT_EQ((PaneRational{5, 1}), window->GetHorizontalScaling());
  ondara_host::PumpUntilIdle();
  EXPECT_EQ(L"5:1", zoom->RatioGadget()->GetText());
  SavePicture(frame.GetHandle(), L"preview-window-zoomed.png");

  window.reset();
}
