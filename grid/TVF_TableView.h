// TVF_TableView: the table view window. It stacks the main grid (event rows) over the summary
// grid, lays them out by the owner's layout flags, relays the grids' column events to the
// manager, and answers the host's copy command, the CSV export and the Data Pad copy.
#pragma once

#include "grid/EventGridControl.h"
#include "grid/TableViewWindow.h"
#include "base/String.h"
#include "hostapi/FrameworkSubject.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/LumoCppEventHandler.h"
#include "hostclient/LumoSubject.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TVF_Renderer;
struct IMessageHandler;

// Layout flag bits (UpdateLayout); the owner sends 0x27A with summary rows, 0x278 without.
inline constexpr uint32_t kLayoutEditable = 0x1;
inline constexpr uint32_t kLayoutSummaryShown = 0x2;
inline constexpr uint32_t kLayoutRowSelect = 0x8;
inline constexpr uint32_t kLayoutColumnMoving = 0x10;
inline constexpr uint32_t kLayoutRowNumbers = 0x20;
inline constexpr uint32_t kLayoutHeadings = 0x40;
inline constexpr uint32_t kLayoutNoHScroll = 0x80;
inline constexpr uint32_t kLayoutWholeGridPrinting = 0x100;
inline constexpr uint32_t kLayoutSnapButton = 0x200;

// The framework object of the parent window: its own when it has one, else an alias this holds.
struct TableViewParent {
  explicit TableViewParent(HWND parent);
  std::unique_ptr<OWL::TWindow> alias;
  OWL::TWindow* object;
};

class TVF_TableView final : private TableViewParent,
                            public TableViewWindow,
                            public OWL::TWindow,
                            public LumoObserver,
                            public LumoSubject,
                            public LumoCppEventHandler,
                            public QOR::CComObjectRoot {
 public:
  // The window of the manager's factory, made and created as a child of args.parent.
  static std::unique_ptr<TableViewWindow> Make(const TableViewWindowArgs& args);

  explicit TVF_TableView(const TableViewWindowArgs& args);
  ~TVF_TableView() override;

  // TableViewWindow
  HRESULT Connect(uint32_t flags, IUnknown* hostObject, ITableDataManager* data, ITableStoredRowInfo* rows,
                  ITableUserActionHandler* actions, uint32_t value) override;
  void SetViewLayout(int32_t x, int32_t y, int32_t width, int32_t height, int32_t defaultColumnWidth,
                     int32_t summaryHeight) override;
  void RefreshColumns(uint32_t columnCount) override;
  void ScrollToCell(int32_t row, int32_t column) override;
  HRESULT SelectRows(uint32_t sectionFlags, int32_t firstRow, int32_t endRow) override;
  HRESULT SelectCells(uint32_t sectionFlags, int32_t column, int32_t firstRow, int32_t endRow) override;
  void ShowRow(uint32_t sectionFlags, int32_t row) override;
  void UpdateLayout(uint32_t layoutFlags) override;
  HRESULT CopyToDataPad() override;
  HRESULT ExportCsv(QOR::IQORString* fileName) override;
  void SetShowLatestRow(bool on) override;
  bool HasColumns() const override { return mMain->HasColumns(); }

  // The table as text: the main block (selection or whole grid), an LF when both blocks hold
  // text, the summary block. csvCells quotes cells as a CSV file needs; wholeTable leaves the
  // selections aside and gives both whole grids (the summary when shown).
  std::wstring TableText(const wchar_t* separator, bool csvCells, bool wholeTable = false) const;
  // The host's copy command: the table as TAB text on the clipboard.
  void CopyToClipboard();
  // The host's print commands: the grids holding a selection (all of them while whole-grid
  // printing is on, or when none holds one), each as one printout of the whole grid.
  void PrintGrids(bool preview);
  // A printout's title: the document's title, ": ", the client's view name and which rows of the
  // section it prints, so that the two printouts of one command tell each other apart.
  QOR::String PrintTitle(uint32_t section) const;
  // The host document whose views the host object holds (referenced), or null.
  ComPtr<IUnknown> HostDocument() const;

  TVF_Grid::EventGridControl& MainGrid() const noexcept { return *mMain; }
  TVF_Grid::EventGridControl& SummaryGrid() const noexcept { return *mSummary; }
  uint32_t LayoutFlags() const noexcept { return mLayoutFlags; }
  bool SummaryShown() const noexcept { return mSummaryShown; }
  // Main grid scrolling by the wheel: one row per notch of 120, forward scrolls up.
  void ScrollByWheel(int delta);

  // The list separator of CSV files: the user's, unless a test plays another.
  using ListSeparatorSource = const wchar_t* (*)();
  static ListSeparatorSource SetListSeparatorSource(ListSeparatorSource source) noexcept;

  const wchar_t* GetClassName() override { return L"TVF_TableView"; }
  void GetWindowClass(WNDCLASSEXW& windowClass) override;
  void SetupWindow() override;
  bool PreProcessMsg(MSG& msg) override;

  // Grid events.
  void OnSubjectNotify(uint32_t messageId, const uint32_t* words, int count) override;

  LUMO_DECLARE_EVENT_TABLE();

 private:
  TVF_Grid::EventGridControl* GridOf(uint32_t sectionFlags) const noexcept;
  TVF_Renderer* RendererOf(const TVF_Grid::EventGridControl* grid) const noexcept;
  void Layout();
  // The window's observer hears the host through the subject of the host object and of each
  // further object of its owner chain, from construction to destruction.
  void AttachToOwnerChain(IUnknown* hostObject);
  void DetachFromOwnerChain() noexcept;
  // The names of the host document's channels, which the grids show for choice cells.
  void RebuildChannelNames();
  void OnChannelsChanged();
  void OnHostNotice() {}
  void ApplySwitches(TVF_Grid::EventGridControl& grid);
  std::wstring BlockText(const TVF_Grid::EventGridControl& grid, bool whole, const wchar_t* separator,
                         bool csvCells) const;
  void ClearSelection(TVF_Grid::EventGridControl& grid);
  // The grid a selection of rows first .. end - 1 goes to, in *grid; null when there is nothing
  // to select: a hidden summary, rows only of the heading, or an empty range (which clears).
  // E_FAIL when the section has no grid.
  HRESULT SelectionTarget(uint32_t sectionFlags, int32_t firstRow, int32_t endRow,
                          TVF_Grid::EventGridControl** grid);

  void EvSize(UINT sizeType, const OWL::TSize& size);
  bool EvEraseBkgnd(HDC) { return true; }
  LRESULT EvMouseWheel(WPARAM wParam, LPARAM lParam);
  int OnCopyMessage();
  int OnPrintMessage() {
    PrintGrids(false);
    return 0;
  }
  int OnPreviewMessage() {
    PrintGrids(true);
    return 0;
  }

  TVF_Grid::EventGridControl* mMain;           // children: they go with the window
  TVF_Grid::EventGridControl* mSummary;
  TVF_Renderer* mMainRenderer = nullptr;       // one reference each
  TVF_Renderer* mSummaryRenderer = nullptr;
  ITableViewMgrInternal* mManager;
  ComPtr<IUnknown> mHostObject;
  ComPtr<IMessageHandler> mHostMessageHandler;
  std::vector<ComPtr<ISubject>> mHostSubjects;  // each with this window's observer attached
  uint32_t mLayoutFlags = 0;
  int32_t mColumnCount = 0;
  bool mSummaryShown = true;

  DECLARE_RESPONSE_TABLE(TVF_TableView);
};

// Makes TVF_TableView the window of every table-view manager.
void InstallTableViewWindow() noexcept;
