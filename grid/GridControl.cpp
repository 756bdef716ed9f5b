// The grid window: construction, the client's cells, painting its own area, reports and menus.
#include "grid/GridControl.h"

#include "base/OStringStream.h"
#include "grid/CellData.h"
#include "grid/CellFrame.h"
#include "grid/GridPane.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSelection.h"
#include "grid/GridSnapBar.h"
#include "grid/GridTitleBar.h"
#include "grid/RowNumbersPane.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TPopupMenu.h"
#include "platform/owl/TScreenDC.h"
#include "platform/uihelpers/DialogFonts.h"
#include "platform/uihelpers/ScreenDpi.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace TVF_Grid {

namespace {

// Rows are 16 pixels at 96 dpi, scaled to the screen, and never lower than the cell font, which
// is made in points and so grows with the screen's resolution.
int32_t RowHeightFor(const OWL::TFont& cellFont, int32_t dpi) {
  constexpr int32_t kRowHeight = 16;
  const TEXTMETRICW metrics = cellFont.GetTextMetrics();
  return std::max<int32_t>(QOR::ScaleForDpi(kRowHeight, dpi), metrics.tmHeight + metrics.tmExternalLeading);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(GridControl, OWL::TWindow)
  EV_WM_SIZE,
  EV_WM_CONTEXTMENU,
  EV_WM_ERASEBKGND,
  EV_MESSAGE(WM_WINDOWPOSCHANGED, EvWindowPosChanged),
  EV_WM_LBUTTONDOWN,
  EV_WM_VSCROLL,
  EV_WM_HSCROLL,
  EV_COMMAND(kSnapToggleCommand, CmSnapToggle),
END_RESPONSE_TABLE;

GridControl::GridControl(OWL::TWindow* parent)
    : TWindow(parent, L""),
      mVBarWidth(GetSystemMetrics(SM_CXVSCROLL)),
      mHBarHeight(GetSystemMetrics(SM_CYHSCROLL)),
      mDpi(QOR::ScreenDpi()) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP;
  mPane = new GridPane(*this);
  mTitleBar = new GridTitleBar(*this, *mPane);
  mRowNumbers = new RowNumbersPane(*this, *mPane);
  mVScroll = new GridVScrollBar(*this);
  mHScroll = new GridHScrollBar(*this);
  OWL::TScreenDC screen;
  mCellFont.reset(QOR::CreateDefaultGUIFont(screen, kFontPoints, false));
  mHeadingFont.reset(QOR::CreateDefaultGUIFont(screen, kFontPoints, false));
  mTitleHeight = static_cast<int32_t>(mHeadingFont->GetTextMetrics().tmHeight) + 3;
  mPane->SetRowHeight(RowHeightFor(*mCellFont, mDpi));
  mRowNumberWidth = mRowNumbers->Attr.W;
}

// The children go with the window; the snap bar's window is one of them.
GridControl::~GridControl() {
  if (mRowNumberPartner) mRowNumberPartner->mRowNumberPartner = nullptr;
}

void GridControl::SetupWindow() {
  TWindow::SetupWindow();
  EnsureSnapBar();
  UpdateScrollBars();
}

void GridControl::EnsureSnapBar() {
  if (!SnapBarWanted || mSnapBar || !GetHandle() || !GridSnapBar::CurrentFactory()) return;
  mSnapBar = GridSnapBar::CurrentFactory()(*this);
  if (!mSnapBar) return;
  mSnapBar->Window().Create();
  mSnapBar->SetPressed(ShowLatestRow);
}

void GridControl::SetInterfaces(ITableDataManager* data, ITableStoredRowInfo* rows,
                                ITableUserActionHandler* actions, IGridCellMenuSource* menuSource,
                                uint32_t actionFlags, uint32_t dataFlags) noexcept {
  mData = data;
  mRows = rows;
  mActions = actions;
  mMenuSource = menuSource;
  mActionFlags = actionFlags;
  mDataFlags = dataFlags;
}

int32_t GridControl::ToScreen(int32_t layoutPixels) const noexcept { return QOR::ScaleForDpi(layoutPixels, mDpi); }
int32_t GridControl::FromScreen(int32_t screenPixels) const noexcept { return QOR::UnscaleForDpi(screenPixels, mDpi); }

int32_t GridControl::DataRowCount() const noexcept { return mPane->RowCount(); }
int32_t GridControl::DataColumnCount() const noexcept { return mPane->ColumnCount(); }

uint32_t GridControl::CellStyle(int32_t row, int32_t column) const {
  uint32_t style = 0;
  if (mData && FAILED(mData->GetCellStyle(mDataFlags, row, column, &style))) style = 0;
  return style;
}

int32_t GridControl::GetColumnKind(const GridPosition&, const GridPosition& column) {
  const int32_t i = column.Index - mFixedColumns;
  if (i < 0 || i >= mPane->ColumnCount()) return 0;
  const GridColumn& c = mPane->Column(i);
  return c.Hidden ? 2 : c.Kind;
}

std::unique_ptr<CellData> GridControl::GetCellData(int32_t row, int32_t column) {
  QOR::String text;
  if (mData) mData->GetCellText(mDataFlags, row, column, QOR::StringOutParam(text));
  if (!(CellStyle(row, column) & kCellStyleChoice)) {
    auto data = std::make_unique<TVF_CellStringData>();
    data->SetText(text);
    return data;
  }
  auto data = std::make_unique<TVF_CellUint32Data>();
  // Classic-locale decimal; anything else is the marker 0x80000001.
  const char* const narrow = text.GetNarrowText();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(narrow, &end, 10);
  const bool parsed = end != narrow && *end == '\0' && errno == 0;
  data->SetValue(parsed ? static_cast<uint32_t>(value) : 0x80000001u);
  return data;
}

void GridControl::PaintCellBackground(HDC dc, const GridPosition& row, const GridPosition& column,
                                      int style, COLORREF colour) {
  // A printout shows values, not the screen's selection.
  const bool selected = !Printing && mSelection && mSelection->Range().ContainsRow(row.Index) &&
                        mSelection->Range().ContainsColumn(column.Index);
  const bool given = colour != CLR_INVALID;
  SetBkColor(dc, selected ? (given ? colour : GetSysColor(COLOR_HIGHLIGHT)) : RGB(255, 255, 255));
  COLORREF text = RGB(0, 0, 0);
  if (style == 2)
    text = RGB(64, 64, 64);
  else if (given && !selected)
    text = colour;
  else if (selected)
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  SetTextColor(dc, text);
}

void GridControl::WriteRowLabel(const GridPosition& row, std::basic_ostream<wchar_t>& out) {
  if (row.Index - mFixedRows >= mPane->RowCount()) return;
  if (RendererRowHeaders && mPane->Renderer() && mPane->Renderer() != this) {
    mPane->Renderer()->WriteRowLabel(row, out);
    return;
  }
  out << (row.Index - mFixedRows + 1) << std::ends;
}

int32_t GridControl::GetLongestRowLabel() {
  GridRenderer* const renderer = mPane->Renderer() ? mPane->Renderer() : this;
  int32_t longest = 0;
  for (int32_t row = 0; row < mPane->RowCount(); ++row) {
    QOR::OStringStream label;
    renderer->WriteRowLabel({row + mFixedRows, mFixedRows}, label);
    longest = std::max<int32_t>(longest, static_cast<int32_t>(std::wcslen(label.str().GetText())));
  }
  return longest;
}

void GridControl::CreateSelection() { mSelection = std::make_unique<GridSelection>(*this, RowSelectMode); }

const CellRange* GridControl::UserSelection() const noexcept {
  if (!mSelection || !mSelection->ChosenByUser() || !mSelection->Range().IsValid()) return nullptr;
  return &mSelection->Range();
}

const CellRange* GridControl::PrintedSelection() const noexcept {
  return WholeGridPrinting ? nullptr : UserSelection();
}

void GridControl::InvalidateAll() {
  for (OWL::TWindow* w : {static_cast<OWL::TWindow*>(this), static_cast<OWL::TWindow*>(mPane),
                          static_cast<OWL::TWindow*>(mTitleBar), static_cast<OWL::TWindow*>(mRowNumbers)})
    if (w->GetHandle()) w->Invalidate(true);
}

double GridControl::GetHorizontalScrollFraction() const {
  if (!mHScroll->GetHandle()) return 0.0;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!mHScroll->GetScrollInfo(info) || info.nMax == info.nMin) return 0.0;
  return static_cast<double>(info.nPos + static_cast<int>(info.nPage) - info.nMin) / (info.nMax - info.nMin);
}

void GridControl::ReportSelectionChange(const CellRange& range, bool byMouse) {
  InvalidateAll();
  if (!mActions) return;
  std::vector<TableSelectionRecord> records;
  if (range.IsValid())
    for (int32_t c = range.FirstColumn.Index; c < range.EndColumn.Index; ++c)
      records.push_back({c, range.FirstRow.Index, range.EndRow.Index});
  if (records.empty()) records.push_back({0, 0, 0});
  mActions->OnSelectionChanged(mActionFlags + (byMouse ? 1 : 0), records.data(),
                               static_cast<int32_t>(records.size()));
}

void GridControl::ReportClick(uint32_t click, int32_t row, int32_t column) {
  if (mActions) mActions->OnCellClick(mActionFlags + click, row, column);
}

void GridControl::ShowCellMenu(int32_t row, int32_t column) {
  if (!mActions || !mMenuSource) return;
  int32_t count = 0;
  if (FAILED(mMenuSource->GetItemCount(0, row, column, &count)) || count <= 0) return;
  OWL::TPopupMenu menu;
  for (int32_t i = 0; i < count; ++i) {
    QOR::String text;
    mMenuSource->GetItemText(0, row, column, i, QOR::StringOutParam(text));
    menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(i + 1), text.GetText());
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  const int chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         OWL::TPoint(cursor.x, cursor.y), GetParentH());
  if (chosen > 0) OnCellCommand(2, row, chosen - 1, column);
}

void GridControl::ToggleShowLatestRow() {
  ShowLatestRow = !ShowLatestRow;
  if (mSnapBar) mSnapBar->SetPressed(ShowLatestRow);
  OnShowLatestRowToggled();
}

bool GridControl::PreTranslate(MSG& msg) {
  if (msg.message == WM_CHAR) return false;
  if (msg.message == WM_KEYDOWN &&
      OnKeyDown(static_cast<UINT>(msg.wParam), LOWORD(msg.lParam), HIWORD(msg.lParam)))
    return true;
  if (msg.message == WM_KEYUP &&
      OnKeyUp(static_cast<UINT>(msg.wParam), LOWORD(msg.lParam), HIWORD(msg.lParam)))
    return true;
  const HWND parent = GetParentH();
  return parent && IsDialogMessageW(parent, &msg) != 0;
}

void GridControl::EvLButtonDown(UINT, const OWL::TPoint&) { OnGridClicked(); }

void GridControl::Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) {
  if (erase) dc.TextRect(rect, OWL::TColor(GetSysColor(COLOR_WINDOW)));
  const OWL::TRect window = GetWindowRect();
  PaintFrame(dc, window.Width(), window.Height());
}

void GridControl::PaintFrame(OWL::TDC& dc, int windowWidth, int windowHeight) {
  const int W = mClientWidth, H = mClientHeight, T = mTitleHeight, N = mRowNumberWidth;
  const int vs = mVBarWidth, hs = mHBarHeight;
  std::vector<OWL::TRect> boxes{OWL::TRect(1, 1, N + 1, T + 1)};
  if (mVScrollShown) boxes.emplace_back(W - vs, 1, W, T + 1);
  if (!mVScrollShown && KeepVBarRoom) boxes.emplace_back(W - vs, 1, W, mHScrollShown ? H - hs : H);
  if ((mVScrollShown || KeepVBarRoom) && mHScrollShown) boxes.emplace_back(W - vs, H - hs, W, H);
  if (mHScrollShown) boxes.emplace_back(1, H - hs, N + 1, H);
  for (const OWL::TRect& box : boxes) {
    dc.TextRect(box, OWL::TColor(GetSysColor(COLOR_BTNFACE)));
    DrawCellFrame(dc, box.left, box.top, box.right - 1, box.bottom - 1);
  }
  const OWL::TPen shadow(OWL::TColor(GetSysColor(COLOR_BTNSHADOW)));
  dc.SelectObject(shadow);
  dc.MoveTo(0, 0);
  dc.LineTo(windowWidth, 0);
  dc.MoveTo(0, 0);
  dc.LineTo(0, windowHeight);
  dc.RestorePen();
}

}  // namespace TVF_Grid
