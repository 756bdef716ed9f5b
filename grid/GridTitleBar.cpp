// The title bar: hit tests, selecting, resizing and moving columns, and painting the titles.
#include "grid/GridTitleBar.h"

#include "grid/FittedText.h"
#include "grid/GridControl.h"
#include "grid/GridKeyState.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPen.h"

#include <string>

namespace TVF_Grid {

// A column's right edge on screen.
static int RightEdge(const GridPane& pane, int32_t i) noexcept {
  return pane.Column(i).Right() - pane.HorizontalOffset();
}

TitleHit EdgeHit(const GridPane& pane, int x) noexcept {
  for (int32_t i = 0; i < pane.ColumnCount(); ++i) {
    const int e = RightEdge(pane, i);
    if (e - 4 < x && x < e + 4) return {i, e - x};
  }
  return {};
}

TitleHit ColumnHit(const GridPane& pane, int x) noexcept {
  for (int32_t i = 0; i < pane.ColumnCount(); ++i) {
    const int e = RightEdge(pane, i);
    if (x < e - 4) return {i, e - x};
  }
  return {};
}

DEFINE_RESPONSE_TABLE1(GridTitleBar, OWL::TWindow)
  EV_WM_SETCURSOR,
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
  EV_WM_LBUTTONDBLCLK,
  EV_WM_RBUTTONUP,
  EV_WM_CONTEXTMENU,
  EV_WM_MOUSEMOVE,
  EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

GridTitleBar::GridTitleBar(GridControl& grid, GridPane& pane)
    : TWindow(&grid, L""), mGrid(grid), mPane(pane) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  EnableAutoCreate();
}

int GridTitleBar::LastRight() const noexcept {
  return mPane.ColumnCount() ? RightEdge(mPane, mPane.ColumnCount() - 1) : 0;
}

int32_t GridTitleBar::ColumnOrLast(int x) const noexcept {
  if (x > LastRight()) return mPane.ColumnCount() - 1;
  return ColumnHit(mPane, x).Column;
}

void GridTitleBar::Select(int32_t column, unsigned modifiers) {
  if (!mGrid.Selection()) return;
  mGrid.Selection()->MouseDown({mGrid.FixedRows() - 1, mGrid.FixedRows()},
                               {mPane.Column(column).Index + mGrid.FixedColumns(), mGrid.FixedColumns()}, modifiers);
}

void GridTitleBar::EndSelection(int32_t column, unsigned modifiers) {
  if (!mGrid.Selection()) return;
  mGrid.Selection()->MouseUp({mGrid.FixedRows() - 1, mGrid.FixedRows()},
                             {mPane.Column(column).Index + mGrid.FixedColumns(), mGrid.FixedColumns()}, modifiers);
}

void GridTitleBar::SetAnchor(int32_t column) {
  if (!mGrid.Selection()) return;
  mGrid.Selection()->AnchorRow = {mGrid.FixedRows() - 1, mGrid.FixedRows()};
  mGrid.Selection()->AnchorColumn = {mPane.Column(column).Index + mGrid.FixedColumns(), mGrid.FixedColumns()};
}

bool GridTitleBar::EvSetCursor(HWND window, UINT hitTest, UINT) {
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(GetHandle(), &cursor);
  const OWL::TRect client = GetClientRect();
  if (window != GetHandle() || hitTest != HTCLIENT || !client.Contains(OWL::TPoint(cursor.x, cursor.y))) {
    ::SetCursor(nullptr);
    return true;
  }
  const TitleHit edge = EdgeHit(mPane, cursor.x);
  const bool sizing = edge.Column >= 0 && mPane.Column(edge.Column).Sizable;
  ::SetCursor(LoadCursorW(nullptr, sizing ? IDC_SIZEWE : IDC_ARROW));
  return true;
}

void GridTitleBar::EvLButtonDown(UINT, const OWL::TPoint& point) {
  if (mPane.GetHandle()) ::SetFocus(mPane.GetHandle());
  const TitleHit hit = ColumnHit(mPane, point.x);
  const TitleHit edge = EdgeHit(mPane, point.x);
  mPressed = hit.Column;
  mPressToRight = hit.ToRight;
  if (point.x > LastRight() && edge.Column < 0) {
    if (mGrid.Selection()) mGrid.Selection()->Clear();
    return;
  }
  if (edge.Column >= 0) {
    mPressed = edge.Column;
    mPressToRight = edge.ToRight;
  }
  if (mPressed < 0) return;
  Select(mPressed, GridKeyState::MouseModifiers());
  if (edge.Column >= 0 && mPane.Column(mPressed).Sizable) {
    mResizeMinimum = mPane.ResizeMinimum(mPressed);
    mResizing = true;
    SetCapture();
    mPane.BeginResize();
  } else if (mGrid.ColumnMoving) {
    mDragging = true;
    RepaintTitles(point.x);
    SetCapture();
  }
}

void GridTitleBar::EvMouseMove(UINT, const OWL::TPoint& point) {
  if (mResizing) {
    mPane.SetColumnRight(mPressed, std::max<int32_t>(point.x + mPane.HorizontalOffset(), mResizeMinimum));
    return RepaintTitles(-1);
  }
  if (mDragging) return RepaintTitles(point.x);
  const bool primary = GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0;
  const int32_t column = ColumnOrLast(point.x);
  if (!primary || column < 0 || !mGrid.Selection() || GridKeyState::MouseModifiers() != 0) return;
  mGrid.Selection()->MouseDrag({mGrid.FixedRows() - 1, mGrid.FixedRows()},
                               {mPane.Column(column).Index + mGrid.FixedColumns(), mGrid.FixedColumns()});
  if (column >= mPane.FirstColumn() + mPane.VisibleColumnCount() - 1) mGrid.SetFirstColumn(mPane.FirstColumn() + 1);
}

void GridTitleBar::EvLButtonUp(UINT, const OWL::TPoint& point) {
  if (mResizing) {
    ReleaseCapture();
    mResizing = false;
    mPane.EndResize(mPressed);
    return;
  }
  if (mDragging) {
    ReleaseCapture();
    mDragging = false;
    RepaintTitles(-1);
    const int32_t target = ColumnHit(mPane, point.x).Column;
    if (target >= 0 && target != mPressed && mPressed >= 0)
      mGrid.OnColumnMoved({mPane.Column(mPressed).Index + mGrid.FixedColumns(), mGrid.FixedColumns()},
                          {mPane.Column(target).Index + mGrid.FixedColumns(), mGrid.FixedColumns()});
    else if (target == mPressed && target >= 0)
      EndSelection(target, GridKeyState::MouseModifiers());
    return;
  }
  const int32_t column = ColumnOrLast(point.x);
  if (column >= 0) EndSelection(column, GridKeyState::MouseModifiers());
}

void GridTitleBar::EvLButtonDblClk(UINT, const OWL::TPoint& point) {
  const TitleHit edge = EdgeHit(mPane, point.x);
  if (point.x > LastRight() && edge.Column < 0) {
    if (mGrid.Selection()) mGrid.Selection()->Clear();
    return;
  }
  const int32_t column = edge.Column >= 0 ? edge.Column : ColumnHit(mPane, point.x).Column;
  if (column < 0) return;
  Select(column, GridKeyState::MouseModifiers() | kModDoubleClick);
  SetAnchor(column);
}

void GridTitleBar::EvRButtonUp(UINT modKeys, const OWL::TPoint& point) {
  if (point.x > LastRight()) {
    if (mGrid.Selection()) mGrid.Selection()->Clear();
    return;
  }
  const int32_t column = ColumnHit(mPane, point.x).Column;
  if (column >= 0) {
    Select(column, GridKeyState::MouseModifiers() | kModRightButton);
    SetAnchor(column);
  }
  TWindow::EvRButtonUp(modKeys, point);
}

void GridTitleBar::EvContextMenu(HWND, int, int) {
  if (!mPane.Renderer()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(GetHandle(), &cursor);
  if (!mPane.ColumnCount()) return;
  const int32_t column = mPane.ColumnAt(cursor.x + mPane.HorizontalOffset());
  mGrid.ShowCellMenu(mGrid.FixedRows() - 1, mPane.Column(column).Index + mGrid.FixedColumns());
}

void GridTitleBar::RepaintTitles(int feedbackX) {
  if (!GetHandle()) return;
  const OWL::TRect client = GetClientRect();
  HDC dc = GetDC(GetHandle());
  PaintTitles(dc, client.Width(), client.Height());
  if (feedbackX >= 0) PaintDragFeedback(dc, feedbackX, client.Height());
  ReleaseDC(GetHandle(), dc);
}

void GridTitleBar::Paint(OWL::TDC& dc, bool, OWL::TRect&) {
  const OWL::TRect client = GetClientRect();
  PaintTitles(dc.GetHDC(), client.Width(), client.Height());
}

// One title cell: highlight on the left, the title centred (left-aligned and cut with an ellipsis
// when it does not fit, or the short title), shadow on the right and along the bottom.
void GridTitleBar::PaintTitle(HDC hdc, int32_t i, int left, int right, int height, bool selected) {
  OWL::TDC dc(hdc);
  const GridColumn& c = mPane.Column(i);
  const OWL::TPen highlight(OWL::TColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
  const OWL::TPen shadow(OWL::TColor(GetSysColor(COLOR_BTNSHADOW)));
  dc.SelectObject(highlight);
  dc.MoveTo(left, 0);
  dc.LineTo(left, height);
  dc.RestorePen();
  const OWL::TRect text(left + 1, 0, right, height - 1);
  dc.SetTextColor(OWL::TColor(selected ? RGB(255, 255, 255) : RGB(0, 0, 0)));
  dc.SetBkColor(OWL::TColor(GetSysColor(selected ? COLOR_BTNSHADOW : COLOR_BTNFACE)));
  const QOR::String* title = &c.Title;
  int width = dc.GetTextExtent(title->GetText(), title->Length()).cx;
  int x = (text.left + text.right) / 2;
  UINT align = TA_CENTER | TA_TOP;
  if (width > text.Width()) {
    x = text.left;
    align = TA_LEFT | TA_TOP;
    if (!c.ShortTitle.IsEmpty()) {
      title = &c.ShortTitle;
      width = dc.GetTextExtent(title->GetText(), title->Length()).cx;
      if (width <= text.Width()) {
        x = (text.left + text.right) / 2;
        align = TA_CENTER | TA_TOP;
      }
    }
  }
  dc.SetTextAlign(align);
  const std::wstring shown = width <= text.Width()
                                 ? std::wstring(title->GetText(), static_cast<size_t>(title->Length()))
                                 : FitText(hdc, title->GetText(), title->Length(), text.Width());
  dc.ExtTextOut(x, text.top, ETO_CLIPPED | ETO_OPAQUE, &text, shown.c_str(), static_cast<int>(shown.size()));
  dc.SelectObject(shadow);
  dc.MoveTo(right, 0);
  dc.LineTo(right, height);
  dc.MoveTo(left + 1, height - 1);
  dc.LineTo(right, height - 1);
  dc.RestorePen();
}

void GridTitleBar::PaintTitles(HDC hdc, int width, int height) {
  OWL::TDC dc(hdc);
  const OWL::TColor face(GetSysColor(COLOR_BTNFACE));
  dc.TextRect(OWL::TRect(0, 0, width, height), face);
  dc.SetBkColor(face);
  dc.SelectObject(mGrid.HeadingFont());
  const CellRange* range = mGrid.Selection() ? &mGrid.Selection()->Range() : nullptr;
  for (int32_t i = mPane.FirstColumn(); i < mPane.ColumnCount(); ++i) {
    const int left = mPane.Column(i).Left - mPane.HorizontalOffset();
    if (left > width) break;
    const bool selected = range && range->ContainsColumn(mPane.Column(i).Index + mGrid.FixedColumns());
    PaintTitle(hdc, i, left, left + mPane.Column(i).Width, height, selected);
  }
  const OWL::TPen highlight(OWL::TColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
  dc.SelectObject(highlight);
  dc.MoveTo(0, 0);
  dc.LineTo(width - 1, 0);
  dc.RestorePen();
  dc.RestoreFont();
}

void GridTitleBar::PaintDragFeedback(HDC hdc, int x, int height) {
  if (mPressed < 0 || mPressed >= mPane.ColumnCount()) return;
  OWL::TDC dc(hdc);
  dc.SelectObject(mGrid.HeadingFont());
  const int right = x + mPressToRight;
  PaintTitle(hdc, mPressed, right - mPane.Column(mPressed).Width, right, height, false);
  dc.RestoreFont();
}

}  // namespace TVF_Grid
