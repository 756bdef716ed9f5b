// TVF_TableView: the window, its two grids, their layout, selection and scrolling, and the grid
// events it relays to the manager.
#include "grid/TVF_TableView.h"

#include "grid/GridKeyState.h"
#include "grid/GridPane.h"
#include "grid/GridSelection.h"
#include "grid/GridSnapBar.h"
#include "grid/RowNumbersPane.h"
#include "grid/ITableViewMgrInternal.h"
#include "grid/TVF_Renderer.h"
#include "grid/TableDataContract.h"
#include "hostapi/FrameworkCommands.h"
#include "hostapi/HostDocument.h"
#include "hostapi/MessageHandler.h"
#include "hostapi/ViewPrinting.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/LumoProxyEventHandler.h"
#include "platform/owl/TFont.h"

#include <algorithm>

using TVF_Grid::CellRange;
using TVF_Grid::EventGridControl;
using TVF_Grid::GridPosition;

namespace {

// A grid's rows first .. end - 1 across every data column.
CellRange RowsRange(const EventGridControl& grid, int32_t first, int32_t end) {
  const int32_t rows = grid.FixedRows();
  const int32_t columns = grid.FixedColumns();
  CellRange range;
  range.FirstRow = {first, rows};
  range.EndRow = {end, rows};
  range.FirstColumn = {columns, columns};
  range.EndColumn = {columns + std::max(grid.DataColumnCount(), 1), columns};
  return range;
}

}  // namespace

TableViewParent::TableViewParent(HWND parent) : object(OWL::TWindow::GetWindowPtr(parent)) {
  if (object) return;
  alias = std::make_unique<OWL::TWindow>(parent);
  object = alias.get();
}

LUMO_DEFINE_EVENT_TABLE(TVF_TableView, LumoEventHandlerBase){
    EventTableHead(),
    MessageEntry(&HostFixedId<kCopyMessageId>, kMessageMaskWholeId, &TVF_TableView::OnCopyMessage),
    MessageEntry(&HostFixedId<kPrintMessageId>, kMessageMaskWholeId, &TVF_TableView::OnPrintMessage),
    MessageEntry(&HostFixedId<kPrintPreviewMessageId>, kMessageMaskWholeId, &TVF_TableView::OnPreviewMessage),
    ObserverEntry(&DocIds::HostEvent4::GetId, &TVF_TableView::OnChannelsChanged),
    ObserverEntry(&TypeIdClass<&HostNotifyMsgGUID, 0>::GetId, &TVF_TableView::OnHostNotice),
    EventTableEnd(),
};

DEFINE_RESPONSE_TABLE1(TVF_TableView, OWL::TWindow)
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
  EV_MESSAGE(WM_MOUSEWHEEL, EvMouseWheel),
END_RESPONSE_TABLE;

TVF_TableView::TVF_TableView(const TableViewWindowArgs& args)
    : TableViewParent(args.parent),
      TWindow(TableViewParent::object, L""),
      mMain(new EventGridControl(this)),
      mSummary(new EventGridControl(this)),
      mManager(args.manager) {
  InitLock();
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  mMain->EnableAutoCreate();
  mSummary->EnableAutoCreate();
  // The row numbers of the main grid get six average characters of its cell font.
  mMain->WidenRowNumbers(6 * static_cast<int32_t>(mMain->CellFont().GetTextMetrics().tmAveCharWidth));
  mMain->ShareRowNumberWidth(*mSummary);
  if (args.hostMessageHandler)
    args.hostMessageHandler->QueryInterface(IID_IMessageHandler, reinterpret_cast<void**>(mHostMessageHandler.Out()));
  if (mHostMessageHandler && Proxy()) mHostMessageHandler->AddHandler(Proxy());
  AttachToOwnerChain(args.hostObject);
}

TVF_TableView::~TVF_TableView() {
  DetachFromOwnerChain();
  mMain->DetachObserver(this);
  mSummary->DetachObserver(this);
  if (mHostMessageHandler && Proxy()) mHostMessageHandler->RemoveHandler(Proxy());
  // The grids paint through the renderers: both go before the renderers do.
  mMain->Pane().SetRenderer(nullptr);
  mSummary->Pane().SetRenderer(nullptr);
  mMain->SetInterfaces(nullptr, nullptr, nullptr, nullptr, 0, 0);
  mSummary->SetInterfaces(nullptr, nullptr, nullptr, nullptr, 0, 0);
  if (mMainRenderer) mMainRenderer->Release();
  if (mSummaryRenderer) mSummaryRenderer->Release();
  Destroy();
}

std::unique_ptr<TableViewWindow> TVF_TableView::Make(const TableViewWindowArgs& args) {
  auto window = std::make_unique<TVF_TableView>(args);
  window->Create();
  return window;
}

void TVF_TableView::GetWindowClass(WNDCLASSEXW& windowClass) {
  TWindow::GetWindowClass(windowClass);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

void TVF_TableView::SetupWindow() {
  TWindow::SetupWindow();
  for (EventGridControl* grid : {mMain, mSummary}) {
    grid->RendererRowHeaders = true;
    grid->TitleSwitch = true;
    if (grid->RowNumbers().GetHandle()) grid->RowNumbers().Invalidate();
    grid->AttachObserver(this);
  }
}

HRESULT TVF_TableView::Connect(uint32_t flags, IUnknown* hostObject, ITableDataManager* data,
                               ITableStoredRowInfo* rows, ITableUserActionHandler* actions, uint32_t) {
  mHostObject = ComPtr<IUnknown>(hostObject);
  if (!mMainRenderer) mMainRenderer = new TVF_Renderer(*mMain);
  if (!mSummaryRenderer) mSummaryRenderer = new TVF_Renderer(*mSummary);
  mMainRenderer->SetSources(mManager, data, rows, kTableMainSection);
  mSummaryRenderer->SetSources(mManager, data, rows, kTableSummarySection);
  mMain->SetInterfaces(data, rows, actions, nullptr, kTableMainSection, kTableMainSection);
  mSummary->SetInterfaces(data, rows, actions, nullptr, kTableSummarySection, kTableSummarySection);
  mMain->Pane().SetRenderer(mMainRenderer);
  mSummary->Pane().SetRenderer(mSummaryRenderer);
  RebuildChannelNames();
  UpdateLayout(flags);
  uint32_t count = 0;
  if (data && FAILED(data->GetColumnCount(kTableMainSection, &count))) count = 0;
  RefreshColumns(count);
  return S_OK;
}

// The summary grid takes the height of its rows (see Layout), not the owner's summary height.
void TVF_TableView::SetViewLayout(int32_t x, int32_t y, int32_t width, int32_t height, int32_t defaultColumnWidth,
                                  int32_t /*summaryHeight*/) {
  // A row-number pane without a width of its own takes the default column width; both grids
  // then keep the wider one (a size change lays each out at its pane's width).
  int32_t numbers = std::max(mMain->RowNumberWidth(), mSummary->RowNumberWidth());
  for (EventGridControl* grid : {mMain, mSummary}) {
    if (grid->RowNumbers().PreferredWidth < 0) grid->RowNumbers().PreferredWidth = grid->ToScreen(defaultColumnWidth);
    numbers = std::max(numbers, grid->RowNumbers().PreferredWidth);
  }
  for (EventGridControl* grid : {mMain, mSummary}) {
    grid->RowNumbers().PreferredWidth = numbers;
    grid->WidenRowNumbers(numbers);
  }
  if (mMainRenderer) mMainRenderer->SetDefaultColumnWidth(defaultColumnWidth);
  if (mSummaryRenderer && mSummaryShown) mSummaryRenderer->SetDefaultColumnWidth(defaultColumnWidth);
  SetWindowPos(nullptr, OWL::TRect(x, y, x + width, y + height),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  Layout();
  RefreshColumns(static_cast<uint32_t>(mColumnCount));
}

void TVF_TableView::RefreshColumns(uint32_t columnCount) {
  const bool shrinks = static_cast<int32_t>(columnCount) < mColumnCount;
  mColumnCount = static_cast<int32_t>(columnCount);
  for (EventGridControl* grid : {mMain, mSummary}) {
    grid->SetColumnRange(mColumnCount, grid->FixedColumns());
    if (TVF_Renderer* renderer = RendererOf(grid)) renderer->RebuildColumns();
    if (shrinks) grid->SetFirstColumn(0);
    grid->UpdateScrollBars();
    if (grid->GetHandle()) grid->InvalidateAll();
  }
  // The rows may have come or gone: the summary's height follows them.
  Layout();
}

void TVF_TableView::ScrollToCell(int32_t row, int32_t column) {
  if (row < mMain->FixedRows() || column < mMain->FixedColumns()) return;
  for (EventGridControl* grid : {mMain, mSummary}) {
    if (grid == mSummary && !mSummaryShown) continue;
    grid->SetTopRow(row - grid->FixedRows());
    grid->SetFirstColumn(column - grid->FixedColumns());
  }
}

EventGridControl* TVF_TableView::GridOf(uint32_t sectionFlags) const noexcept {
  return (sectionFlags & kTableSummarySection) ? mSummary : mMain;
}

TVF_Renderer* TVF_TableView::RendererOf(const EventGridControl* grid) const noexcept {
  return grid == mMain ? mMainRenderer : mSummaryRenderer;
}

void TVF_TableView::ClearSelection(EventGridControl& grid) {
  if (grid.Selection()) grid.Selection()->Clear();
}

HRESULT TVF_TableView::SelectionTarget(uint32_t sectionFlags, int32_t firstRow, int32_t endRow,
                                       EventGridControl** grid) {
  *grid = GridOf(sectionFlags);
  if (!*grid || !(*grid)->Selection()) return E_FAIL;
  EventGridControl* const chosen = *grid;
  *grid = nullptr;
  if (chosen == mSummary && !mSummaryShown) return S_OK;
  // An empty range clears: the owner clears one section's rows when the other's are chosen.
  if (firstRow >= endRow) {
    ClearSelection(*chosen);
    return S_OK;
  }
  if (endRow > chosen->FixedRows()) *grid = chosen;
  return S_OK;
}

HRESULT TVF_TableView::SelectRows(uint32_t sectionFlags, int32_t firstRow, int32_t endRow) {
  EventGridControl* grid = nullptr;
  const HRESULT hr = SelectionTarget(sectionFlags, firstRow, endRow, &grid);
  if (!grid) return hr;
  grid->Selection()->SetRange(RowsRange(*grid, firstRow, endRow));
  const int32_t top = firstRow - grid->FixedRows();
  const int32_t shownTop = grid->Pane().TopRow();
  if (top < shownTop || top >= shownTop + std::max(grid->Pane().PageRows(), 1)) grid->SetTopRow(std::max(top, 0));
  return S_OK;
}

HRESULT TVF_TableView::SelectCells(uint32_t sectionFlags, int32_t column, int32_t firstRow, int32_t endRow) {
  EventGridControl* grid = nullptr;
  const HRESULT hr = SelectionTarget(sectionFlags, firstRow, endRow, &grid);
  if (!grid) return hr;
  CellRange range = RowsRange(*grid, firstRow, endRow);
  range.FirstColumn = {column, grid->FixedColumns()};
  range.EndColumn = {column + 1, grid->FixedColumns()};
  grid->Selection()->SetRange(range);
  if (column >= grid->FixedColumns()) grid->SetFirstColumn(column - grid->FixedColumns());
  return S_OK;
}

void TVF_TableView::ShowRow(uint32_t sectionFlags, int32_t row) {
  EventGridControl* const grid = GridOf(sectionFlags);
  const int32_t rows = grid->DataRowCount();
  grid->SetTopRow(row >= 0 && row < rows ? row : rows);  // past the end: the last page
}

void TVF_TableView::ApplySwitches(EventGridControl& grid) {
  const bool rowSelect = (mLayoutFlags & kLayoutRowSelect) != 0;
  grid.CellsEditable = (mLayoutFlags & kLayoutEditable) != 0;
  grid.ColumnMoving = (mLayoutFlags & kLayoutColumnMoving) != 0;
  grid.WholeGridPrinting = (mLayoutFlags & kLayoutWholeGridPrinting) != 0;
  grid.HScrollAllowed = !(mLayoutFlags & kLayoutNoHScroll);
  if (!grid.Selection() || grid.RowSelectMode != rowSelect) {
    grid.RowSelectMode = rowSelect;
    grid.CreateSelection();
  }
}

void TVF_TableView::UpdateLayout(uint32_t layoutFlags) {
  mLayoutFlags = layoutFlags;
  ApplySwitches(*mMain);
  ApplySwitches(*mSummary);
  const bool shown = (layoutFlags & kLayoutSummaryShown) != 0;
  if (!shown) ClearSelection(*mSummary);
  mSummaryShown = shown;
  if ((layoutFlags & kLayoutSnapButton) && !mMain->SnapBarWanted) {
    mMain->SnapBarWanted = true;
    mMain->EnsureSnapBar();
  }
  Layout();
}

void TVF_TableView::Layout() {
  if (!GetHandle()) return;
  const OWL::TRect client = GetClientRect();
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  // The main grid scrolls sideways only while it is alone; the summary follows its columns.
  mMain->HScrollAllowed = !mSummaryShown && !(mLayoutFlags & kLayoutNoHScroll);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  // The summary grid is as high as its rows, so that it needs no vertical bar of its own, and it
  // keeps the room of the main grid's vertical bar: their columns line up and scroll alike. Its
  // height depends on that room and the main grid's bar on the height left: a second pass
  // settles a bar that came or went.
  int s = 0;
  for (int pass = 0; pass < 2; ++pass) {
    const bool room = mSummaryShown && mMain->VScrollShown();
    mSummary->KeepVBarRoom = room;
    s = mSummaryShown ? std::min(mSummary->HeightForRows(w), h) : 0;
    mMain->SetWindowPos(nullptr, OWL::TRect(0, 0, w, h - s), flags);
    mMain->UpdateScrollBars();
    if (!mSummaryShown || mMain->VScrollShown() == room) break;
  }
  mSummary->ShowWindow(mSummaryShown ? SW_SHOWNA : SW_HIDE);
  if (!mSummaryShown) return;
  mSummary->SetWindowPos(nullptr, OWL::TRect(0, h - s, w, h), flags);
  mSummary->UpdateScrollBars();
}

void TVF_TableView::SetShowLatestRow(bool on) {
  mMain->ShowLatestRow = on;
  if (mMain->SnapBar()) mMain->SnapBar()->SetPressed(on);
}

void TVF_TableView::EvSize(UINT sizeType, const OWL::TSize& size) {
  TWindow::EvSize(sizeType, size);
  Layout();
}

void TVF_TableView::ScrollByWheel(int delta) {
  // Integer division truncates toward zero: less than a notch moves nothing.
  const int32_t top = mMain->Pane().TopRow() - delta / WHEEL_DELTA;
  if (top >= 0) mMain->SetTopRow(top);
}

LRESULT TVF_TableView::EvMouseWheel(WPARAM wParam, LPARAM) {
  ScrollByWheel(GET_WHEEL_DELTA_WPARAM(wParam));
  return 0;
}

bool TVF_TableView::PreProcessMsg(MSG& msg) {
  if (TWindow::PreProcessMsg(msg)) return true;
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
    if (TVF_Grid::GridKeyState::Current().GetKeyState(VK_CONTROL) < 0) return false;
    return mMain->PreTranslate(msg);
  }
  return GetHandle() && IsDialogMessageW(GetHandle(), &msg);
}

void TVF_TableView::OnSubjectNotify(uint32_t messageId, const uint32_t* words, int count) {
  switch (messageId) {
    case TVF_Grid::kGridFirstColumnChanged:
      if (count < 2) return;
      mMain->SetFirstColumn(static_cast<int32_t>(words[0] - words[1]));
      if (mSummaryShown) mSummary->SetFirstColumn(static_cast<int32_t>(words[0] - words[1]));
      return;
    case TVF_Grid::kGridColumnWidthChanged:
      Notify(messageId, words, count);
      if (count < 3 || !mManager) return;
      mManager->SetColumnWidth(0, static_cast<int32_t>(words[0]), mMain->FromScreen(static_cast<int32_t>(words[2])));
      RefreshColumns(static_cast<uint32_t>(mColumnCount));
      return;
    case TVF_Grid::kGridColumnMoved:
      Notify(messageId, words, count);
      if (count < 4 || !mManager || !(mLayoutFlags & kLayoutColumnMoving)) return;
      mManager->MoveColumn(0, static_cast<int32_t>(words[0]), static_cast<int32_t>(words[2]));
      RefreshColumns(static_cast<uint32_t>(mColumnCount));
      return;
    case TVF_Grid::kGridClicked:
      ClearSelection(*mMain);
      ClearSelection(*mSummary);
      return;
    default:
      return;
  }
}

void TVF_TableView::RebuildChannelNames() {
  std::map<uint32_t, QOR::String> names;
  ComPtr<IUnknown> host = HostDocument();
  ComPtr<IHostDocument> document;
  if (host && SUCCEEDED(host->QueryInterface(IID_IHostDocument, reinterpret_cast<void**>(document.Out())))) {
    // Channels offered as sources: the largest of the document's three counts.
    int32_t counts[3] = {0, 0, 0};
    document->GetChannelCount(&counts[0]);
    document->GetRecordedChannelCount(&counts[1]);
    document->GetCalculatedChannelCount(&counts[2]);
    const int32_t channels = std::max({counts[0], counts[1], counts[2]});
    for (int32_t channel = 0; channel < channels; ++channel) {
      BSTR text = nullptr;
      if (SUCCEEDED(document->GetChannelText(0, channel, 0, &text)))
        names[static_cast<uint32_t>(channel)] = QOR::String::AttachBSTR(text);
    }
  }
  mMain->ChoiceTexts = names;
  mSummary->ChoiceTexts = std::move(names);
}

void TVF_TableView::OnChannelsChanged() {
  RebuildChannelNames();
  if (mMain->GetHandle()) mMain->InvalidateAll();
  if (mSummaryShown && mSummary->GetHandle()) mSummary->InvalidateAll();
}

void TVF_TableView::AttachToOwnerChain(IUnknown* hostObject) {
  // An owner chain that loops back on itself is followed no further than this.
  constexpr int kMaxOwners = 32;
  IObserver* const observer = ProxyObserver();
  if (!observer) return;
  ComPtr<IUnknown> owner(hostObject);
  for (int i = 0; owner && i < kMaxOwners; ++i) {
    ComPtr<ISubject> subject;
    if (SUCCEEDED(owner->QueryInterface(IID_ISubject, reinterpret_cast<void**>(subject.Out()))) && subject &&
        subject->Attach(observer) == S_OK)
      mHostSubjects.push_back(subject);
    ComPtr<IViewSitePrintSupport> site;
    ComPtr<IUnknown> next;
    if (SUCCEEDED(owner->QueryInterface(IID_IViewSitePrintSupport, reinterpret_cast<void**>(site.Out()))) && site)
      site->GetNextOwner(next.Out());
    owner = std::move(next);
  }
}

void TVF_TableView::DetachFromOwnerChain() noexcept {
  // A subject that no longer knows the observer leaves nothing to undo.
  for (ComPtr<ISubject>& subject : mHostSubjects) subject->Detach(ProxyObserver());
  mHostSubjects.clear();
}

void InstallTableViewWindow() noexcept { SetTableViewWindowFactory(&TVF_TableView::Make); }
