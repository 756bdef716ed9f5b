// The views' print preview, copy and Data Pad reached through the host's view frames as a user
// reaches them: the frame's menu and keys, the preview's pages laid out over the ECG's table,
// and what the analyze command writes of them.
#include "controls/UxSizableButtonGadget.h"
#include "grid/FittedNumber.h"
#include "grid/GridColumn.h"
#include "grid/GridPane.h"
#include "grid/GridPrintout.h"
#include "grid/RowNumbersPane.h"
#include "grid/SnapGadgetWindowBase.h"
#include "grid/TVF_TableView.h"
#include "host/app/ViewOutputs.h"
#include "host/app/WindowPicture.h"
#include "host/framework/HostObservation.h"
#include "host/framework/PrintPreviewPages.h"
#include "host/view/ViewSite.h"
#include "hostapi/DocumentTableScript.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "tests/support/AskedScreenDpi.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/DrawnTexts.h"
#include "tests/support/HostProcess.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/UserMouse.h"
#include "tests/views/ViewSiteFixture.h"
#include "views/AnalysisView.h"
#include "views/ViewClasses.h"
#include "views/ZRTableViewEx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using host::HostPtr;

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + std::to_wstring(GetCurrentProcessId()) + name;
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Lines of a text whose lines end in CR LF or LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The stand-in's sheet keeps half an inch free around its printable area.
int SheetMargin() {
  HDC const screen = GetDC(nullptr);
  const int margin = GetDeviceCaps(screen, LOGPIXELSX) / 2;
  ReleaseDC(nullptr, screen);
  return margin;
}

// A preview page's pixels: dark ones are ink.
struct Page {
  explicit Page(HBITMAP bitmap) {
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section) section = DIBSECTION{};
  }
  int Width() const { return section.dsBm.bmWidth; }
  int Height() const { return section.dsBm.bmHeight; }
  uint32_t At(int x, int y) const {
    return static_cast<const uint32_t*>(section.dsBm.bmBits)[y * Width() + x] & 0xFFFFFF;
  }
  int Ink(int left, int top, int right, int bottom) const {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if ((At(x, y) & 0x808080) == 0) ++dark;
    return dark;
  }
  DIBSECTION section{};
};

int32_t FontHeight(HDC dc, const OWL::TFont& font, int32_t* averageWidth = nullptr) {
  HGDIOBJ const previous = SelectObject(dc, font.GetHandle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  if (averageWidth) *averageWidth = metrics.tmAveCharWidth;
  return metrics.tmHeight;
}

// A grid's printed geometry on a page of width x height printed at the screen's resolution (as
// the preview prints), by the printout's own arithmetic: planned at 96 dpi from the fonts' point
// size and the columns' widths there, then placed at the page's resolution. The row-number
// column, row height, the band, the columns' left edges and widths, pages across and down.
struct PrintedGrid {
  PrintedGrid(const TVF_Grid::EventGridControl& grid, int32_t longestLabel, int32_t width, int32_t height) {
    HDC const dc = CreateCompatibleDC(nullptr);
    const int32_t dpi = GetDeviceCaps(dc, LOGPIXELSX);
    LOGFONTW face = grid.CellFont().GetObject();
    face.lfHeight = -MulDiv(10, 96, 72);
    const OWL::TFont cellFont(face);
    int32_t average = 0;
    const int32_t cell = FontHeight(dc, cellFont, &average);
    DeleteDC(dc);
    const auto at = [dpi](int32_t pixelsAt96) { return MulDiv(pixelsAt96, dpi, 96); };
    const int32_t numbers96 = average * (longestLabel + 6);
    const int32_t row96 = static_cast<int32_t>(cell * 1.4);
    rowNumbers = at(numbers96);
    rowHeight = row96 * dpi / 96;
    band = at(2 * cell);
    const int32_t width96 = MulDiv(width, 96, dpi);
    int32_t x = numbers96;
    for (int32_t i = 0; i < grid.Pane().ColumnCount(); ++i) {
      const int32_t w = MulDiv(grid.Pane().Column(i).Width, 96, dpi);
      EXPECT_LE(w, width96) << "no column is wider than the page here";
      if (x + w > width96) {
        ++across;
        x = 0;
      }
      lefts.push_back(at(x));
      widths.push_back(at(x + w) - at(x));
      x += w;
    }
    down = static_cast<int32_t>(
        std::ceil(static_cast<float>(row96 * grid.Pane().RowCount() + 2 * cell) / MulDiv(height, 96, dpi)));
  }
  int32_t rowNumbers = 0;
  int32_t rowHeight = 0;
  int32_t band = 0;
  int32_t across = 1;
  int32_t down = 1;
  std::vector<int32_t> lefts;  // on its page, from the printable left
  std::vector<int32_t> widths;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Each button of view writes in the Table View's button font, 13 pixels at 96 dpi scaled to dpi,
// and holds its text whole; buttons counts them.
void ExpectButtonTextsWhole(HWND view, int dpi, int& buttons) {
  buttons = 0;
  for (HWND b = FindWindowExW(view, nullptr, L"Button", nullptr); b; b = FindWindowExW(view, b, L"Button", nullptr)) {
    auto* const font = reinterpret_cast<HFONT>(SendMessageW(b, WM_GETFONT, 0, 0));
    LOGFONTW face{};
    ASSERT_EQ(static_cast<int>(sizeof face), GetObjectW(font, sizeof face, &face));
    EXPECT_EQ(MulDiv(13, dpi, 96), std::abs(face.lfHeight));
    wchar_t text[64] = L"";
    GetWindowTextW(b, text, 64);
    HDC const dc = GetDC(b);
    HGDIOBJ const previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
    SelectObject(dc, previous);
    ReleaseDC(b, dc);
    RECT r{};
    GetClientRect(b, &r);
    EXPECT_LT(extent.cx, r.right - MulDiv(6, dpi, 96)) << "the button's text whole";
    EXPECT_LT(extent.cy, r.bottom - MulDiv(4, dpi, 96));
    ++buttons;
  }
}

// A cell's text as the 96-dpi layout shows it: whole, a number that lost its last figure to
// its column ("-0.0931" for "-0.09310"), or a heading ending in "..."; never "##" or a
// number of two figures, as a column too narrow for its font showed them.
bool ShownAsAtNinetySixDpi(const std::wstring& text, const std::set<std::wstring>& exported) {
  if (text.find(L'#') != std::wstring::npos) return false;
  const bool heading = text.size() > 3 && text.compare(text.size() - 3, 3, L"...") == 0;
  return heading || exported.count(text) || text.size() >= 5;
}

// A printed cell's text as it is at 96 dpi, or that number with fewer significant figures.
bool SameOrFewerFigures(const std::wstring& text, const std::wstring& at96) {
  if (text == at96) return true;
  const int figures = TVF_Grid::SignificantFigures(text);
  return TVF_Grid::IsNumberText(text) && figures < TVF_Grid::SignificantFigures(at96) &&
         text == TVF_Grid::RoundedNumberText(at96, figures);
}

// Dark pixels of r on a canvas, as Page::Ink counts them.
int Ink(const DibCanvas& canvas, const RECT& r) {
  int dark = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if ((canvas.At(x, y) & 0x808080) == 0) ++dark;
  return dark;
}

class HostFrameOutputs : public doctest::ViewSiteTest {
 protected:
  // The bundled ECG analysed, its document the site's host document.
  void AnalyseEcg() {
    OpenEcg();
    ASSERT_EQ(S_OK, SendAnalyze());
    site->SetHostDocument(static_cast<IHostDocument*>(mHost.Get()));
  }
  // A view opened by the host in a frame of its own; the frame.
  HWND OpenView(uint32_t viewMessageId) {
    HostPtr<IDocView2> view;
    EXPECT_EQ(S_OK, site->OpenView(viewMessageId, view));
    ondara_host::PumpUntilIdle();
    host::HostClientFrame* const frame = site->FrameOf(view.Get());
    return frame ? frame->Frame() : nullptr;
  }
  static TVF_TableView* TableIn(HWND frame) {
    HWND const grid = FindWindowExW(GetWindow(GetWindow(frame, GW_CHILD), GW_CHILD), nullptr, L"TVF_TableView", nullptr);
    return dynamic_cast<TVF_TableView*>(OWL::TWindow::GetWindowPtr(grid));
  }
  // The document's Table View text export.
  std::string ExportedTable() {
    HostPtr<IDocumentTableScript> script;
    mDocument->QueryInterface(IID_IDocumentTableScript, reinterpret_cast<void**>(script.Out()));
    const std::wstring file = TempPath(L"-export.txt");
    EXPECT_EQ(S_OK, script->ExportTableFile(file.c_str()));
    const std::string text = FileBytes(file);
    DeleteFileW(file.c_str());
    return text;
  }
  // The exported table's cells, each once.
  std::set<std::wstring> ExportedCells() {
    std::set<std::wstring> cells;
    for (const std::vector<std::string>& line : testsupport::TabCells(ExportedTable()))
      for (const std::string& cell : line) cells.emplace(cell.begin(), cell.end());
    return cells;
  }
};

TEST_F(HostFrameOutputs, EcgTablePreviewHasItsPagesAndShowsHeadingsRowNumbersAndCells) {
  AnalyseEcg();
  HWND const frame = OpenView(ZRTableViewEx::ViewMessageId());
  TVF_TableView* const table = TableIn(frame);
  ASSERT_NE(nullptr, table);
  const uint32_t before = lumo_preview::Count();
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(frame, L"File|Print Preview"));
  ASSERT_EQ(before + 2, lumo_preview::Count()) << "the main grid and the summary grid";
  const std::vector<HBITMAP> pages = lumo_preview::Pages(before);
  ASSERT_FALSE(pages.empty());
  const Page first(pages[0]);
  // An A4 sheet at the screen's resolution.
  const int margin = SheetMargin();
  ASSERT_EQ(MulDiv(2100, 2 * margin, 254), first.Width());
  const int width = first.Width() - 2 * margin;
  const int height = first.Height() - 2 * margin;
  const PrintedGrid main(table->MainGrid(), 3, width, height);  // labels up to "760"
  EXPECT_EQ(760, table->MainGrid().Pane().RowCount());
  EXPECT_EQ(static_cast<size_t>(main.across * main.down), pages.size());
  const PrintedGrid summary(table->SummaryGrid(), 5, width, height);  // "Count"
  EXPECT_EQ(static_cast<size_t>(summary.across), lumo_preview::Pages(before + 1).size());

  const int cellsLeft = margin + main.rowNumbers;
  const int rowTop = margin + main.band;
  EXPECT_EQ(0, first.Ink(0, 0, first.Width(), margin - 2)) << "nothing above the printable area";
  EXPECT_EQ(0, first.Ink(0, 0, margin - 2, first.Height())) << "nor left of it";
  EXPECT_GT(first.Ink(cellsLeft + 2, margin - 1, cellsLeft + main.widths[0] - 2, margin + 2), main.widths[0] / 2)
      << "the first heading's outline";
  EXPECT_GT(first.Ink(cellsLeft + 2, margin + 2, cellsLeft + main.widths[0] - 2, rowTop - 2), 10) << "its title";
  EXPECT_EQ(0, first.Ink(margin + 2, margin + 2, cellsLeft - 2, rowTop - 2)) << "no heading over the row numbers";
  EXPECT_GT(first.Ink(margin, rowTop, margin + 3, rowTop + main.rowHeight), main.rowHeight / 2)
      << "the row number's outline";
  EXPECT_GT(first.Ink(margin + 3, rowTop + 3, cellsLeft - 3, rowTop + main.rowHeight - 2), 5) << "the number 1";
  EXPECT_GT(first.Ink(cellsLeft + 9, rowTop + 3, cellsLeft + main.widths[0] - 9, rowTop + main.rowHeight - 2), 10)
      << "the first cell's value";
  // Each printed value is the one the screen shows in its column: the same ink, inside the rules.
  TVF_Grid::GridPane& pane = table->MainGrid().Pane();
  const RECT shown = pane.GetClientRect();
  const DibCanvas screen(shown.right, shown.bottom, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  pane.PaintCells(screen.Dc(), shown);
  for (int32_t row = 1; row <= 4; ++row) {
    for (size_t i = 0; i < main.widths.size() && i + 1 < main.lefts.size() && main.lefts[i + 1] > 0; ++i) {
      const RECT cell = pane.CellRect(row, static_cast<int32_t>(i));
      if (cell.right > shown.right) break;
      const int left = margin + main.lefts[i];
      const int top = rowTop + row * main.rowHeight;
      EXPECT_EQ(Ink(screen, cell),
                first.Ink(left + 1, top + 1, left + main.widths[i] - 1, top + main.rowHeight - 1))
          << "row " << row + 1 << ", column " << i + 1;
    }
  }
  for (uint32_t preview : {before, before + 1}) DestroyWindow(lumo_preview::Window(preview));
  EXPECT_TRUE(lumo_preview::Pages(before).empty()) << "closing the preview lets its pages go";
}

// The current event's row, which the view keeps selected, narrows none of the outputs: the
// printout, the copy and the Data Pad hold both grids whole. Rows the user clicks on the row
// numbers are all each output holds; they print as values, not as the screen's white on blue,
// with the headings and the row's number in black.
TEST_F(HostFrameOutputs, OnlyRowsTheUserSelectedNarrowPrintCopyAndDataPad) {
  AnalyseEcg();
  HWND const frame = OpenView(ZRTableViewEx::ViewMessageId());
  TVF_TableView* const table = TableIn(frame);
  ASSERT_NE(nullptr, table);
  const std::vector<std::string> exported = Lines(ExportedTable());
  ASSERT_EQ(1u + 760 + 1 + 5, exported.size());
  const std::vector<std::string> row3 = {exported[0], exported[3]};
  mDoc->SetCurrentEvent(2, ZR::Doc::kSelectTableRow);
  const int margin = SheetMargin();
  const auto copied = [&] {
    const std::wstring file = TempPath(L"-copy.txt");
    EXPECT_EQ(L"", ondara_host::WriteCopy(frame, file));
    const std::vector<std::string> lines = Lines(FileBytes(file));
    DeleteFileW(file.c_str());
    return lines;
  };
  // The Data Pad's last rows, without their row numbers.
  const auto padded = [&](size_t count) {
    const std::wstring file = TempPath(L"-pad.txt");
    EXPECT_EQ(L"", ondara_host::WriteDataPad(frame, file));
    std::vector<std::string> pad = Lines(FileBytes(file));
    DeleteFileW(file.c_str());
    for (std::string& row : pad) row.erase(0, row.find('\t') == std::string::npos ? row.size() : row.find('\t') + 1);
    if (pad.size() > count) pad.erase(pad.begin(), pad.end() - static_cast<ptrdiff_t>(count));
    return pad;
  };
  uint32_t before = lumo_preview::Count();
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(frame, L"File|Print Preview"));
  ASSERT_EQ(before + 2, lumo_preview::Count()) << "the main grid and the summary grid, whole";
  const Page sheet(lumo_preview::Pages(before).at(0));
  const PrintedGrid whole(table->MainGrid(), 3, sheet.Width() - 2 * margin, sheet.Height() - 2 * margin);
  EXPECT_EQ(static_cast<size_t>(whole.across * whole.down), lumo_preview::Pages(before).size());
  for (uint32_t preview : {before, before + 1}) DestroyWindow(lumo_preview::Window(preview));
  EXPECT_EQ(exported, copied()) << "the copy holds the whole table";
  EXPECT_EQ(exported, padded(exported.size())) << "so does the Data Pad";

  const TVF_Grid::EventGridControl& grid = table->MainGrid();
  const int rowHeight = grid.Pane().RowHeight();
  HWND const numbers = grid.RowNumbers().GetHandle();
  const int y = (2 - grid.Pane().TopRow()) * rowHeight + rowHeight / 2;
  ASSERT_EQ(numbers, user_mouse::Click(user_mouse::ScreenPoint(numbers, 4, y))) << "the user clicks row 3's number";
  EXPECT_EQ(row3, copied());
  EXPECT_EQ(row3, padded(2));
  before = lumo_preview::Count();
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(frame, L"File|Print Preview"));
  ASSERT_EQ(before + 1, lumo_preview::Count()) << "only the main grid holds the user's rows";
  const std::vector<HBITMAP> pages = lumo_preview::Pages(before);
  ASSERT_FALSE(pages.empty());
  const Page page(pages[0]);
  const PrintedGrid main(grid, 1, page.Width() - 2 * margin, page.Height() - 2 * margin);  // "3"
  EXPECT_EQ(static_cast<size_t>(main.across), pages.size()) << "one row down";
  const int second = margin + main.lefts[1];
  const int rowTop = margin + main.band;
  EXPECT_GT(page.Ink(second + 2, margin + 2, second + main.widths[1] - 2, rowTop - 2), 10) << "the second title";
  EXPECT_GT(page.Ink(margin + 3, rowTop + 3, margin + main.rowNumbers - 3, rowTop + main.rowHeight - 2), 5)
      << "the row's number";
  EXPECT_GT(page.Ink(second + 9, rowTop + 3, second + main.widths[1] - 9, rowTop + main.rowHeight - 2), 5)
      << "the row's value in dark ink";
  int highlighted = 0;
  const uint32_t blue = GetSysColor(COLOR_HIGHLIGHT);
  const uint32_t dib = ((blue & 0xFF) << 16) | (blue & 0xFF00) | ((blue >> 16) & 0xFF);
  for (int py = rowTop; py < rowTop + main.rowHeight; ++py)
    for (int px = margin; px < page.Width() - margin; ++px) highlighted += page.At(px, py) == dib;
  EXPECT_EQ(0, highlighted) << "no selection colour on the printed row";
  DestroyWindow(lumo_preview::Window(before));
}

TEST_F(HostFrameOutputs, CtrlCCopiesTheTableTextAndCtrlPPrintsThroughTheFramesKeys) {
  AnalyseEcg();
  HWND const frame = OpenView(ZRTableViewEx::ViewMessageId());
  TVF_TableView* const table = TableIn(frame);
  ASSERT_NE(nullptr, table);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  SetForegroundWindow(frame);
  SetFocus(table->MainGrid().GetHandle());
  const auto press = [](WORD key) {
    INPUT keys[4]{};
    for (INPUT& input : keys) input.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = keys[2].ki.wVk = key;
    keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    const SHORT toggled = GetKeyState(key) & 1;
    SendInput(4, keys, sizeof(INPUT));
    EXPECT_TRUE(testsupport::PumpUntil([] { ondara_host::PumpUntilIdle(); },
                                       [&] { return testsupport::KeysArrived(key, toggled, VK_CONTROL); }))
        << "Ctrl+" << static_cast<char>(key) << " reached the table";
  };
  press('C');
  std::string copied;
  ASSERT_TRUE(OpenClipboard(nullptr));
  if (HANDLE const text = GetClipboardData(CF_UNICODETEXT)) {
    const std::wstring units = static_cast<const wchar_t*>(GlobalLock(text));
    GlobalUnlock(text);
    copied.assign(units.begin(), units.end());  // the table's texts are ASCII
  }
  CloseClipboard();
  const std::vector<std::string> exported = Lines(ExportedTable());
  ASSERT_EQ(1u + 760 + 1 + 5, exported.size());
  EXPECT_EQ(exported, Lines(copied)) << "the copy holds the text export's rows";

  const uint32_t jobs = lumo_observe::PrintJobs().jobs;
  press('P');
  EXPECT_EQ(jobs + 2, lumo_observe::PrintJobs().jobs) << "Ctrl+P prints both grids";
  EXPECT_EQ(1u, lumo_observe::PrintJobs().flags);
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(frame, L"File|&Print..."));
  EXPECT_EQ(jobs + 4, lumo_observe::PrintJobs().jobs) << "so does the menu's Print...";
  // While the host cannot print, the view disables printing: the menu grays it and the key does nothing.
  site->SetCanPrint(false);
  press('P');
  EXPECT_EQ(S_FALSE, host::HostClientFrame::ChooseMenuCommand(frame, L"File|Print Preview"));
  EXPECT_EQ(jobs + 4, lumo_observe::PrintJobs().jobs);
  EXPECT_TRUE(GetMenuState(GetSubMenu(GetMenu(frame), 0), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(0u, GetMenuState(GetSubMenu(GetMenu(frame), 1), 0, MF_BYPOSITION) & MF_GRAYED) << "Copy";
  site->SetCanPrint(true);
  EXPECT_EQ(E_INVALIDARG, host::HostClientFrame::ChooseMenuCommand(frame, L"File|Export"));
  EXPECT_EQ(E_INVALIDARG, host::HostClientFrame::ChooseMenuCommand(frame, L"Edit")) << "a menu, not a command";
}

TEST_F(HostFrameOutputs, AnalyzeOutputsWriteTheDataPadAndTheAnalysisViewsPicture) {
  AnalyseEcg();
  HWND const tableFrame = OpenView(ZRTableViewEx::ViewMessageId());
  const std::wstring padFile = TempPath(L"-pad.txt");
  ASSERT_EQ(L"", ondara_host::WriteDataPad(tableFrame, padFile));
  std::vector<std::string> pad = Lines(FileBytes(padFile));
  DeleteFileW(padFile.c_str());
  for (std::string& row : pad) row.erase(0, row.find('\t') == std::string::npos ? row.size() : row.find('\t') + 1);
  const std::vector<std::string> exported = Lines(ExportedTable());
  ASSERT_GE(pad.size(), exported.size());
  EXPECT_EQ(exported, std::vector<std::string>(pad.end() - static_cast<ptrdiff_t>(exported.size()), pad.end()))
      << "the Data Pad's last rows are the table's, headings and row numbers with them";

  HWND const analysisFrame = OpenView(AnalysisView::ViewMessageId());
  const std::wstring picture = TempPath(L"-copy.png");
  ASSERT_EQ(L"", ondara_host::WriteCopy(analysisFrame, picture));
  const std::string png = FileBytes(picture);
  DeleteFileW(picture.c_str());
  EXPECT_EQ(std::string("\x89PNG\r\n\x1A\n", 8), png.substr(0, 8)) << "the view's picture";
  EXPECT_GT(png.size(), 1000u);
  ASSERT_TRUE(OpenClipboard(nullptr));
  const std::vector<std::wstring> labels =
      TextsOf(WrittenTextsOf(static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE))));
  CloseClipboard();
  EXPECT_NE(labels.end(), std::find(labels.begin(), labels.end(), L"0.5")) << "the value axis counts in mV";
  for (const std::wstring& label : labels) EXPECT_NE(0u, label.find(L"0.000")) << "a label in volts";
  EXPECT_NE(std::wstring::npos, ondara_host::WriteDataPad(analysisFrame, padFile).find(L"Add to Data Pad"));

  const uint32_t before = lumo_preview::Count();
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(analysisFrame, L"File|Print Preview"));
  ASSERT_EQ(before + 1, lumo_preview::Count());
  const std::vector<HBITMAP> pages = lumo_preview::Pages(before);
  ASSERT_EQ(1u, pages.size()) << "the view prints on one page";
  const Page page(pages[0]);
  const int margin = SheetMargin();
  EXPECT_EQ(0, page.Ink(0, 0, margin, page.Height())) << "nothing left of the printable area";
  EXPECT_GT(page.Ink(margin, margin, page.Width() - margin, page.Height() - margin), 1000) << "the plot";
  DestroyWindow(lumo_preview::Window(before));
}

// On any screen the Table View sizes its rows by its font, so that no value is cut and no row
// label runs into the next; its columns are as wide on paper and screen alike, so that every
// value shows whole; the summary shows its four rows whole; the buttons write in a font and
// size scaled like the dialogs'. This test runs on screens of 96, 144 and 192 dpi.
TEST_F(HostFrameOutputs, TableViewFitsRowsColumnsSummaryAndButtonsToTheScreen) {
  AnalyseEcg();
  HWND const frame = OpenView(ZRTableViewEx::ViewMessageId());
  TVF_TableView* const table = TableIn(frame);
  ASSERT_NE(nullptr, table);
  const int dpi = QOR::ScreenDpi();
  if (const int asked = testsupport::AskedScreenDpi()) {
    ASSERT_EQ(asked, dpi) << "the screen the run asked for";
  }
  // The host's frame is 480 pixels high at 96 dpi scaled, so the view shows as many rows on
  // either screen, with the grid's scroll bars (the system's) and its snap button's face at
  // their full size.
  RECT framed{};
  GetWindowRect(frame, &framed);
  EXPECT_EQ(MulDiv(480, dpi, 96), framed.bottom - framed.top);
  TVF_Grid::GridPane& main = table->MainGrid().Pane();
  EXPECT_GE(main.GetClientRect().Height() / main.RowHeight(), 15) << "rows shown above the summary";
  HWND const bar = FindWindowExW(table->MainGrid().GetHandle(), nullptr, L"ScrollBar", nullptr);
  RECT barRect{};
  GetClientRect(bar, &barRect);
  EXPECT_GE(barRect.bottom, 3 * GetSystemMetrics(SM_CYVSCROLL)) << "both arrows whole, room for the thumb";
  auto* const snap = dynamic_cast<TVF_Grid::SnapGadgetWindowBase*>(table->MainGrid().SnapBar());
  ASSERT_NE(nullptr, snap);
  EXPECT_EQ(MulDiv(16, dpi, 96), snap->Button()->GetFaceSize().cy);
  const std::set<std::wstring> exported = ExportedCells();
  for (TVF_Grid::EventGridControl* grid : {&table->MainGrid(), &table->SummaryGrid()}) {
    TVF_Grid::GridPane& pane = grid->Pane();
    HDC const dc = CreateCompatibleDC(nullptr);
    const int32_t font = FontHeight(dc, grid->CellFont());
    DeleteDC(dc);
    EXPECT_GE(pane.RowHeight(), font) << "rows as high as the cell font";
    EXPECT_GE(pane.RowHeight(), MulDiv(16, dpi, 96));
    // The view's default of 60 is stored (less its margin of 10) in pixels at 96 dpi.
    EXPECT_EQ(MulDiv(50, dpi, 96), pane.Column(0).Width);
    const OWL::TRect shown = pane.GetClientRect();
    if (grid == &table->SummaryGrid()) {
      EXPECT_EQ(4, pane.RowCount());
      EXPECT_GE(shown.Height(), pane.RowCount() * pane.RowHeight()) << "Avg, Min, Max and Count whole";
    }
    const std::vector<std::wstring> texts = DrawnTexts([&](HDC hdc) { pane.PaintCells(hdc, shown); });
    EXPECT_GE(texts.size(), 10u);
    for (const std::wstring& text : texts) EXPECT_TRUE(ShownAsAtNinetySixDpi(text, exported)) << Narrow(text);
  }
  int buttons = 0;
  ASSERT_NO_FATAL_FAILURE(ExpectButtonTextsWhole(GetParent(table->GetHandle()), dpi, buttons));
  EXPECT_EQ(3, buttons);
  // The print preview's window is 860 pixels high at 96 dpi scaled, within the work area.
  const uint32_t before = lumo_preview::Count();
  HWND const analysis = OpenView(AnalysisView::ViewMessageId());
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(analysis, L"File|Print Preview"));
  RECT work{}, preview{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(lumo_preview::Window(before), &preview);
  EXPECT_EQ(std::min<LONG>(MulDiv(860, dpi, 96), work.bottom - work.top - 20), preview.bottom - preview.top);
  DestroyWindow(lumo_preview::Window(before));
}

// The shown page's height in a preview window: the sheet as large as the client area holds with
// a 16-pixel gap around it, its proportions kept.
int ShownPageHeight(HWND window, HBITMAP sheet) {
  BITMAP bitmap{};
  GetObjectW(sheet, sizeof bitmap, &bitmap);
  RECT client{};
  GetClientRect(window, &client);
  const int roomX = std::max(1, static_cast<int>(client.right) - 32);
  const int roomY = std::max(1, static_cast<int>(client.bottom) - 32);
  return std::min(roomY, MulDiv(bitmap.bmHeight, roomX, std::max(1, static_cast<int>(bitmap.bmWidth))));
}

// A left click at a screen point as the system delivers it: to the window under the point, which
// it activates; answers the window active after it. Wine without a window manager (as on the test
// display) leaves raising the active window to the manager, so the click raises it as the manager
// and Windows do.
HWND ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT clicks[2]{};
  for (INPUT& input : clicks) input.type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  ondara_host::PumpUntilIdle();
  HWND const active = GetActiveWindow();
  if (active) SetWindowPos(active, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ondara_host::PumpUntilIdle();
  return active;
}

// The Table View's preview opens a window for its event rows and then one for its summary: both
// wholly on the screen, each keeping a strip the other does not cover, whichever the user clicked
// last, where a click brings it back to the front; the earlier one's title bar and close box stay
// in view; each title says which rows it holds and counts its own pages; the summary's page opens
// about as large as the rows' (which is as large as the screen allows), not shrunk to a corner.
// This test runs on screens of 96, 144 and 192 dpi, and at 192 dpi on a screen of 1366 x 768.
TEST_F(HostFrameOutputs, TablePreviewWindowsBothShowAndSayWhichRowsTheyHold) {
  AnalyseEcg();
  HWND const frame = OpenView(ZRTableViewEx::ViewMessageId());
  const uint32_t before = lumo_preview::Count();
  ASSERT_EQ(S_OK, host::HostClientFrame::ChooseMenuCommand(frame, L"File|Print Preview"));
  ASSERT_EQ(before + 2, lumo_preview::Count());
  HWND const events = lumo_preview::Window(before);
  HWND const summary = lumo_preview::Window(before + 1);
  const auto title = [](HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return std::wstring(text);
  };
  const auto pages = [](uint32_t preview) { return std::to_wstring(lumo_preview::Pages(preview).size()); };
  EXPECT_NE(std::wstring::npos, title(events).find(L"Ondara Table View (event rows) - page 1 of " + pages(before)))
      << Narrow(title(events));
  EXPECT_NE(std::wstring::npos,
            title(summary).find(L"Ondara Table View (summary rows) - page 1 of " + pages(before + 1)))
      << Narrow(title(summary));
  EXPECT_NE(pages(before), pages(before + 1));
  RECT work{}, earlier{}, later{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(events, &earlier);
  GetWindowRect(summary, &later);
  const std::string where = std::to_string(work.right - work.left) + "x" + std::to_string(work.bottom - work.top) +
                            " at " + std::to_string(QOR::ScreenDpi()) + " dpi";
  for (const RECT& r : {earlier, later}) {
    EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom)
        << r.left << "," << r.top << " to " << r.right << "," << r.bottom << " on the work area, " << where;
  }
  // Strips a quarter of each window's width that the other does not cover, whichever is in front.
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int border = GetSystemMetrics(SM_CYSIZEFRAME);
  // The summary's goes to the right of the rows', or back at the corner, left of it, when an
  // earlier preview left the rows' far to the right.
  const bool summaryRight = later.left >= earlier.left;
  const RECT& left = summaryRight ? earlier : later;
  const RECT& right = summaryRight ? later : earlier;
  EXPECT_GE(right.left - left.left, (left.right - left.left) / 4) << where;
  EXPECT_GE(right.right - left.right, (right.right - right.left) / 4) << where;
  const POINT leftStrip{(left.left + right.left) / 2, (left.top + left.bottom) / 2};
  const POINT rightStrip{(left.right + right.right) / 2, (right.top + right.bottom) / 2};
  const POINT eventsStrip = summaryRight ? leftStrip : rightStrip;
  const POINT summaryStrip = summaryRight ? rightStrip : leftStrip;
  const POINT both{(right.left + std::min(left.right, right.right)) / 2,
                   (std::max(left.top, right.top) + std::min(left.bottom, right.bottom)) / 2};
  // The earlier one's title and close box show beside the later one, in front as it opens.
  const int titleY = earlier.top + border + caption / 2;
  EXPECT_EQ(events, WindowFromPoint(POINT{earlier.left + border + caption, titleY})) << "its title, " << where;
  EXPECT_EQ(events, WindowFromPoint(POINT{earlier.right - border - caption / 2, titleY})) << "its close box, " << where;
  const auto name = [&](HWND window) {
    return std::string(window == events ? "the rows' window" : window == summary ? "the summary's" : "another");
  };
  for (HWND const clicked : {events, summary, events}) {
    const POINT at = clicked == events ? eventsStrip : summaryStrip;
    ASSERT_EQ(name(clicked), name(WindowFromPoint(at))) << where;
    EXPECT_EQ(name(clicked), name(ClickAt(at))) << "made active by the click, " << where;
    EXPECT_EQ(name(events), name(WindowFromPoint(eventsStrip))) << where;
    EXPECT_EQ(name(summary), name(WindowFromPoint(summaryStrip))) << where;
    if (right.left < left.right) {
      EXPECT_EQ(name(clicked), name(WindowFromPoint(both))) << "in front once clicked, " << where;
    }
  }
  // The summary's figures are as legible as the rows': its page nearly as tall as theirs, which
  // reaches the screen's bottom edge or is shown whole at the screen's full resolution.
  const int eventsPage = ShownPageHeight(events, lumo_preview::Pages(before).at(0));
  const int summaryPage = ShownPageHeight(summary, lumo_preview::Pages(before + 1).at(0));
  EXPECT_GE(10 * summaryPage, 9 * eventsPage) << eventsPage << " and " << summaryPage << " pixels, " << where;
  for (HWND window : {summary, events}) DestroyWindow(window);
}

// The printout is planned from the font's point size and the columns' widths alone: printed at
// 96, 120, 144, 192 and 600 dpi, on any screen, the ECG's table fills the same pages with the same
// cells. Each cell's text, measured in the font it is printed in, fits its column: whole, or where
// the printer's font rounds up (20 pixels at 144 dpi where the scale gives 19.5) with fewer figures.
TEST_F(HostFrameOutputs, EcgTablePrintsTheSamePagesAtEveryResolution) {
  AnalyseEcg();
  TVF_TableView* const table = TableIn(OpenView(ZRTableViewEx::ViewMessageId()));
  ASSERT_NE(nullptr, table);
  const std::set<std::wstring> exported = ExportedCells();
  const int32_t resolutions[] = {96, 120, 144, 192, 600};
  std::vector<std::vector<WrittenText>> printed[5];
  for (int k = 0; k < 5; ++k) {
    const TVF_Grid::PrintResolution dpi{resolutions[k], resolutions[k]};
    TVF_Grid::EventGridControl& grid = table->MainGrid();
    ComPtr<ILumoPrintoutEx> made =
        TVF_Grid::GridPrintout::Create(grid, QOR::String(L"ECG"), 8, grid.DataManager(), true, true);
    auto& printout = static_cast<TVF_Grid::GridPrintout&>(*made.Get());
    // An A4 sheet less half an inch all round.
    const OWL::TRect page(0, 0, MulDiv(2100 - 254, dpi.PrinterX, 254), MulDiv(2970 - 254, dpi.PrinterY, 254));
    int32_t pages = 0;
    DrawnTexts([&](HDC hdc) {
      OWL::TDC dc(hdc);
      pages = printout.Paginate(dc, page, dpi);
    });
    for (int32_t p = 0; p < pages; ++p)
      printed[k].push_back(DrawnClippedTexts([&](HDC hdc) {
        OWL::TDC dc(hdc);
        printout.PrintPage(p, dc, page, dpi);
      }));
  }
  EXPECT_EQ(34u, printed[0].size()) << "17 pages down, 2 across, on every screen";
  for (int k = 0; k < 5; ++k) {
    ASSERT_EQ(printed[0].size(), printed[k].size()) << resolutions[k] << " dpi";
    for (size_t p = 0; p < printed[0].size(); ++p) {
      ASSERT_EQ(printed[0][p].size(), printed[k][p].size()) << "page " << p + 1 << " at " << resolutions[k] << " dpi";
      for (size_t c = 0; c < printed[k][p].size(); ++c) {
        const WrittenText& cell = printed[k][p][c];
        const std::wstring where = L"page " + std::to_wstring(p + 1) + L" at " + std::to_wstring(resolutions[k]) +
                                   L" dpi: " + cell.text;
        EXPECT_LE(WrittenTextWidth(cell), cell.clip.right - cell.clip.left) << where;
        EXPECT_TRUE(ShownAsAtNinetySixDpi(cell.text, exported)) << where;
        EXPECT_TRUE(SameOrFewerFigures(cell.text, printed[0][p][c].text)) << where;
      }
    }
  }
}

}  // namespace
