// The Analysis View over an analysed recording of ten beats, opened by the stand-in host in a
// frame of its own: its layout, the keys and the scroll bar's codes stepping the current event,
// the status text, the calculation menu, its caption, its picture and where the slope's label stands.
#include "views/AnalysisView.h"

#include "document/AnalysisViewData.h"
#include "graph/BasicAnnotation.h"
#include "graph/Graph2DWindow.h"
#include "host/data/RecordingReader.h"
#include "grid/GridSelection.h"
#include "grid/TVF_TableView.h"
#include "hostapi/Message.h"
#include "hostapi/MessageHandler.h"
#include "hostclient/FrameworkAccess.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/DrawnTexts.h"
#include "tests/support/SourceTree.h"
#include "tests/support/UserMouse.h"
#include "tests/support/ScriptedModalSeam.h"
#include "tests/views/AnalysisViewFixture.h"
#include "views/AnalysisPlot.h"
#include "views/PopupMenu.h"
#include "views/ZRTableViewEx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <vector>

using avtest::AnalysisViewTest;
using host::HostPtr;
using avtest::RectIn;
using avtest::StatusOf;


namespace {

bool InkAt(const DibCanvas& canvas, int x, int y) { return canvas.At(x, y) != 0xFFFFFF; }

// Runs of lines of r holding ink (its columns, or its rows), apart by at least three blank lines
// (closer ones are the letters of one text): one per text of a row, or of a column, of texts.
int InkedRuns(const DibCanvas& canvas, const RECT& r, bool columns) {
  int runs = 0;
  int blank = 3;
  const int count = columns ? r.right - r.left : r.bottom - r.top;
  const int across = columns ? r.bottom - r.top : r.right - r.left;
  for (int line = 0; line < count; ++line) {
    bool inked = false;
    for (int k = 0; k < across && !inked; ++k)
      inked = columns ? InkAt(canvas, r.left + line, r.top + k) : InkAt(canvas, r.left + k, r.top + line);
    runs += inked && blank >= 3 ? 1 : 0;
    blank = inked ? 0 : blank + 1;
  }
  return runs;
}

}  // namespace

// The strip is its 20 pixels of a 96-dpi screen scaled to the screen, its menu button too, and
// shows the status text whole in the strip's font; plot, scroll bar and strip stack up. In a view
// as large as 600 x 400 pixels of a 96-dpi screen, the value axis labels its ticks: its strip
// leaves the labels room beside the axis title, in the font the screen enlarges. Runs on screens
// of 96 and 192 dpi.
TEST_F(AnalysisViewTest, StripPlotAndValueAxisFollowTheScreensResolution) {
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(9, 0);
  const int dpi = QOR::ScreenDpi();
  const int s = GetSystemMetrics(SM_CYHSCROLL);
  const int h = v.StripHeight();
  EXPECT_EQ(MulDiv(20, dpi, 96), h);
  const RECT bar = RectIn(v.ScrollBar().GetHandle(), v.GetHandle());
  const RECT strip = RectIn(v.Strip().GetHandle(), v.GetHandle());
  const RECT plot = RectIn(v.Plot()->GetHandle(), v.GetHandle());
  EXPECT_EQ((std::vector<LONG>{0, 400 - s - h, 600, 400 - h}), (std::vector<LONG>{bar.left, bar.top, bar.right, bar.bottom}));
  EXPECT_EQ((std::vector<LONG>{0, 400 - h, 600, 400}), (std::vector<LONG>{strip.left, strip.top, strip.right, strip.bottom}));
  EXPECT_EQ((std::vector<LONG>{0, 0, 600, 400 - h - s}), (std::vector<LONG>{plot.left, plot.top, plot.right, plot.bottom}));
  const RECT graph = RectIn(v.Plot()->Graph()->GetHandle(), v.Plot()->GetHandle());
  EXPECT_EQ(AnalysisPlot::kCaptionHeight, graph.top) << "under the white strip";
  const RECT button = RectIn(v.CalculationButton().ButtonHandle(), v.Strip().GetHandle());
  EXPECT_EQ(MulDiv(20, dpi, 96), button.right - button.left);
  // The status field's inside, as far as the strip shows it, holds its text.
  const std::wstring status = StatusOf(v.StatusText());
  HDC const dc = GetDC(v.Strip().GetHandle());
  HGDIOBJ const old = SelectObject(dc, v.Strip().GetFont().GetHandle());
  SIZE text{};
  GetTextExtentPoint32W(dc, status.c_str(), static_cast<int>(status.size()), &text);
  SelectObject(dc, old);
  ReleaseDC(v.Strip().GetHandle(), dc);
  const OWL::TRect inner = v.StatusText().GetInnerRect().OffsetBy(v.StatusText().GetBounds().left,
                                                                   v.StatusText().GetBounds().top);
  const OWL::TRect shown = v.Strip().GetClientRect();
  EXPECT_GE(std::min(inner.bottom, shown.bottom) - inner.top, text.cy);
  EXPECT_GE(std::min(inner.right, shown.right) - inner.left, text.cx);
  // The value axis, its labels drawn afresh into a white picture.
  mDoc->SetCurrentEvent(1, 0);
  MoveWindow(v.GetHandle(), 0, 0, MulDiv(600, dpi, 96), MulDiv(400, dpi, 96), TRUE);
  avtest::Pump();
  MGraph1::Graph2DWindow& axes = *v.Plot()->Graph();
  const OWL::TRect client = axes.GetClientRect();
  DibCanvas canvas(client.Width(), client.Height(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  OWL::TDC graphDc(canvas.Dc());
  axes.Redraw(graphDc, true, axes.GetDrawerRect());
  OWL::TRect plotArea;
  axes.GetPlotRect(plotArea, axes.GetDrawerRect());
  // The labels end a tick and two pixels left of the axis.
  const RECT labels{plotArea.left - 7 - MulDiv(4, dpi, 96), plotArea.top, plotArea.left - 7, plotArea.bottom};
  EXPECT_GE(InkedRuns(canvas, labels, false), 3);
}

TEST_F(AnalysisViewTest, KeysStepTheEventAndOnlyTheKeyUpMovesTheHostView) {
  AnalysisView& v = OpenView();
  ASSERT_EQ(10, v.EventCount());
  mDoc->SetCurrentEvent(8, 0);
  Key(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(9u, Current()) << "Page Down stops at the last event";
  mDoc->SetCurrentEvent(1, 0);
  Key(WM_KEYDOWN, VK_PRIOR);
  EXPECT_EQ(0u, Current());
  const std::vector<std::pair<WPARAM, uint32_t>> steps{{VK_END, 9}, {VK_LEFT, 8}, {VK_UP, 7}, {VK_HOME, 0},
                                                        {VK_RIGHT, 1}, {VK_DOWN, 2}, {VK_NEXT, 4}, {VK_PRIOR, 2},
                                                        {VK_UP, 1}, {VK_UP, 0}, {VK_UP, 0}};
  const size_t shown = mHost->RecordingView().Comments().size();
  for (const auto& [key, event] : steps) {
    Key(WM_KEYDOWN, key);
    EXPECT_EQ(event, Current()) << key;
  }
  EXPECT_EQ(shown, mHost->RecordingView().Comments().size()) << "the host's view waits for the key-up";
  Key(WM_KEYUP, VK_UP);
  EXPECT_EQ(shown + 1, mHost->RecordingView().Comments().size());
  MSG other{v.GetHandle(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_FALSE(OWL::TWindow::PreProcessMessage(other)) << "other keys are not touched";
  v.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(0u, Current()) << "the wheel changes nothing";
}

TEST_F(AnalysisViewTest, ThumbTracksIntoPagesAndSnapsWhenLetGo) {
  AnalysisView& v = OpenView();
  const int32_t p = v.ScrollPage();
  ASSERT_EQ(600, p);
  int minimum = 0, maximum = 0;
  v.ScrollBar().GetRange(minimum, maximum);
  EXPECT_EQ(6000, maximum);
  mDoc->SetCurrentEvent(2, 0);
  EXPECT_EQ(2 * p, v.ScrollBar().GetPosition());
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 5 * p + 10, 0};
  v.ScrollBar().SetScrollInfo(info, false);
  Scroll(SB_THUMBTRACK);
  EXPECT_EQ(5u, Current());
  EXPECT_TRUE(v.ScrollBar().Tracking());
  EXPECT_EQ(5 * p + 10, v.ScrollBar().GetPosition()) << "the thumb stays while dragged";
  Scroll(SB_THUMBPOSITION, static_cast<WORD>(7 * p + 3));
  EXPECT_EQ(7u, Current()) << "where the message says the thumb was let go";
  EXPECT_EQ(7 * p, v.ScrollBar().GetPosition()) << "snapped to the event's page";
  Scroll(SB_ENDSCROLL);
  EXPECT_FALSE(v.ScrollBar().Tracking());
}

// The thumb's middle, in the bar's client coordinates.
static int ThumbMiddle(HWND bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(bar, OBJID_CLIENT, &info);
  return (info.xyThumbTop + info.xyThumbBottom) / 2;
}

TEST_F(AnalysisViewTest, TheEventUnderADraggedThumbStaysCurrentWhenLetGo) {
  AnalysisView& v = OpenView();
  HWND const bar = v.ScrollBar().GetHandle();
  mDoc->SetCurrentEvent(1, 0);
  const size_t shown = mHost->RecordingView().Comments().size();
  user_mouse::DragScrollThumb(bar, 300);
  const uint32_t dragged = Current();
  EXPECT_GE(dragged, 5u) << "the thumb went right by half the bar";
  EXPECT_FALSE(v.ScrollBar().Tracking());
  EXPECT_EQ(static_cast<int>(dragged) * v.ScrollPage(), v.ScrollBar().GetPosition()) << "snapped to its page";
  EXPECT_NE(std::wstring::npos, StatusOf(v.StatusText()).find(L", Event " + std::to_wstring(dragged + 1) + L" of 10."));
  ASSERT_EQ(shown + 1, mHost->RecordingView().Comments().size()) << "the host's view followed once, when let go";
  EXPECT_EQ(L"ZR: Peak " + std::to_wstring(dragged + 1), mHost->RecordingView().Comments().back().text);
  // A view so wide that the range passes 16 bits: the last event's position is above 65535.
  MoveWindow(v.GetHandle(), 0, 0, 8000, 400, TRUE);
  ASSERT_GT(static_cast<int64_t>(v.ScrollPage()) * 9, 0xFFFF);
  mDoc->SetCurrentEvent(0, 0);
  user_mouse::DragScrollThumb(bar, 7900 - ThumbMiddle(bar));
  EXPECT_EQ(9u, Current()) << "the message's 16 bits widened by the tracked position";
}

TEST(AnalysisScrollBar, ThumbPositionNearWidensSixteenBitsByTheReference) {
  const struct {
    uint16_t carried;
    int32_t reference;
    int32_t expected;
  } cases[] = {{4203, 3010, 4203},        {6464, 71000, 72000},  {65000, 66000, 65000},
               {100, 65500, 65636},       {0, 0, 0},             {65535, 10, 0},
               {0xFFFF, INT_MAX, INT_MAX}, {1, 0x7FFFFFF0, INT_MAX}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, ThumbPositionNear(c.carried, c.reference)) << c.carried << " near " << c.reference;
}

TEST_F(AnalysisViewTest, ScrollPageFitsThirtyTwoBitsAndAViewWithoutWidthIgnoresTheThumb) {
  EXPECT_EQ(2000, EventScrollPage(2000, 10));
  for (const int32_t events : {1'000'000, 2'000'000, 50'000'000, INT_MAX}) {
    const int32_t p = EventScrollPage(2000, events);
    EXPECT_GE(p, 1) << events;
    EXPECT_LE(static_cast<int64_t>(p) * events, INT_MAX) << events;
  }
  EXPECT_EQ(0, EventScrollPage(0, 10));
  EXPECT_EQ(0, EventScrollPage(2000, 0));
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(3, 0);
  MoveWindow(v.GetHandle(), 0, 0, 0, 400, TRUE);
  ASSERT_EQ(0, v.ScrollPage());
  Scroll(SB_THUMBTRACK);
  Scroll(SB_THUMBPOSITION);
  EXPECT_EQ(3u, Current()) << "no page, no event under the thumb";
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(4u, Current()) << "the other codes still step";
}

TEST_F(AnalysisViewTest, StatusTextNamesTheValueAndTheEvent) {
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(2, 0);
  const std::wstring value = mDoc->GetAnalysisViewData().ValueText(0).GetText();
  EXPECT_EQ(value + L", Event 3 of 10.", StatusOf(v.StatusText()));
  mDoc->SetCurrentEvent(12, 0);
  EXPECT_EQ(std::wstring(mDoc->GetAnalysisViewData().ValueText(0).GetText()), StatusOf(v.StatusText()))
      << "past the events: the value part only";
  EXPECT_NE(std::wstring::npos, StatusOf(v.StatusText()).find(L": No value"));
  Set(2000, L"1");
  mDoc->ClearAnalysis();
  v.Refresh();
  EXPECT_EQ(L"No Events", StatusOf(v.StatusText()));
  EXPECT_FALSE(IsWindowEnabled(v.ScrollBar().GetHandle()));
}

TEST_F(AnalysisViewTest, CalculationMenuListsTheTypesMeasurementsAndFollowsTheChoice) {
  AnalysisView& v = OpenView();
  const std::vector<QOR::String> names = mDoc->GetAnalysisViewData().CalculationNames();
  OWL::TPopupMenu& menu = v.CalculationButton().Popup();
  ASSERT_EQ(static_cast<int>(names.size()), menu.GetMenuItemCount());
  for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
    EXPECT_EQ(static_cast<UINT>(AnalysisView::kFirstCalculationId + i), GetMenuItemID(menu.GetHandle(), i)) << i;
    EXPECT_EQ(std::wstring(names[i].GetText()), menu.GetMenuString(i, MF_BYPOSITION)) << i;
  }
  EXPECT_EQ(AnalysisView::kFirstCalculationId, v.CalculationButton().CheckedItem());
  const int last = menu.GetMenuItemCount() - 1;
  v.SendMessage(WM_COMMAND, MAKEWPARAM(AnalysisView::kFirstCalculationId + last, 0), 0);
  EXPECT_EQ(last, v.CurrentCalculation());
  EXPECT_EQ(AnalysisView::kFirstCalculationId + last, v.CalculationButton().CheckedItem());
  EXPECT_EQ(0u, StatusOf(v.StatusText()).find(names[last].GetText()));
  // A type with fewer measurements takes the check back to the first item.
  Set(2000, L"4");
  v.Refresh();
  EXPECT_EQ(0, v.CurrentCalculation());
  EXPECT_EQ(AnalysisView::kFirstCalculationId, v.CalculationButton().CheckedItem());
}

// The screen point at the middle of a gadget of the strip.
static POINT GadgetCentre(const OWL::TGadgetWindow& strip, size_t index) {
  const OWL::TRect bounds = strip.Gadgets().at(index)->GetBounds();
  POINT at{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(strip.GetHandle(), &at);
  return at;
}

// What the display shows of a window's rectangle: the colours in it, counted once each.
static size_t ScreenColoursIn(const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return 0;
  DibCanvas canvas(width, height, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HDC const screen = GetDC(nullptr);
  BitBlt(canvas.Dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  std::set<uint32_t> colours;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) colours.insert(canvas.At(x, y));
  return colours.size();
}

// Before the pointer ever comes near it, the strip's menu button shows its face, inside the strip.
TEST_F(AnalysisViewTest, TheStripsMenuButtonIsDrawnInsideTheStripFromTheStart) {
  AnalysisView& v = OpenView();
  SetWindowPos(GetAncestor(v.GetHandle(), GA_ROOT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  avtest::Pump();
  RECT button{}, strip{};
  GetWindowRect(v.CalculationButton().ButtonHandle(), &button);
  GetClientRect(v.Strip().GetHandle(), &strip);
  MapWindowPoints(v.Strip().GetHandle(), nullptr, reinterpret_cast<POINT*>(&strip), 2);
  EXPECT_TRUE(button.top >= strip.top && button.bottom <= strip.bottom && button.left >= strip.left)
      << "the button lies inside the strip: " << button.top << "-" << button.bottom << " in " << strip.top << "-"
      << strip.bottom;
  EXPECT_GE(ScreenColoursIn(button), 3u) << "its face and arrow are on the screen, not a blank square";
}

TEST_F(AnalysisViewTest, AClickOnTheStripsMenuButtonOpensTheMenuAndTheChoiceShowsItsValue) {
  ScriptedModalSeam seam;
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(2, 0);
  const std::vector<QOR::String> names = mDoc->GetAnalysisViewData().CalculationNames();
  ASSERT_GT(names.size(), 3u);
  HWND const button = v.CalculationButton().ButtonHandle();
  EXPECT_EQ(v.Strip().GetHandle(), GetParent(button)) << "the button lives in the strip";
  const RECT placed = RectIn(button, v.Strip().GetHandle());
  EXPECT_EQ(v.Strip().Gadgets().at(0)->GetBounds(), OWL::TRect(placed)) << "and fills its gadget";
  EXPECT_EQ(placed.right, v.Strip().Gadgets().at(1)->GetBounds().left) << "the status text follows it";
  seam.MenuChoices = {static_cast<UINT>(AnalysisView::kFirstCalculationId + 3)};
  EXPECT_EQ(button, user_mouse::Click(GadgetCentre(v.Strip(), 0)));
  ASSERT_EQ(1u, seam.MenuTracks.size()) << "the click opened the menu";
  EXPECT_EQ(button, seam.MenuTracks[0].owner);
  EXPECT_EQ(3, v.CurrentCalculation());
  EXPECT_EQ(AnalysisView::kFirstCalculationId + 3, v.CalculationButton().CheckedItem());
  const std::wstring value = mDoc->GetAnalysisViewData().ValueText(3).GetText();
  EXPECT_EQ(value + L", Event 3 of 10.", StatusOf(v.StatusText()));
  EXPECT_EQ(0u, value.find(names[3].GetText()));
}

TEST_F(AnalysisViewTest, CaptionAndPictureShowTheTitleAndTheRedTrace) {
  AnalysisView& v = OpenView();
  mHost->SetTitle(L"beats.csv");
  EXPECT_EQ(L"beats.csv: Ondara View", std::wstring(v.GetCaption().GetText()));
  mDoc->SetCurrentEvent(1, 0);
  DibCanvas canvas(400, 300, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  OWL::TDC dc(canvas.Dc());
  v.Render(dc, nullptr, OWL::TRect(0, 0, 400, 300));
  int red = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) red += canvas.At(x, y) == 0xFF0000 ? 1 : 0;
  EXPECT_GT(red, 50) << "the trace";
}

// What Print and Copy draw, in a window-sized picture and on a tall page (more, longer value
// labels than the window has): no label reaches an edge of the picture, where it would be cut,
// and the value title stands apart from the value labels.
TEST_F(AnalysisViewTest, ThePrintedPictureKeepsItsAxisLabelsWholeAndApart) {
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(1, 0);
  for (const SIZE size : {SIZE{400, 300}, SIZE{500, 900}}) {
    DibCanvas canvas(size.cx, size.cy, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    OWL::TDC dc(canvas.Dc());
    v.Render(dc, nullptr, OWL::TRect(0, 0, size.cx, size.cy));
    int plotLeft = 0;  // the value axis: the first column inked from top to bottom of the plot
    while (plotLeft < size.cx && !(InkAt(canvas, plotLeft, size.cy / 3) && InkAt(canvas, plotLeft, size.cy / 2)))
      ++plotLeft;
    int edgeInk = 0;
    for (int y = 0; y < size.cy; ++y) edgeInk += InkAt(canvas, 0, y) ? 1 : 0;
    for (int x = 0; x < size.cx; ++x) edgeInk += InkAt(canvas, x, 0) ? 1 : 0;
    for (int y = size.cy - 30; y < size.cy; ++y) edgeInk += InkAt(canvas, size.cx - 1, y) ? 1 : 0;
    EXPECT_EQ(0, edgeInk) << size.cy;
    EXPECT_EQ(2, InkedRuns(canvas, RECT{0, 0, plotLeft - 6, size.cy - 40}, true)) << "the title, then the labels; " << size.cy;
  }
}

TEST_F(AnalysisViewTest, TheCopiedPictureShowsTheRedTrace) {
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(1, 0);
  HostPtr<IMessageHandler> messages;
  view->QueryInterface(IID_IMessageHandler, reinterpret_cast<void**>(messages.Out()));
  HostPtr<IMessage> message;
  GetMessageService()->CreateMessage(kCopyMessageId, 0, 0, 0, 0, nullptr, message.Out());
  messages->HandleMessage(message.Get());
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto const enhanced = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ASSERT_NE(nullptr, enhanced);
  DibCanvas canvas(300, 200, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT all{0, 0, 300, 200};
  PlayEnhMetaFile(canvas.Dc(), enhanced, &all);
  CloseClipboard();
  int red = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) red += (canvas.At(x, y) & 0xFF0000) == 0xFF0000 && (canvas.At(x, y) & 0xFFFF) < 0x4040 ? 1 : 0;
  EXPECT_GT(red, 30);
  (void)v;
}

TEST_F(AnalysisViewTest, TheHostsColourNotificationReappliesThePlotsColours) {
  AnalysisView& v = OpenView();
  v.Plot()->YCPlotDataEx::ClearChanged();
  HostPtr<IObserver> observer;
  view->QueryInterface(IID_IObserver, reinterpret_cast<void**>(observer.Out()));
  ASSERT_NE(nullptr, observer.Get());
  uint16_t index = 0;
  ASSERT_EQ(S_OK, GetTypeRegistry()->RegisterGuid(&kHostNotifyClassGuid, &index));
  EXPECT_EQ(S_OK, observer->Notify(0, (static_cast<uint32_t>(index) << 16) | 8, 0, nullptr));
  EXPECT_TRUE(v.Plot()->YCPlotDataEx::IsChanged()) << "reloaded with the colours";
}

TEST_F(AnalysisViewTest, EachStepSelectsTheEventsRowInTheTableView) {
  static const bool registered = [] {
    RegisterNewClassObject(ObjectFactoryAccessor::Get(), NewTableViewClass());
    InstallTableViewWindow();
    return true;
  }();
  (void)registered;
  OpenView();
  HostPtr<IDocView2> tableView;
  ASSERT_EQ(S_OK, site->OpenView(ZRTableViewEx::ViewMessageId(), tableView));
  avtest::Pump();
  HWND const frame = site->FrameOf(tableView.Get())->Client();
  HWND const tableWindow = GetWindow(frame, GW_CHILD);
  auto* const table = dynamic_cast<TVF_TableView*>(
      OWL::TWindow::GetWindowPtr(FindWindowExW(tableWindow, nullptr, L"TVF_TableView", nullptr)));
  ASSERT_NE(nullptr, table);
  Key(WM_KEYDOWN, VK_END);
  EXPECT_EQ(10, table->MainGrid().Selection()->Range().FirstRow.Index) << "the last event's row";
  Scroll(SB_PAGEUP);
  EXPECT_EQ(8, table->MainGrid().Selection()->Range().FirstRow.Index);
}

TEST_F(AnalysisViewTest, TheMouseOverTheTraceShowsTheReadOutOfTheSampleBelowIt) {
  AnalysisView& v = OpenView();
  mDoc->SetCurrentEvent(3, 0);
  MGraph1::Graph2DWindow* const graph = v.Plot()->Graph();
  ASSERT_NE(nullptr, graph);
  UpdateWindow(v.GetHandle());
  avtest::Pump();
  OWL::TRect plot;
  graph->GetPlotRect(plot, graph->GetDrawerRect());
  ASSERT_GT(plot.Width(), 20);
  auto* const readOut = dynamic_cast<MGraph1::Annotation*>(graph->GetOverlay(0));
  ASSERT_NE(nullptr, readOut);
  const POINT at = user_mouse::ScreenPoint(graph->GetHandle(), (plot.left + plot.right) / 2,
                                           (plot.top + plot.bottom) / 2);
  EXPECT_EQ(graph->GetHandle(), user_mouse::Move(at));
  QOR::String text;
  ASSERT_TRUE(readOut->GetText(text)) << "a sample under the mouse";
  EXPECT_EQ(0u, std::wstring(text.GetText()).find(L"Channel 1: ")) << std::wstring(text.GetText());
  EXPECT_NE(std::wstring::npos, std::wstring(text.GetText()).find(L" s, "));
}

namespace {

// The shortest distance in pixels from a point of the line's segment to the box (0 where it
// passes through it).
double Distance(const RECT& box, POINT from, POINT to) {
  double nearest = 1e9;
  for (int k = 0; k <= 100; ++k) {
    const double x = from.x + (to.x - from.x) * k / 100.0, y = from.y + (to.y - from.y) * k / 100.0;
    const double dx = std::max({box.left - x, 0.0, x - box.right}), dy = std::max({box.top - y, 0.0, y - box.bottom});
    nearest = std::min(nearest, std::hypot(dx, dy));
  }
  return nearest;
}

}  // namespace

// On the population spikes of the evoked recording, stepped to with the scroll bar's arrow as a
// user steps, the slope line's label stands beside its line, within a label's height of it, and
// not by a stimulus artefact milliseconds away, where it read as that artefact's label. Runs on
// screens of 96, 144 and 192 dpi, in a view of 600 x 400 pixels of a 96-dpi screen.
TEST_F(AnalysisViewTest, TheSlopeLabelStandsBesideItsLineAtTheScreensResolution) {
  OpenOver(host::ReadRecordingFile(testsupport::RecordingPath("evoked_epsc.csv"), {}));
  for (const auto& [id, text] : {std::pair<int32_t, const wchar_t*>{1000, L"3"}, {1028, L"1e-9"}, {1003, L"1"}})
    Set(id, text);
  AnalysisView& v = ShowView(true, L"4");
  const int dpi = QOR::ScreenDpi();
  MoveWindow(v.GetHandle(), 0, 0, MulDiv(600, dpi, 96), MulDiv(400, dpi, 96), TRUE);
  avtest::Pump();
  ASSERT_EQ(0u, Current());
  ASSERT_GE(v.EventCount(), 12);
  for (const uint32_t event : {2u, 7u, 12u}) {
    while (Current() + 1 < event) user_mouse::ClickScrollArrow(v.ScrollBar().GetHandle(), true);
    ASSERT_EQ(event, Current() + 1);
    RECT client{};
    GetClientRect(v.GetHandle(), &client);
    const std::vector<WrittenText> texts = DrawnWrittenTexts([&](HDC hdc) {
      OWL::TDC dc(hdc);
      v.Render(dc, nullptr, OWL::TRect(client));
    });
    const auto slope =
        std::find_if(texts.begin(), texts.end(), [](const WrittenText& t) { return t.text == L"Slope"; });
    ASSERT_NE(texts.end(), slope) << "event " << event;
    // Written from its top left corner, after its line.
    const SIZE size = WrittenTextSize(*slope);
    const RECT box{slope->at.x, slope->at.y, slope->at.x + size.cx, slope->at.y + size.cy};
    EXPECT_LE(Distance(box, slope->lineFrom, slope->lineTo), size.cy)
        << "event " << event << ": the label at " << box.left << "," << box.top << ", its line from "
        << slope->lineFrom.x << "," << slope->lineFrom.y << " to " << slope->lineTo.x << "," << slope->lineTo.y;
  }
}
