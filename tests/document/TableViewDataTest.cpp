// The Table View's data over a document that analysed the cardiac signal: the grid's questions
// (rows, columns, texts, styles), the summary with cells that have no value, the formats,
// and the export of the document's table with its progress, cancel and failures.
#include "document/TableViewData.h"

#include "host/app/HostProgress.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using doctest::gBoxes;
using host::HostPtr;
using ZR::TableViewData;

class TableViewDataTest : public doctest::ZRDocTest {
 protected:
  // One record of ticks analysed (four beats per 5000 ticks); the document's table.
  TableViewData& Analysed(int32_t ticks = 5000) {
    Open(1, ticks);
    EXPECT_EQ(S_OK, SendAnalyze());
    TableViewData* table = mDoc->GetTableViewData();
    EXPECT_NE(nullptr, table);
    EXPECT_EQ(table, mDoc->GetTableViewData()) << "made once";
    return *table;
  }
  static std::wstring Cell(TableViewData& table, uint32_t sections, int32_t row, int32_t column) {
    HostPtr<QOR::IQORString> text;
    const HRESULT hr = table.GetCellText(sections, row, column, text.Out());
    if (hr != S_OK) return L"<" + std::to_wstring(hr) + L">";
    return text->GetText();
  }
  std::wstring FileName(const wchar_t* extension) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    mFiles.push_back(std::wstring(folder) + L"ondara-tvd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(mFiles.size()) + extension);
    return mFiles.back();
  }
  static std::vector<std::string> Lines(const std::wstring& name) {
    std::ifstream in(name.c_str(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line, '\n');) lines.push_back(line);
    return lines;
  }
  static bool Exists(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }
  void TearDown() override {
    for (const std::wstring& name : mFiles) DeleteFileW(name.c_str());
    doctest::ZRDocTest::TearDown();
  }
  std::vector<std::wstring> mFiles;
};

constexpr uint32_t kEvents = 0;
constexpr uint32_t kSummary = 0x10;

TEST_F(TableViewDataTest, GridQuestionsAreAnsweredFromTheEvents) {
  TableViewData& table = Analysed();
  uint32_t columns = 0;
  ASSERT_EQ(S_OK, table.GetColumnCount(0, &columns));
  ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
  EXPECT_EQ(static_cast<uint32_t>(detector.ColumnCount()) + 1, columns);
  int32_t rows = 0;
  EXPECT_EQ(S_OK, table.GetRowCount(kEvents, &rows));
  EXPECT_EQ(5, rows);
  EXPECT_EQ(S_OK, table.GetRowCount(kSummary, &rows));
  EXPECT_EQ(5, rows);

  EXPECT_EQ(L"", Cell(table, kEvents, 0, 0));
  EXPECT_EQ(L"RMP (mV)", Cell(table, kEvents, 0, 1));
  EXPECT_EQ(L"RMP (mV)", Cell(table, kSummary, 0, 1));
  EXPECT_EQ(L"4", Cell(table, kEvents, 4, 0));
  QOR::String unused;
  double value = 0.0;
  detector.GetCellText(2, 0, unused, &value);
  EXPECT_EQ(std::wstring(ZR::CellFormat{4, 2}.Format(value).GetText()), Cell(table, kEvents, 3, 1));
  // The number behind the text, for a cell too narrow for it to round from; none behind a heading
  // or a row number.
  HostPtr<ITableCellValue> values;
  ASSERT_EQ(S_OK, table.QueryInterface(IID_ITableCellValue, reinterpret_cast<void**>(values.Out())));
  double shown = 0.0;
  EXPECT_EQ(S_OK, values->GetCellValue(kEvents, 3, 1, &shown));
  EXPECT_EQ(value, shown);
  for (const auto& [row, column] : {std::pair<int32_t, int32_t>{0, 1}, {3, 0}}) {
    EXPECT_EQ(S_FALSE, values->GetCellValue(kEvents, row, column, &shown)) << row << "," << column;
    EXPECT_TRUE(std::isnan(shown));
  }
  EXPECT_EQ(L"<" + std::to_wstring(E_INVALIDARG) + L">", Cell(table, kEvents, 5, 0)) << "past the events";
  EXPECT_EQ(L"<" + std::to_wstring(E_INVALIDARG) + L">", Cell(table, kEvents, 1, static_cast<int32_t>(columns)));
  EXPECT_EQ(L"<1>", Cell(table, kSummary, 1, 1)) << "no summary computed yet";

  uint32_t style = 99;
  const struct { int32_t row, column; uint32_t style; } styles[] = {{0, 0, 48}, {0, 2, 16}, {3, 0, 32}, {3, 2, 0}};
  for (const auto& s : styles) {
    EXPECT_EQ(S_OK, table.GetCellStyle(kEvents, s.row, s.column, &style));
    EXPECT_EQ(s.style, style) << s.row << "," << s.column;
  }
}

// The first beat has no period: the summary leaves it out of every figure.
TEST_F(TableViewDataTest, SummarySkipsCellsWithoutAValue) {
  TableViewData& table = Analysed();
  Set(32, L"t");
  table.ComputeSummary();
  ZR::Doc::CycleDetector& detector = *mDoc->GetCycleDetector();
  int32_t period = -1;
  for (int32_t c = 0; c < detector.ColumnCount(); ++c)
    if (detector.GetColumnParamId(c) == 32) period = c;
  ASSERT_GE(period, 0);
  double sum = 0.0, low = 1e300, high = -1e300;
  QOR::String unused;
  for (int32_t e = 0; e < 4; ++e) {
    double value = 0.0;
    detector.GetCellText(e, period, unused, &value);
    EXPECT_EQ(e == 0, !std::isfinite(value)) << "event " << e;
    if (e == 0) continue;
    sum += value;
    low = std::min(low, value);
    high = std::max(high, value);
  }
  const ZR::SummaryEntry& entry = table.Summary().at(static_cast<size_t>(period));
  EXPECT_EQ(3, entry.count);
  EXPECT_DOUBLE_EQ(sum / 3, entry.average);
  EXPECT_EQ(low, entry.minimum);
  EXPECT_EQ(high, entry.maximum);
  EXPECT_EQ(L" ", Cell(table, kEvents, 1, period + 1));
  EXPECT_EQ(L"Count", Cell(table, kSummary, 4, 0));
  EXPECT_EQ(L"3", Cell(table, kSummary, 4, period + 1));
  double shown = 0.0;
  EXPECT_EQ(S_OK, table.GetCellValue(kSummary, 2, period + 1, &shown));
  EXPECT_EQ(low, shown) << "Min";
  EXPECT_EQ(S_FALSE, table.GetCellValue(kSummary, 4, period + 1, &shown)) << "a count";
  EXPECT_EQ(S_FALSE, table.GetCellValue(kEvents, 1, period + 1, &shown)) << "no value";
}

TEST_F(TableViewDataTest, AColumnWithoutValuesShowsNoFiguresAndACountOfZero) {
  TableViewData& table = Analysed(1500);  // one beat: no period
  Set(32, L"t");
  table.ComputeSummary();
  int32_t rows = 0;
  table.GetRowCount(kSummary, &rows);
  ASSERT_EQ(5, rows);
  const int32_t last = mDoc->GetCycleDetector()->ColumnCount();
  for (int32_t row = 1; row <= 3; ++row) EXPECT_EQ(L" ", Cell(table, kSummary, row, last)) << row;
  EXPECT_EQ(L"0", Cell(table, kSummary, 4, last));
}

TEST_F(TableViewDataTest, FiguresForAllColumnsReachEveryStoredFormatOnly) {
  TableViewData& table = Analysed();
  table.GetCellFormat(2);
  table.GetCellFormat(5).significantFigures = 3;
  table.SetAllSignificantFigures(6);
  EXPECT_EQ(6, table.GetCellFormat(2).significantFigures);
  EXPECT_EQ(6, table.GetCellFormat(5).significantFigures);
  EXPECT_EQ(4, table.GetCellFormat(40).significantFigures) << "made afterwards";
  EXPECT_EQ(40, table.GetCellFormat(40).measurementIndex);
  table.SetAllSignificantFigures(0);
  EXPECT_EQ(1, table.GetCellFormat(2).significantFigures);
}

TEST_F(TableViewDataTest, ExportWritesRowsAndAFreshSummaryUnderItsProgress) {
  Analysed();
  Set(32, L"t");
  const std::wstring name = FileName(L".txt");
  ASSERT_EQ(S_OK, mDoc->ExportTable(QOR::String(name.c_str())));
  const std::vector<std::string> lines = Lines(name);
  ASSERT_EQ(11u, lines.size()) << "heading, 4 events, empty line, heading, 4 summary lines";
  EXPECT_EQ("\r", lines[5]);
  EXPECT_EQ(lines[0], lines[6]);
  EXPECT_EQ(0u, lines[7].find("Avg\t"));
  EXPECT_NE(std::string::npos, lines[10].find("\t3\r")) << "the period's count, computed for the export";
  EXPECT_EQ(L"Exporting Table View", host::Progress().titles.back());
  EXPECT_EQ(L"100 %", host::Progress().texts.back());

  Set(2002, L"f");
  ASSERT_EQ(S_OK, mDoc->ExportTable(QOR::String(name.c_str())));
  EXPECT_EQ(5u, Lines(name).size()) << "summary rows off";
}

// A name is compared after its last point, letter case counting: only "csv" goes to the grid,
// whose manager has no view here and so refuses.
TEST_F(TableViewDataTest, OnlyTheExtensionCsvGoesToTheGrid) {
  Analysed();
  for (const wchar_t* extension : {L".CSV", L".csv.txt", L"csv"}) {
    const std::wstring name = FileName(extension);
    EXPECT_EQ(S_OK, mDoc->ExportTable(QOR::String(name.c_str()))) << extension;
    EXPECT_TRUE(Exists(name)) << extension;
  }
  const std::wstring csv = FileName(L".csv");
  EXPECT_EQ(E_FAIL, mDoc->ExportTable(QOR::String(csv.c_str())));
  EXPECT_FALSE(Exists(csv));
}

// A cancel leaves no file, or the one there before as it was.
TEST_F(TableViewDataTest, CancelKeepsWhatWasThereAndWithoutProgressTheWholeFileIsWritten) {
  Analysed();
  const std::wstring name = FileName(L".txt");
  host::Progress().cancelAtPercent = 50;
  EXPECT_EQ(S_FALSE, mDoc->ExportTable(QOR::String(name.c_str())));
  EXPECT_FALSE(Exists(name));
  std::ofstream(name.c_str(), std::ios::binary) << "kept\n";
  EXPECT_EQ(S_FALSE, mDoc->ExportTable(QOR::String(name.c_str())));
  EXPECT_EQ(std::vector<std::string>{"kept"}, Lines(name));
  host::Progress() = host::ProgressLog{};
  host::Progress().unavailable = true;
  EXPECT_EQ(S_OK, mDoc->ExportTable(QOR::String(name.c_str())));
  EXPECT_EQ(11u, Lines(name).size());
  EXPECT_TRUE(gBoxes.empty());
}

TEST_F(TableViewDataTest, AFileThatCannotBeWrittenIsReportedAndAnswered) {
  Analysed();
  const std::wstring name = L"C:\\no such folder\\table.txt";
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), mDoc->ExportTable(QOR::String(name.c_str())));
  ASSERT_EQ(1u, gBoxes.size());
  EXPECT_EQ(0u, gBoxes[0].text.find(L"The Table View could not be written to " + name + L".")) << gBoxes[0].text;
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), gBoxes[0].type);
}

}  // namespace
