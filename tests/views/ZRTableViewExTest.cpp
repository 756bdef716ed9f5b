// The Table View over an analysed recording, opened by the stand-in host in a frame of its own:
// the grid and buttons it lays out, the current event it follows and sets, select all, the
// significant-figures dialog, refresh, its commands, and closing it.
#include "views/ZRTableViewEx.h"

#include "base/BinIStream.h"
#include "base/BinOStream.h"
#include "document/CellFormat.h"
#include "document/CycleDetector.h"
#include "document/TableViewData.h"
#include "document/ZRSettingIO.h"
#include "grid/FittedNumber.h"
#include "grid/GridPane.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSelection.h"
#include "grid/GridSnapBar.h"
#include "grid/GridTitleBar.h"
#include "grid/ITableViewManager.h"
#include "grid/RowNumbersPane.h"
#include "grid/SigFigDialog.h"
#include "grid/TVF_TableView.h"
#include "host/data/DataPad.h"
#include "host/data/RecordingReader.h"
#include "host/data/Sampler.h"
#include "host/framework/HostObservation.h"
#include "host/view/ViewSite.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/LumoOwlDocView.h"
#include "tests/views/ViewSiteFixture.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/DrawnTexts.h"
#include "tests/support/RecordedCommandState.h"
#include "platform/owl/TButton.h"
#include "tests/support/ScriptedModalSeam.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/UserMouse.h"
#include "platform/owl/TTextGadget.h"
#include "views/AnalysisView.h"
#include "views/ViewClasses.h"
#include "wholefile/DiskRoomForTests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

using host::HostPtr;

std::vector<LONG> ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class TableViewTest : public doctest::ViewSiteTest {
 protected:
  // The bundled ECG with its R waves analysed as cardiac peaks, as scripts/run does; sampled: an
  // empty data file with its channels, analysed while the ECG (kept in mEcg) is sampled into it.
  void OpenEcg(bool sampled = false) {
    mEcg = host::ReadRecordingFile(testsupport::SourcePath("data/ecg_mitbih100_mlii.csv"), {});
    host::Recording empty;
    empty.channels = mEcg.channels;
    mData = host::DataDocument::Create(sampled ? std::move(empty) : mEcg);
    mHost = host::HostDocument::Create(mData);
    ASSERT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, mDocument));
    mDoc.Attach(ZR::Doc::ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    for (const auto& [id, text] : {std::pair<int32_t, const wchar_t*>{2000, L"1"}, {1006, L"0.0005"}, {1001, L"10"},
                                   {1036, L"f"}, {32, L"t"}})
      Set(id, text);
    if (sampled) Set(2009, L"t");
  }
  // The analysed recording (eight beats, or the ECG's) in a Table View of 500 x 400 pixels;
  // sampled: the view over the empty data file the ECG is about to be sampled into.
  ZRTableViewEx& OpenView(bool ecg = false, bool sampled = false) {
    if (ecg)
      OpenEcg(sampled);
    else
      Open(2);
    if (!sampled) {
      EXPECT_EQ(S_OK, SendAnalyze());
    }
    mHost->SetDataPad(pad.Get());
    site->SetHostDocument(static_cast<IHostDocument*>(mHost.Get()));
    EXPECT_EQ(S_OK, site->OpenView(ZRTableViewEx::ViewMessageId(), view));
    PumpMessages();
    IClientWindow* client = nullptr;
    view->QueryInterface(IID_IClientWindow, reinterpret_cast<void**>(&client));
    client->Release();
    window = static_cast<LumoOwlDocView<ZRTableViewEx>*>(client)->Window();
    HWND const grid = FindWindowExW(window->GetHandle(), nullptr, L"TVF_TableView", nullptr);
    RECT area{};
    GetClientRect(window->GetHandle(), &area);
    openedClient = {area.right, area.bottom};
    openedGrid = ChildRect(grid);
    MoveWindow(window->GetHandle(), 0, 0, 500, 400, TRUE);
    table = dynamic_cast<TVF_TableView*>(OWL::TWindow::GetWindowPtr(grid));
    EXPECT_NE(nullptr, table);
    return *window;
  }
  int32_t SendToView(uint32_t id) {
    HostPtr<IMessageHandler> messages;
    view->QueryInterface(IID_IMessageHandler, reinterpret_cast<void**>(messages.Out()));
    HostPtr<IMessage> message;
    GetMessageService()->CreateMessage(id, 0, 0, 0, 0, nullptr, message.Out());
    return messages->HandleMessage(message.Get());
  }
  bool SelectAllEnabled() {
    HostPtr<ILumoCommandHandler> commands;
    view->QueryInterface(IID_ILumoCommandHandler, reinterpret_cast<void**>(commands.Out()));
    RecordedCommandState state;
    commands->QueryState(kSelectAllCommandId, &state);
    return state.enabled;
  }
  // A selection of rows first .. end - 1 as the user makes it in a grid.
  void UserSelects(TVF_Grid::EventGridControl& grid, int32_t first, int32_t end) {
    TVF_Grid::CellRange range;
    range.FirstRow = {first, 1};
    range.EndRow = {end, 1};
    range.FirstColumn = {1, 1};
    range.EndColumn = {2, 1};
    grid.Selection()->SetRange(range, true);  // as Shift with the arrow keys chooses it
  }
  const TVF_Grid::CellRange& Selected(TVF_Grid::EventGridControl& grid) { return grid.Selection()->Range(); }
  size_t HostViewMoves() { return mHost->RecordingViewCursor().Moves().size(); }
  // The grid column (from 1) showing a measurement, or -1.
  int32_t ColumnOf(int32_t measurement) {
    ZR::Doc::CycleDetector* const detector = mDoc->GetCycleDetector();
    for (int32_t c = 0; c < detector->ColumnCount(); ++c)
      if (detector->GetColumnParamId(c) == measurement) return c + 1;
    return -1;
  }

  host::Recording mEcg;
  HostPtr<host::DataPad> pad = host::DataPad::Create();
  HostPtr<IDocView2> view;
  ZRTableViewEx* window = nullptr;
  TVF_TableView* table = nullptr;
  std::vector<LONG> openedClient;  // the view's client size as the host opened it
  std::vector<LONG> openedGrid;    // and the grid's place then
};

TEST_F(TableViewTest, SetUpMakesTheGridAndSizingPlacesButtonsAndGrid) {
  OpenView();
  ZR::Doc::ZRDoc& doc = *mDoc.Get();
  ASSERT_NE(nullptr, table);
  ASSERT_GT(Events(), 1);
  EXPECT_EQ(Events() + 1, table->MainGrid().DataRowCount() + 1) << "one row per event below the headings";
  EXPECT_EQ((std::vector<LONG>{0, 0, openedClient[0], openedClient[1] - 39}), openedGrid)
      << "laid out as soon as it opens, before any later size";
  EXPECT_EQ((std::vector<LONG>{8, 369, 75, 23}), ChildRect(window->Button(kTableExportButton).GetHandle()));
  EXPECT_EQ((std::vector<LONG>{89, 369, 75, 23}), ChildRect(window->Button(kTableSettingsButton).GetHandle()));
  EXPECT_EQ((std::vector<LONG>{170, 369, 112, 23}), ChildRect(window->Button(kTableDataPadButton).GetHandle()));
  EXPECT_EQ((std::vector<LONG>{0, 0, 500, 361}), ChildRect(table->GetHandle()));
  EXPECT_EQ(L"Add to Data Pad", window->Button(kTableDataPadButton).GetWindowText());
  MoveWindow(window->GetHandle(), 0, 0, 0, 0, TRUE);
  EXPECT_EQ((std::vector<LONG>{170, 369, 112, 23}), ChildRect(window->Button(kTableDataPadButton).GetHandle()))
      << "a 0 x 0 client leaves the buttons";

  Set(2026, L"t");
  Set(2002, L"f");
  ComPtr<IObserver> observer;
  view->QueryInterface(IID_IObserver, reinterpret_cast<void**>(observer.Out()));
  ASSERT_TRUE(observer);
  observer->Notify(0, TypeIdClass<&HostNotifyMsgGUID, 8>::Id(), 0, nullptr);
  EXPECT_EQ(0x278u, table->LayoutFlags()) << "host notification 8 refreshes from setting 2002";
  EXPECT_TRUE(table->MainGrid().ShowLatestRow) << "and the latest-row switch from 2026";
  Set(2002, L"t");
  doc.UpdateViews();
  EXPECT_EQ(0x27Au, table->LayoutFlags());
}

TEST_F(TableViewTest, OneEventRowMakesItsEventCurrentAndTheCurrentEventSelectsItsRow) {
  OpenView();
  ZR::Doc::ZRDoc& doc = *mDoc.Get();
  const size_t moves = HostViewMoves();
  UserSelects(table->MainGrid(), 3, 4);
  EXPECT_EQ(2u, doc.CurrentEvent());
  EXPECT_EQ(moves + 1, HostViewMoves()) << "the host's view goes to the event";
  UserSelects(table->MainGrid(), 5, 7);
  UserSelects(table->SummaryGrid(), 1, 2);
  EXPECT_EQ(2u, doc.CurrentEvent()) << "two rows or a summary row make no event current";
  EXPECT_FALSE(Selected(table->MainGrid()).IsValid()) << "a summary selection clears the event rows";

  const size_t before = HostViewMoves();
  doc.SetCurrentEvent(4, ZR::Doc::kSelectTableRow);
  EXPECT_EQ(5, Selected(table->MainGrid()).FirstRow.Index);
  EXPECT_EQ(6, Selected(table->MainGrid()).EndRow.Index);
  EXPECT_FALSE(Selected(table->SummaryGrid()).IsValid());
  EXPECT_EQ(before, HostViewMoves()) << "the row's report does not make the event current again";
}

TEST_F(TableViewTest, ClickingRowFiveOfTheEcgShowsItsEventInTheAnalysisView) {
  OpenView(true);
  ASSERT_EQ(760, Events());
  HostPtr<IDocView2> analysis;
  ASSERT_EQ(S_OK, site->OpenView(AnalysisView::ViewMessageId(), analysis));
  IClientWindow* client = nullptr;
  analysis->QueryInterface(IID_IClientWindow, reinterpret_cast<void**>(&client));
  client->Release();
  AnalysisView* const plot = static_cast<LumoOwlDocView<AnalysisView>*>(client)->Window();
  PumpMessages();
  // The user clicks the number of row 5 (pane row 4) in the main grid.
  TVF_Grid::EventGridControl& grid = table->MainGrid();
  const LPARAM point = MAKELPARAM(4, 4 * grid.Pane().RowHeight() - grid.Pane().VerticalOffset() + 3);
  SendMessageW(grid.RowNumbers().GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(grid.RowNumbers().GetHandle(), WM_LBUTTONUP, 0, point);
  PumpMessages();
  EXPECT_EQ(4u, mDoc->CurrentEvent());
  const std::wstring status = plot->StatusText().GetText();
  EXPECT_NE(std::wstring::npos, status.find(L"Event 5 of 760.")) << std::string(status.begin(), status.end());
}

TEST_F(TableViewTest, SampledBatchesShowTheLastRowOnlyWhileTheSnapButtonIsOn) {
  OpenView(true, true);
  TVF_Grid::EventGridControl& grid = table->MainGrid();
  host::Sampler sampler(mData.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(mEcg.records[0].tickPeriod));
  // Batches of ten seconds.
  const int32_t batch = 3600;
  int32_t sampled = 0;
  auto sample = [&](int batches) {
    for (int n = 0; n < batches; ++n, sampled += batch) {
      std::vector<std::vector<float>> block;
      for (const auto& channel : mEcg.records[0].samples)
        block.emplace_back(channel->Samples() + sampled, channel->Samples() + sampled + batch);
      ASSERT_EQ(S_OK, sampler.Append(block));
      PumpMessages();
    }
  };
  sample(4);
  ASSERT_GT(grid.DataRowCount(), grid.Pane().PageRows()) << "more rows than a page";
  EXPECT_EQ(0, grid.Pane().TopRow()) << "the switch is off at first";

  // The snap button under the vertical bar, pressed by the user.
  ASSERT_NE(nullptr, grid.SnapBar());
  HWND const snap = grid.SnapBar()->Window().GetHandle();
  RECT button{};
  GetClientRect(snap, &button);
  const POINT press = user_mouse::ScreenPoint(snap, button.right / 2, button.bottom / 2);
  ASSERT_EQ(snap, user_mouse::Click(press));
  ASSERT_TRUE(grid.ShowLatestRow);
  for (int round = 0; round < 2; ++round) {
    sample(1);
    EXPECT_EQ(grid.DataRowCount(), grid.Pane().TopRow() + grid.Pane().VisibleRows())
        << "the last row shows after every batch";
  }

  user_mouse::Click(press);
  ASSERT_FALSE(grid.ShowLatestRow);
  user_mouse::DragScrollThumb(grid.VScrollBar().GetHandle(), -1000);
  ASSERT_EQ(0, grid.Pane().TopRow());
  const int32_t rows = grid.DataRowCount();
  sample(2);
  EXPECT_GT(grid.DataRowCount(), rows);
  EXPECT_EQ(0, grid.Pane().TopRow()) << "the view stays where the user left it";
  EXPECT_EQ(S_OK, sampler.EndRecord());
  EXPECT_EQ(S_OK, sampler.Stop());
}

TEST_F(TableViewTest, SelectAllSelectsBothSectionsAndIsDisabledWithoutRows) {
  OpenView();
  EXPECT_TRUE(SelectAllEnabled());
  SendToView(kSelectAllMessageId);
  EXPECT_EQ(1, Selected(table->MainGrid()).FirstRow.Index);
  EXPECT_EQ(Events() + 1, Selected(table->MainGrid()).EndRow.Index);
  EXPECT_EQ(1, Selected(table->SummaryGrid()).FirstRow.Index);
  EXPECT_EQ(5, Selected(table->SummaryGrid()).EndRow.Index) << "its reports clear neither section";
  ASSERT_EQ(S_OK, SendNamed(L"zr_clearanalysis"));
  EXPECT_FALSE(SelectAllEnabled());
}

TEST_F(TableViewTest, HeadingDoubleClickSetsTheColumnsFiguresThroughTheDialog) {
  OpenView();
  ZR::TableViewData& data = *mDoc->GetTableViewData();
  ITableUserActionHandler* const actions = window;
  const int32_t column = 2;
  const int32_t measurement = mDoc->GetCycleDetector()->GetColumnParamId(column - 1);
  const int32_t other = mDoc->GetCycleDetector()->GetColumnParamId(column);
  ScriptedModalSeam seam;
  int dialogs = 0;
  bool applyAll = false;
  const wchar_t* typed = L"7";
  int shownFigures = 0;
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    ++dialogs;
    shownFigures = static_cast<int>(GetDlgItemInt(dialog.GetHandle(), TableView::kSigFigEditId, nullptr, FALSE));
    SetDlgItemTextW(dialog.GetHandle(), TableView::kSigFigEditId, typed);
    CheckDlgButton(dialog.GetHandle(), TableView::kSigFigApplyAllId, applyAll ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(dialog.GetHandle(), WM_COMMAND, IDOK, 0);
  };
  actions->OnCellClick(kTableMainSection | 1, 0, column);
  EXPECT_EQ(0, dialogs) << "a single click opens nothing";
  actions->OnCellClick(kTableMainSection | 2, 0, column);
  EXPECT_EQ(1, dialogs);
  EXPECT_EQ(4, shownFigures);
  EXPECT_EQ(7, data.GetCellFormat(measurement).significantFigures);
  EXPECT_EQ(4, data.GetCellFormat(other).significantFigures) << "only that column";

  typed = L"11";  // refused: the dialog stays open and is cancelled
  actions->OnCellClick(kTableMainSection | 2, 0, column);
  EXPECT_EQ(7, data.GetCellFormat(measurement).significantFigures);

  typed = L"3";
  applyAll = true;
  actions->OnCellClick(kTableMainSection | 2, 0, column);
  EXPECT_EQ(3, data.GetCellFormat(other).significantFigures) << "apply to all";
  EXPECT_TRUE(data.ApplyToAll());

  const int before = dialogs;
  actions->OnCellClick(kTableMainSection | 2, 0, 0);
  for (int32_t whole : {1, 58}) {
    Set(whole, L"t");
    if (const int32_t c = ColumnOf(whole); c > 0) actions->OnCellClick(kTableMainSection | 2, 0, c);
  }
  EXPECT_EQ(before, dialogs) << "row numbers and measurements 1 and 58 open none";
}

TEST_F(TableViewTest, DoubleClickingAHeadingWithTheMouseOpensTheFiguresDialog) {
  OpenView();
  ZR::TableViewData& data = *mDoc->GetTableViewData();
  const int32_t measurement = mDoc->GetCycleDetector()->GetColumnParamId(1);
  ScriptedModalSeam seam;
  int dialogs = 0;
  const wchar_t* typed = L"6";
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    ++dialogs;
    SetDlgItemTextW(dialog.GetHandle(), TableView::kSigFigEditId, typed);
    SendMessageW(dialog.GetHandle(), WM_COMMAND, IDOK, 0);
  };
  // The middle of the second column's heading, on screen.
  TVF_Grid::EventGridControl& grid = table->MainGrid();
  const TVF_Grid::GridColumn& column = grid.Pane().Column(1);
  HWND const titles = grid.TitleBar().GetHandle();
  const POINT heading = user_mouse::ScreenPoint(
      titles, column.Left - grid.Pane().HorizontalOffset() + column.Width / 2, grid.TitleHeight() / 2);
  ASSERT_EQ(titles, user_mouse::Click(heading));
  EXPECT_EQ(0, dialogs) << "a single click selects the column only";
  EXPECT_EQ(user_mouse::DoubleClick(heading), titles);
  EXPECT_EQ(1, dialogs);
  EXPECT_EQ(6, data.GetCellFormat(measurement).significantFigures);
  // One figure: no point is left without a digit after it, in the events' cells or the summary's.
  typed = L"1";
  EXPECT_EQ(user_mouse::DoubleClick(heading), titles);
  ASSERT_EQ(1, data.GetCellFormat(measurement).significantFigures);
  for (const auto& [section, rows] : {std::pair<uint32_t, int32_t>{kTableMainSection, Events()}, {kTableSummarySection, 3}})
    for (int32_t row = 1; row <= rows; ++row) {
      QOR::String text;
      ASSERT_EQ(S_OK, static_cast<ITableDataManager&>(data).GetCellText(section, row, 2, QOR::StringOutParam(text)));
      const std::wstring shown = text.GetText();
      EXPECT_TRUE(TVF_Grid::IsNumberText(shown) && shown.back() != L'.' && shown.find(L".e") == std::wstring::npos)
          << "section " << section << " row " << row << ": " << shown;
    }
}

TEST_F(TableViewTest, ARefusedColumnRecordLeavesTheHeadingsWhereTheUserClicks) {
  OpenView();
  TVF_Grid::EventGridControl& grid = table->MainGrid();
  HWND const titles = grid.TitleBar().GetHandle();
  const TVF_Grid::GridColumn& second = grid.Pane().Column(1);
  const POINT heading = user_mouse::ScreenPoint(titles, second.Left + second.Width / 2, grid.TitleHeight() / 2);
  // A saved record whose first measurement column (after the row numbers' column 0) is stored
  // 0 pixels wide, -10 shown.
  ComPtr<ITableViewManager> manager;
  ASSERT_EQ(S_OK, mDoc->GetTableViewManager(manager.Out()));
  const int32_t columns = mDoc->GetCycleDetector()->ColumnCount();
  std::stringbuf buffer;
  {
    QOR::BinOStream out(&buffer, false);
    out.WriteInt32(2);
    out.WriteInt32(columns + 1);
    for (int32_t c = 0; c <= columns; ++c) out.WriteInt32(c);
    for (int32_t c = 0; c <= columns; ++c) out.WriteInt32(c == 1 ? 0 : 70);
    out.WriteInt32(1337);
  }
  QOR::BinIStream in(&buffer, false);
  EXPECT_EQ(E_FAIL, manager->LoadColumnState(0, &in));
  ASSERT_EQ(S_OK, manager->RefreshColumns(0));
  PumpMessages();
  // The user double-clicks the second heading and sets its figures.
  ScriptedModalSeam seam;
  seam.DialogScript = [&](OWL::TDialog& dialog) {
    SetDlgItemTextW(dialog.GetHandle(), TableView::kSigFigEditId, L"6");
    SendMessageW(dialog.GetHandle(), WM_COMMAND, IDOK, 0);
  };
  ASSERT_EQ(titles, user_mouse::DoubleClick(heading));
  ZR::TableViewData& data = *mDoc->GetTableViewData();
  EXPECT_EQ(6, data.GetCellFormat(mDoc->GetCycleDetector()->GetColumnParamId(1)).significantFigures)
      << "the second heading is still under the mouse";
  EXPECT_EQ(4, data.GetCellFormat(mDoc->GetCycleDetector()->GetColumnParamId(0)).significantFigures);
}

TEST_F(TableViewTest, ANarrowedColumnShowsFewerFiguresAndEndsItsHeadingInAnEllipsis) {
  OpenView();
  TVF_Grid::EventGridControl& main = table->MainGrid();
  TVF_Grid::EventGridControl& summary = table->SummaryGrid();
  HWND const titles = main.TitleBar().GetHandle();
  const int y = main.TitleHeight() / 2;
  // Whether the rightmost dark pixels of r sit below its middle only, as an ellipsis's dots do,
  // where the last column of a cut digit reaches up the line.
  const auto endsInDots = [](const DibCanvas& canvas, const RECT& r) {
    for (int x = r.right - 1; x >= r.left; --x)
      for (int y = r.top; y < r.bottom; ++y) {
        const uint32_t p = canvas.At(x, y);
        if ((p >> 16) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 128) return y > (r.top + r.bottom) / 2;
      }
    return false;
  };
  // The user drags the first heading's right edge to 24 pixels from its left, then to 12, too
  // narrow for one figure or one "#".
  for (const int width : {24, 12}) {
    // Read afresh: a width change makes the columns anew.
    const TVF_Grid::GridColumn& first = main.Pane().Column(0);
    const int edge = first.Left + first.Width;
    user_mouse::Drag(user_mouse::ScreenPoint(titles, edge - 1, y), user_mouse::ScreenPoint(titles, first.Left + width + 1, y));
    ASSERT_LE(main.Pane().Column(0).Width, width + 2);
    ASSERT_EQ(main.Pane().Column(0).Width, summary.Pane().Column(0).Width) << "the summary follows";
    // Values are numbers: cut, they lose figures (or become "#" marks, at least one for the cell
    // to clip), never end in "...", which would make them read as other numbers, and never
    // leave a cell empty, which would read as no value.
    for (TVF_Grid::EventGridControl* grid : {&main, &summary}) {
      TVF_Grid::GridPane& pane = grid->Pane();
      const RECT column{0, 0, pane.Column(0).Width - 1, pane.GetClientRect().bottom};
      const std::vector<std::wstring> texts = DrawnTexts([&](HDC meta) { pane.PaintCells(meta, column); });
      const size_t rows = static_cast<size_t>(std::min(pane.RowCount() - pane.TopRow(), pane.PageRows()));
      ASSERT_GE(texts.size(), rows);
      for (size_t row = 0; row < rows; ++row) {
        const std::wstring& text = texts[row];
        EXPECT_EQ(std::wstring::npos, text.find(L"...")) << text;
        EXPECT_TRUE(TVF_Grid::IsNumberText(text) || (!text.empty() && text.find_first_not_of(L'#') == std::wstring::npos))
            << "row " << row + 1 << " at " << width << " pixels: '" << text << "'";
      }
    }
  }
  RECT bar{};
  GetClientRect(titles, &bar);
  DibCanvas headings(bar.right, bar.bottom, GetSysColorBrush(COLOR_WINDOW));
  main.TitleBar().PaintTitles(headings.Dc(), bar.right, bar.bottom);
  EXPECT_TRUE(endsInDots(headings, RECT{1, 1, main.Pane().Column(0).Width, bar.bottom - 1})) << "the heading";
}

TEST_F(TableViewTest, SummaryColumnsLineUpUnderTheMainGridsColumns) {
  OpenView();
  TVF_Grid::EventGridControl& main = table->MainGrid();
  TVF_Grid::EventGridControl& summary = table->SummaryGrid();
  ASSERT_TRUE(IsWindowVisible(summary.GetHandle()));
  EXPECT_EQ(main.RowNumberWidth(), summary.RowNumberWidth());
  // The shadow lines at the headings' right edges, painted by each title bar, in screen pixels.
  const auto edges = [](TVF_Grid::EventGridControl& grid) {
    HWND const titles = grid.TitleBar().GetHandle();
    RECT client{};
    GetClientRect(titles, &client);
    DibCanvas canvas(client.right, client.bottom, GetSysColorBrush(COLOR_WINDOW));
    grid.TitleBar().PaintTitles(canvas.Dc(), client.right, client.bottom);
    const POINT origin = user_mouse::ScreenPoint(titles, 0, 0);
    std::vector<LONG> xs;
    for (int x = 0; x < client.right; ++x)
      if (canvas.At(x, 1) == DibCanvas::SysPixel(COLOR_BTNSHADOW)) xs.push_back(origin.x + x);
    return xs;
  };
  const std::vector<LONG> mainEdges = edges(main);
  ASSERT_GE(mainEdges.size(), 3u);
  EXPECT_EQ(mainEdges, edges(summary));
  // The user widens the second column by dragging its heading's edge: the summary follows.
  HWND const titles = main.TitleBar().GetHandle();
  const TVF_Grid::GridColumn& second = main.Pane().Column(1);
  const int edge = second.Left + second.Width;
  const int y = main.TitleHeight() / 2;
  const int before = second.Width;
  user_mouse::Drag(user_mouse::ScreenPoint(titles, edge - 1, y), user_mouse::ScreenPoint(titles, edge + 20, y));
  EXPECT_EQ(before + 20, main.Pane().Column(1).Width);
  // As far as both title bars reach (the main grid's vertical bar may end its title bar earlier).
  std::vector<LONG> mainAfter = edges(main), summaryAfter = edges(summary);
  const size_t common = std::min(mainAfter.size(), summaryAfter.size());
  ASSERT_GE(common, 3u);
  mainAfter.resize(common);
  summaryAfter.resize(common);
  EXPECT_EQ(mainAfter, summaryAfter);
}

// The summary grid shows its four rows without a vertical bar. Scrolled fully right by the
// summary's thumb dragged to the end, the last column shows whole in both grids, not under the
// main grid's vertical bar.
TEST_F(TableViewTest, TheSummaryShowsItsRowsWithoutABarAndTheLastColumnScrollsIntoViewWhole) {
  OpenView(true);
  TVF_Grid::EventGridControl& main = table->MainGrid();
  TVF_Grid::EventGridControl& summary = table->SummaryGrid();
  ASSERT_TRUE(main.VScrollShown()) << "760 rows";
  EXPECT_FALSE(summary.VScrollShown());
  ASSERT_EQ(4, summary.Pane().RowCount());
  EXPECT_GE(summary.Pane().GetClientRect().Height(), 4 * summary.Pane().RowHeight());
  ASSERT_TRUE(summary.HScrollShown());
  HWND const bar = summary.HScrollBar().GetHandle();
  const auto lastColumnWhole = [](TVF_Grid::EventGridControl& grid) {
    TVF_Grid::GridPane& pane = grid.Pane();
    const TVF_Grid::GridColumn& last = pane.Column(pane.ColumnCount() - 1);
    return last.Left + last.Width - pane.HorizontalOffset() <= pane.GetClientRect().Width();
  };
  RECT track{};
  GetClientRect(bar, &track);
  user_mouse::DragScrollThumb(bar, track.right);
  EXPECT_TRUE(lastColumnWhole(summary)) << "the thumb at the end";
  EXPECT_TRUE(lastColumnWhole(main));
  EXPECT_EQ(main.Pane().FirstColumn(), summary.Pane().FirstColumn());
}

TEST_F(TableViewTest, ButtonsAndCommandsReachSettingsDataPadAndClipboard) {
  OpenView();
  ZR::Doc::ZRDoc& doc = *mDoc.Get();
  UserSelects(table->MainGrid(), 2, 3);
  SendMessageW(window->GetHandle(), WM_COMMAND, kTableDataPadButton, 0);
  EXPECT_FALSE(pad->Cell(1, 1).empty()) << "the heading row";
  EXPECT_EQ(L"2", pad->Cell(2, 0)) << "the selected event row";
  EXPECT_EQ(3, pad->UsedRows());

  EXPECT_EQ(kMessageConsumed, SendToView(kCopyMessageId)) << "the grid's table view copies";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "no picture of the view";
  const std::wstring text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  CloseClipboard();
  EXPECT_EQ(0u, text.find(L"\t")) << "TAB text beginning with the empty corner cell";

  mHost->SetTitle(L"beats.csv");
  EXPECT_EQ(L"beats.csv: Ondara Table View", std::wstring(window->GetCaption().GetText()));
  const uint32_t jobs = lumo_observe::PrintJobs().jobs;
  // The user clicks row 2's number: the grid holding the user's rows is printed.
  HWND const numbers = table->MainGrid().RowNumbers().GetHandle();
  const int rowHeight = table->MainGrid().Pane().RowHeight();
  ASSERT_EQ(numbers, user_mouse::Click(user_mouse::ScreenPoint(numbers, 4, rowHeight + rowHeight / 2)));
  SendToView(kPrintMessageId);
  EXPECT_EQ(jobs + 1, lumo_observe::PrintJobs().jobs) << "the grid holding the user's selection is printed";
  EXPECT_EQ(L"beats.csv: Ondara Table View (event rows)", lumo_observe::PrintJobs().title);

  ScriptedModalSeam seam;
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring csv = std::wstring(folder) + L"ondara-view-" + std::to_wstring(GetCurrentProcessId()) + L".csv";
  seam.SaveFileNames.push_back(csv);
  // The user clicks "Export..." while the row of event 2 is selected.
  HWND const exportButton = window->Button(kTableExportButton).GetHandle();
  RECT face{};
  GetClientRect(exportButton, &face);
  ASSERT_EQ(exportButton, user_mouse::Click(user_mouse::ScreenPoint(exportButton, face.right / 2, face.bottom / 2)));
  std::ifstream written(std::string(csv.begin(), csv.end()), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  written.close();
  DeleteFileW(csv.c_str());
  EXPECT_NE(std::string::npos, bytes.find("\r\n2")) << "\"Export...\" to a .csv name: the grid's CSV file";
  size_t lines = 0;
  for (const char c : bytes) lines += c == '\n';
  EXPECT_EQ(static_cast<size_t>(Events() + 1 + 1 + 5), lines)
      << "every event row under the heading, then the summary block with its heading:\n" << bytes;

  SendMessageW(window->GetHandle(), WM_COMMAND, kTableSettingsButton, 0);
  EXPECT_EQ(2, doc.GetSettings().GetIntSetting(ZR::Doc::kSettingSettingsTab)->Get()) << "the Calculations tab";
}

// "Export..." clicked, a name chosen in the save dialog and "replace?" answered Yes, to a text or
// a CSV file on a disk that fills up after a few bytes, or to a read-only file: the file there
// before stays byte for byte (a read-only one with its flag, and with nothing around it touched),
// and the box names the file and the cause; with room, the table replaces it. A write that was
// tried removes the file an export killed while it wrote left beside the target.
TEST_F(TableViewTest, ExportOnAFullDiskOrOntoAReadOnlyFileKeepsTheFileThereBefore) {
  OpenView();
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-export");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  HWND const exportButton = window->Button(kTableExportButton).GetHandle();
  RECT face{};
  GetClientRect(exportButton, &face);
  const POINT middle = user_mouse::ScreenPoint(exportButton, face.right / 2, face.bottom / 2);
  const auto read = [](const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const std::string old = "the table of an earlier export\r\n";
  const struct {
    unsigned long long room;
    bool readOnly;
    const wchar_t* cause;  // null: the table is written
  } cases[] = {{0, false, L"Disk full."}, {1, false, L"Disk full."}, {100, false, L"Disk full."},
               {~0ull, true, L"It is read-only: clear its read-only attribute, or choose another name."},
               {~0ull, false, nullptr}};
  for (const wchar_t* name : {L"table.txt", L"table.csv"}) {
    const std::wstring path = folder + L"\\" + name;
    const std::wstring killed = path + L".~fffffff0-1.tmp";
    for (const auto& c : cases) {
      std::ofstream(path.c_str(), std::ios::binary) << old;
      std::ofstream(killed.c_str(), std::ios::binary) << "the table of a killed exp";
      if (c.readOnly) {
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
      }
      ScriptedModalSeam seam;
      seam.SaveFileNames.push_back(path);
      seam.MessageAnswers = {IDYES};
      WholeFile::SetDiskRoomForTests(c.room);
      ASSERT_EQ(exportButton, user_mouse::Click(middle));
      WholeFile::SetDiskRoomForTests(~0ull);
      const DWORD attributes = GetFileAttributesW(path.c_str());
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      EXPECT_EQ(c.readOnly ? 2 : 1, testsupport::FilesIn(folder)) << c.room;
      DeleteFileW(killed.c_str());
      const std::string bytes = read(path);
      if (!c.cause) {
        EXPECT_EQ(1u, seam.MessageTexts.size()) << "the replace question alone";
        EXPECT_EQ(Events() + 1 + 1 + 5, std::count(bytes.begin(), bytes.end(), '\n')) << bytes;
        continue;
      }
      EXPECT_EQ(old, bytes) << c.room;
      EXPECT_EQ(c.readOnly, (attributes & FILE_ATTRIBUTE_READONLY) != 0) << c.room;
      ASSERT_EQ(2u, seam.MessageTexts.size()) << c.room;
      EXPECT_EQ(0u, seam.MessageTexts[0].find(path + L" already exists."));
      EXPECT_EQ(L"The Table View could not be written to " + path + L".\r\n" + c.cause, seam.MessageTexts[1]);
    }
    DeleteFileW(path.c_str());
  }
  testsupport::RemoveFolder(folder);
}

TEST_F(TableViewTest, ClosingDestroysTheGridAndEndsTheViewOnce) {
  OpenView();
  ITableUserActionHandler* const actions = window;
  actions->AddRef();
  EXPECT_EQ(0u, actions->Release()) << "the handler's count reaches 0 without ending the view";
  EXPECT_TRUE(IsWindow(window->GetHandle()));
  HWND const grid = table->GetHandle();
  ASSERT_EQ(S_OK, site->CloseView(view.Get()));
  PumpMessages();
  EXPECT_FALSE(IsWindow(grid));
  EXPECT_EQ(0u, site->OpenViews());
  EXPECT_EQ(0u, view.Detach()->Release()) << "the host's wrapper ends the view";
}

}  // namespace
