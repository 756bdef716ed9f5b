// The table view window as a table-view manager makes it: layout by the owner's flags, wheel
// scrolling, the host's copy command on the clipboard, CSV files by name and the Data Pad copy.
#include "grid/TVF_TableView.h"

#include "base/LocaleInfo.h"
#include "grid/GridPane.h"
#include "grid/RowNumbersPane.h"
#include "grid/ITableViewManager.h"
#include "host/data/DataPad.h"
#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"
#include "host/data/HostDocument.h"
#include "host/framework/HostObservation.h"
#include "host/view/ViewSite.h"
#include "hostapi/FrameworkCommands.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/LumoProxyEventHandler.h"
#include "tests/base/FakeLocaleSystem.h"
#include "tests/grid/GridTestClient.h"
#include "tests/support/CardiacSignal.h"
#include "tests/support/HostDataFile.h"

#include <fstream>
#include <iterator>

namespace {

using host::HostPtr;

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// left, top, right, bottom of a child in its parent's client coordinates.
std::vector<LONG> ChildRect(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

class TableViewWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
    sPrevious = SetTableViewWindowFactory(&TVF_TableView::Make);
  }
  static void TearDownTestSuite() { SetTableViewWindowFactory(sPrevious); }

  void SetUp() override {
    parent.Create();
    ASSERT_EQ(S_OK, CreateTableViewManager(manager.Out()));
    hostDocument->SetDataPad(pad.Get());
    site->SetHostDocument(static_cast<IHostDocument*>(hostDocument.Get()));
    host::Progress() = host::ProgressLog{};
  }
  void TearDown() override {
    manager->DestroyView(0);
    site->SetHostDocument(nullptr);
    EXPECT_EQ(0u, handler->Release());
  }
  // rows data rows of three columns: cell (r, k) reads "r.k", titles "T1".."T3"; column 0 holds
  // the row number under the title "#".
  void Fill(int32_t rows) {
    client.Rows = rows + 1;
    client.Columns = 4;
    for (int32_t k = 0; k <= 3; ++k) {
      client.Texts[{0, k}] = k == 0 ? L"#" : L"T" + std::to_wstring(k);
      client.Styles[{0, k}] = kCellStyleTitle;
      for (int32_t r = 1; r <= rows; ++r)
        client.Texts[{r, k}] = k == 0 ? std::to_wstring(r) : std::to_wstring(r) + L"." + std::to_wstring(k);
    }
  }
  TVF_TableView& Open(uint32_t flags, int32_t rows = 2) {
    Fill(rows);
    EXPECT_EQ(S_OK, manager->CreateView(flags, parent.GetHandle(), static_cast<IViewOwner*>(site.Get()),
                                        static_cast<IMessageHandler*>(handler), &client, &client, &client, 0));
    EXPECT_EQ(S_OK, manager->SetViewLayout(0, 0, 0, 400, 300, 60, 100, 100));
    PumpMessages();
    HWND const window = FindWindowExW(parent.GetHandle(), nullptr, L"TVF_TableView", nullptr);
    auto* const view = dynamic_cast<TVF_TableView*>(OWL::TWindow::GetWindowPtr(window));
    EXPECT_NE(nullptr, view);
    return *view;
  }
  // The user's click on the number of pane row r.
  static void ClickRowNumber(const TVF_Grid::EventGridControl& grid, int32_t paneRow) {
    HWND const numbers = grid.RowNumbers().GetHandle();
    const LPARAM point = MAKELPARAM(4, paneRow * grid.Pane().RowHeight() + 3);
    SendMessageW(numbers, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(numbers, WM_LBUTTONUP, 0, point);
  }
  int32_t SendHostMessage(uint32_t id) {
    HostPtr<IMessage> message;
    GetMessageService()->CreateMessage(id, 0, 0, 0, 0, nullptr, message.Out());
    return handler->HandleMessage(message.Get());
  }

  static TableViewWindowFactory sPrevious;
  GridParent parent;
  GridTestClient client;
  ComPtr<ITableViewManager> manager;
  LumoProxyEventHandler* handler = LumoProxyEventHandler::Create();  // the host's message handler
  HostPtr<host::HostDocument> hostDocument = testsupport::LoadHostDocument();
  HostPtr<host::ViewSite> site = host::ViewSite::Create();
  HostPtr<host::DataPad> pad = host::DataPad::Create();
};

TableViewWindowFactory TableViewWindowTest::sPrevious = nullptr;

TEST_F(TableViewWindowTest, LayoutFlagsShowOrHideTheSummaryBelowTheMainGrid) {
  TVF_TableView& view = Open(0x27A);
  HWND const window = view.GetHandle();
  EXPECT_TRUE(view.SummaryShown());
  EXPECT_TRUE(view.MainGrid().RowSelectMode && view.MainGrid().ColumnMoving);
  // The summary at the bottom as high as its heading and its two rows, the main grid above it.
  const std::vector<LONG> summary = ChildRect(window, view.SummaryGrid().GetHandle());
  EXPECT_EQ((std::vector<LONG>{0, 0, 400, summary[1]}), ChildRect(window, view.MainGrid().GetHandle()));
  EXPECT_EQ((std::vector<LONG>{0, summary[1], 400, 300}), summary);
  EXPECT_EQ(2 * view.SummaryGrid().Pane().RowHeight(), view.SummaryGrid().Pane().GetClientRect().Height());
  EXPECT_FALSE(view.SummaryGrid().VScrollShown());
  EXPECT_TRUE(IsWindowVisible(view.SummaryGrid().GetHandle()));
  ASSERT_EQ(S_OK, manager->SelectRows(kTableSummarySection, 1, 2));
  EXPECT_TRUE(view.SummaryGrid().Selection()->Range().IsValid());

  ASSERT_EQ(S_OK, manager->UpdateLayout(0x278));
  PumpMessages();
  EXPECT_EQ(0x278u, view.LayoutFlags());
  EXPECT_TRUE(IsWindow(view.MainGrid().GetHandle()));
  EXPECT_FALSE(view.SummaryShown());
  EXPECT_FALSE(view.SummaryGrid().Selection()->Range().IsValid()) << "hiding the summary clears its selection";
  EXPECT_FALSE(IsWindowVisible(view.SummaryGrid().GetHandle()));
  EXPECT_EQ((std::vector<LONG>{0, 0, 400, 300}), ChildRect(window, view.MainGrid().GetHandle()));
  EXPECT_EQ(S_OK, manager->SelectRows(kTableSummarySection, 1, 2)) << "a hidden summary is left alone";
  EXPECT_FALSE(view.SummaryGrid().Selection()->Range().IsValid());
}

TEST_F(TableViewWindowTest, TheDefaultColumnWidthReachesRowNumbersAndTheEmptyColumn) {
  TVF_TableView& view = Open(0x27A);
  EXPECT_EQ(60, view.MainGrid().RowNumberWidth()) << "row numbers without a width of their own";
  EXPECT_EQ(60, view.SummaryGrid().RowNumberWidth());
  // Without data columns each grid shows one empty column of the default width.
  client.Columns = 1;
  ASSERT_EQ(S_OK, manager->SetViewLayout(0, 0, 0, 400, 300, 80, 100, 100));
  for (TVF_Grid::EventGridControl* grid : {&view.MainGrid(), &view.SummaryGrid()}) {
    EXPECT_EQ(60, grid->RowNumberWidth()) << "they have a width of their own now";
    ASSERT_EQ(1, grid->Pane().ColumnCount());
    EXPECT_EQ(80, grid->Pane().Column(0).Width);
  }
}

TEST_F(TableViewWindowTest, WheelScrollsWholeNotchesAndNeverAboveTheFirstRow) {
  TVF_TableView& view = Open(0x278, 60);
  view.MainGrid().SetTopRow(10);
  const struct {
    int delta;
    int32_t top;
  } steps[] = {{240, 8}, {60, 8}, {-360, 11}, {-119, 11}};
  for (const auto& step : steps) {
    SendMessageW(view.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, step.delta), 0);
    EXPECT_EQ(step.top, view.MainGrid().Pane().TopRow()) << "delta " << step.delta;
  }
  view.MainGrid().SetTopRow(1);
  SendMessageW(view.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
  EXPECT_EQ(1, view.MainGrid().Pane().TopRow()) << "a step above the first row is not taken";
}

// Rows the owner selects (the current event's) do not narrow a copy; rows the user clicks on the
// row numbers do, in the grid where they were clicked.
TEST_F(TableViewWindowTest, CopyMessagePutsTheUsersRowsOrTheWholeTableOnTheClipboard) {
  const std::wstring whole = L"#\tT1\tT2\tT3\r\n1\t1.1\t1.2\t1.3\r\n2\t2.1\t2.2\t2.3\r\n";
  const std::wstring row2 = L"#\tT1\tT2\tT3\r\n2\t2.1\t2.2\t2.3\r\n";
  const std::wstring row1 = L"#\tT1\tT2\tT3\r\n1\t1.1\t1.2\t1.3\r\n";
  TVF_TableView& view = Open(0x278);
  EXPECT_EQ(kMessageConsumed, SendHostMessage(kCopyMessageId));
  EXPECT_EQ(whole, ClipboardText()) << "nothing selected, no summary: the main grid without a trailing LF";

  ASSERT_EQ(S_OK, manager->UpdateLayout(0x27A));
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 2, 3));
  SendHostMessage(kCopyMessageId);
  EXPECT_EQ(whole + L"\n" + whole, ClipboardText()) << "the owner's row: both whole grids, one LF between";

  ClickRowNumber(view.SummaryGrid(), 0);
  SendHostMessage(kCopyMessageId);
  EXPECT_EQ(row1, ClipboardText()) << "only the summary's block, no leading LF";

  ClickRowNumber(view.MainGrid(), 1);
  SendHostMessage(kCopyMessageId);
  EXPECT_EQ(row2 + L"\n" + row1, ClipboardText()) << "both grids' rows the user chose";
}

TEST_F(TableViewWindowTest, PrintCommandsPrintTheGridsOfTheUsersRowsOrAllShownOnes) {
  TVF_TableView& view = Open(0x27A);
  const auto jobs = [] { return lumo_observe::PrintJobs().jobs; };
  const uint32_t start = jobs();
  EXPECT_EQ(kMessageConsumed, SendHostMessage(kPrintMessageId));
  EXPECT_EQ(start + 2, jobs()) << "nothing selected: both shown grids";
  EXPECT_GT(lumo_observe::PrintJobs().pages, 0u);
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 2, 3));
  SendHostMessage(kPrintMessageId);
  EXPECT_EQ(start + 4, jobs()) << "rows the owner selects (the current event's) do not narrow a print";
  HWND const numbers = view.MainGrid().RowNumbers().GetHandle();
  const LPARAM row = MAKELPARAM(4, view.MainGrid().Pane().RowHeight() + 3);
  SendMessageW(numbers, WM_LBUTTONDOWN, MK_LBUTTON, row);
  SendMessageW(numbers, WM_LBUTTONUP, 0, row);
  SendHostMessage(kPrintMessageId);
  EXPECT_EQ(start + 5, jobs()) << "only the grid holding the rows the user clicked";
  ASSERT_EQ(S_OK, manager->UpdateLayout(0x27A | 0x100));
  SendHostMessage(kPrintMessageId);
  EXPECT_EQ(start + 7, jobs()) << "whole-grid printing ignores selections";
  const uint32_t previews = lumo_observe::PrintJobs().previews;
  EXPECT_EQ(kMessageConsumed, SendHostMessage(kPrintPreviewMessageId));
  EXPECT_EQ(previews + 2, lumo_observe::PrintJobs().previews);
  EXPECT_EQ(start + 7, jobs());
}

TEST_F(TableViewWindowTest, ChoiceCellsNameTheHostDocumentsChannels) {
  TVF_TableView& view = Open(0x258);
  client.Texts[{1, 1}] = L"0";
  client.Styles[{1, 1}] = kCellStyleChoice | kCellStyleShowChoice;
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 1, 2));
  const std::wstring named = view.TableText(L"\t", false);
  EXPECT_NE(std::wstring::npos, named.find(L"Vm\t1.2")) << named;
  HostPtr<IHostDataDocument> data;
  ASSERT_EQ(S_OK, hostDocument->GetDataDocument(data.Out()));
  ASSERT_EQ(S_OK, static_cast<host::DataDocument*>(data.Get())->SetChannelTitle(0, L"Pressure"));
  EXPECT_EQ(named, view.TableText(L"\t", false)) << "the names are read again when the host says so";
  EXPECT_EQ(1u, site->AttachedObservers());
  ASSERT_EQ(S_OK, site->NotifyChannelsChanged());
  const std::wstring renamed = view.TableText(L"\t", false);
  EXPECT_NE(std::wstring::npos, renamed.find(L"Pressure\t1.2")) << renamed;
  ASSERT_EQ(S_OK, manager->DestroyView(0));
  EXPECT_EQ(0u, site->AttachedObservers()) << "the window's observer goes with it";
}

TEST_F(TableViewWindowTest, KeysGoToTheMainGridUnlessCtrlIsHeld) {
  TVF_TableView& view = Open(0x278, 5);
  TestKeys keys;
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 2, 3));
  MSG down{view.GetHandle(), WM_KEYDOWN, VK_DOWN, 1, 0, {0, 0}};
  keys.Ctrl = true;
  EXPECT_FALSE(view.PreProcessMsg(down));
  EXPECT_EQ(2, view.MainGrid().Selection()->Range().FirstRow.Index);
  keys.Ctrl = false;
  EXPECT_TRUE(view.PreProcessMsg(down));
  EXPECT_EQ(3, view.MainGrid().Selection()->Range().FirstRow.Index);
}

TEST_F(TableViewWindowTest, BusyClipboardIsToldAndLeftAlone) {
  TVF_TableView& view = Open(0x278);
  ScriptedModalSeam seam;
  ASSERT_TRUE(OpenClipboard(parent.GetHandle()));
  view.CopyToClipboard();
  CloseClipboard();
  ASSERT_EQ(1u, seam.MessageTexts.size());
  EXPECT_EQ(L"Unable to copy to clipboard at present", seam.MessageTexts[0]);
}

// The same cells as tests/data/table_export.csv, which Python's csv module reads back.
TEST_F(TableViewWindowTest, CsvByNameUsesTheListSeparatorAndMatchesTheCheckedFile) {
  fakelocale::Current().settings[LOCALE_SDECIMAL] = L".";
  fakelocale::Current().settings[LOCALE_STHOUSAND] = L",";
  fakelocale::Current().settings[LOCALE_SDATE] = L"/";
  static QOR::LocaleInfo* locale = nullptr;
  QOR::LocaleInfo user(fakelocale::System());
  locale = &user;
  const auto previous = TVF_TableView::SetListSeparatorSource([] { return locale->ListSeparator(); });
  Open(0x258);  // headings, no row numbers, no summary
  client.Texts = {{{0, 1}, L"Name"},       {{0, 2}, L"Amplitude (\u00B5V)"}, {{0, 3}, L"Note"},
                  {{1, 1}, L"a;b"},        {{1, 2}, L"1,5"},                 {{1, 3}, L"say \"hi\""},
                  {{2, 1}, L"two\r\nlines"}, {{2, 2}, L""},                  {{2, 3}, L"\u03A9"}};
  const std::wstring path = TempPath(L"ondara_view_export.csv");
  EXPECT_EQ(S_OK, manager->ExportCsv(0, QOR::String(path.c_str()).GetInterface()));
  EXPECT_EQ(FileBytes(testsupport::TestDataPath("table_export.csv")), FileBytes(path));

  client.Texts = {{{0, 1}, L"A"}, {{1, 1}, L"\u00B5"}, {{2, 1}, L"x"}};
  client.Columns = 2;
  manager->RefreshColumns(0);
  EXPECT_EQ(S_OK, manager->ExportCsv(0, QOR::String(path.c_str()).GetInterface()));
  EXPECT_EQ(std::string("A\r\n\xB5\r\nx\r\n"), FileBytes(path)) << "Latin-1 text stays ANSI";
  ASSERT_EQ(S_OK, manager->UpdateLayout(0x25A));
  EXPECT_EQ(S_OK, manager->ExportCsv(0, QOR::String(path.c_str()).GetInterface()));
  EXPECT_EQ(std::string("A\r\n\xB5\r\nx\r\n\nA\r\n\xB5\r\nx\r\n"), FileBytes(path)) << "the summary after one LF";
  ASSERT_EQ(S_OK, manager->UpdateLayout(0x258));
  lumo_observe::SetHostLanguage(0x0007);
  EXPECT_EQ(S_OK, manager->ExportCsv(0, QOR::String(path.c_str()).GetInterface()));
  lumo_observe::SetHostLanguage(0);
  EXPECT_EQ(std::string("\xFF\xFE" "A\0\r\0\n\0\xB5\0\r\0\n\0x\0\r\0\n\0", 20), FileBytes(path))
      << "a language of the list writes UTF-16";
  DeleteFileW(path.c_str());
  TVF_TableView::SetListSeparatorSource(previous);
  fakelocale::Current() = fakelocale::State{};
}

TEST_F(TableViewWindowTest, CsvWithoutANameAsksAndCancelledWritesNothing) {
  Open(0x278);
  ScriptedModalSeam seam;
  EXPECT_EQ(E_FAIL, manager->ExportCsv(0, nullptr));
}

TEST_F(TableViewWindowTest, DataPadGetsTheUsersRowsOrTheWholeTableBelowItsUsedRows) {
  TVF_TableView& view = Open(0x27A);
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 2, 3));
  ClickRowNumber(view.MainGrid(), 1);
  ASSERT_EQ(S_OK, manager->CopyToDataPad(0));
  EXPECT_EQ(L"#", pad->Cell(1, 0)) << "an empty pad is written from row 1, titles first";
  EXPECT_EQ(L"2", pad->Cell(2, 0));
  EXPECT_EQ(L"2.3", pad->Cell(2, 3));
  EXPECT_EQ(3, pad->UsedRows());

  manager->UpdateLayout(0x278);
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 0, 0));
  EXPECT_FALSE(view.MainGrid().Selection()->Range().IsValid()) << "an empty range clears";
  ASSERT_EQ(S_OK, manager->SelectRows(kTableMainSection, 1, 2));
  ASSERT_EQ(S_OK, manager->CopyToDataPad(0));
  EXPECT_EQ(L"T1", pad->Cell(4, 1)) << "one blank row after the rows in use";
  EXPECT_EQ(L"1.1", pad->Cell(5, 1)) << "the owner's row does not narrow the copy";
  EXPECT_EQ(L"2.1", pad->Cell(6, 1));
  EXPECT_EQ(7, pad->UsedRows()) << "the hidden summary is not copied";

  hostDocument->SetDataPad(nullptr);
  site->SetHostDocument(nullptr);
  EXPECT_EQ(S_FALSE, manager->CopyToDataPad(0)) << "no Data Pad to be had";
}

}  // namespace
