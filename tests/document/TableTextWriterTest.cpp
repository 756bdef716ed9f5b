// The Table View's text file over a table of known cells: exact bytes with the summary and for no
// events, the progress texts and percentages, a cancel that deletes the file, no progress at all,
// characters above 255, and files that cannot be made.
#include "document/TableTextWriter.h"

#include "base/String.h"
#include "grid/TableDataContract.h"
#include "hostapi/HostProgress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::wstring>>;

// Interfaces without counting, as a test's stack objects.
template <class I>
struct Uncounted : I {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

// A table given cell by cell; a summary cell beyond its row answers S_FALSE as a column without
// a summary entry does.
class FakeTable final : public Uncounted<ITableDataManager>, public Uncounted<ITableStoredRowInfo> {
 public:
  FakeTable(Rows events, Rows summary) : mEvents(std::move(events)), mSummary(std::move(summary)) {}
  HRESULT STDMETHODCALLTYPE GetCellText(uint32_t sections, int32_t row, int32_t column,
                                        QOR::IQORString** text) override {
    const Rows& rows = (sections & kTableSummarySection) ? mSummary : mEvents;
    *text = nullptr;
    if (static_cast<size_t>(column) >= rows.at(static_cast<size_t>(row)).size()) return S_FALSE;
    *text = QOR::String(rows[static_cast<size_t>(row)][static_cast<size_t>(column)].c_str()).AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCellStyle(uint32_t, int32_t, int32_t, uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetColumnCount(uint32_t, uint32_t* count) override {
    *count = static_cast<uint32_t>(mEvents.at(0).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceName(uint32_t, QOR::IQORString**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetViewName(uint32_t, QOR::IQORString**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowCount(uint32_t sections, int32_t* count) override {
    *count = static_cast<int32_t>(((sections & kTableSummarySection) ? mSummary : mEvents).size());
    return S_OK;
  }

 private:
  Rows mEvents;
  Rows mSummary;
};

class FakeProgress final : public Uncounted<IHostProgress> {
 public:
  HRESULT STDMETHODCALLTYPE Start(int32_t, QOR::IQORString*, QOR::IQORString*, QOR::IQORString*, int32_t) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString* text) override {
    texts.push_back(text->GetText());
    return S_OK;
  }
  int32_t STDMETHODCALLTYPE SetPercent(int32_t percent) override {
    percents.push_back(percent);
    return cancelAt >= 0 && percent >= cancelAt;
  }
  std::vector<std::wstring> texts;
  std::vector<int32_t> percents;
  int32_t cancelAt = -1;
};

const Rows kEvents = {{L"", L"Amp (mV)", L"Time"}, {L"1", L"0.5000", L" "}, {L"2", L"1.235e4", L"x"}, {L"3", L"7", L"y"}};
const Rows kSummary = {{L"", L"Amp (mV)", L"Time"}, {L"Avg", L"2.000"}, {L"Min", L"0.5000"}, {L"Max", L"1.235e4"},
                       {L"Count", L"3", L"3"}};

std::string FileBytes(const std::wstring& name) {
  std::ifstream in(name.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class TableTextWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    mName = std::wstring(folder) + L"ondara-table-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  }
  void TearDown() override { DeleteFileW(mName.c_str()); }
  HRESULT Write(FakeTable& table, bool summary, IHostProgress* progress) {
    return ZR::WriteTableText(table, table, summary, mName.c_str(), progress);
  }
  std::wstring mName;
};

TEST_F(TableTextWriterTest, ThreeEventsWithTheSummaryGiveTheExactLines) {
  FakeTable table(kEvents, kSummary);
  FakeProgress progress;
  ASSERT_EQ(S_OK, Write(table, true, &progress));
  EXPECT_EQ("\tAmp (mV)\tTime\r\n1\t0.5000\t \r\n2\t1.235e4\tx\r\n3\t7\ty\r\n\r\n"
            "\tAmp (mV)\tTime\r\nAvg\t2.000\t\r\nMin\t0.5000\t\r\nMax\t1.235e4\t\r\nCount\t3\t3\r\n",
            FileBytes(mName));
  EXPECT_EQ((std::vector<int32_t>{11, 22, 33, 44, 55, 66, 77, 88, 100}), progress.percents);
  EXPECT_EQ(L"11 %", progress.texts.front());
  EXPECT_EQ(L"100 %", progress.texts.back());
  EXPECT_EQ(9u, progress.texts.size());
  FakeTable empty({{L"", L"Amp"}}, {{L"", L"Amp"}});
  ASSERT_EQ(S_OK, Write(empty, true, nullptr));
  EXPECT_EQ("\tAmp\r\n\r\n\tAmp\r\n", FileBytes(mName)) << "no events: the headings only";
}

// Each loop shows its own percentages; a second export starts afresh.
TEST_F(TableTextWriterTest, EveryExportShowsItsPercentTextsAfresh) {
  FakeTable table({{L""}, {L"1"}, {L"2"}, {L"3"}, {L"4"}, {L"5"}, {L"6"}}, {{L""}});
  for (int run = 0; run < 2; ++run) {
    FakeProgress progress;
    ASSERT_EQ(S_OK, Write(table, false, &progress));
    EXPECT_EQ((std::vector<std::wstring>{L"14 %", L"28 %", L"42 %", L"57 %", L"71 %", L"85 %", L"100 %"}),
              progress.texts) << "run " << run;
  }
}

TEST_F(TableTextWriterTest, CancelDeletesTheFile) {
  FakeTable table(kEvents, kSummary);
  FakeProgress progress;
  progress.cancelAt = 40;
  EXPECT_EQ(S_FALSE, Write(table, true, &progress));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(mName.c_str()));
  EXPECT_EQ((std::vector<int32_t>{11, 22, 33, 44}), progress.percents);
}

// A heading the byte form cannot hold makes the whole file UTF-16; elsewhere such a character
// becomes '?' and must not end the file.
TEST_F(TableTextWriterTest, CharactersAbove255InTheHeadingMakeTheFileUtf16) {
  FakeTable table({{L"", L"\u00B5V", L"\u03A9"}, {L"1", L"2", L"3"}}, {{L"", L"\u00B5V", L"\u03A9"}});
  ASSERT_EQ(S_OK, Write(table, true, nullptr));
  const std::wstring text = L"\t\u00B5V\t\u03A9\r\n1\t2\t3\r\n\r\n\t\u00B5V\t\u03A9\r\n";
  EXPECT_EQ("\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2), FileBytes(mName));
  FakeTable later({{L"", L"\u00B5V"}, {L"1", L"\u2030"}}, {{L""}});
  ASSERT_EQ(S_OK, Write(later, false, nullptr));
  EXPECT_EQ("\t\xB5V\r\n1\t?\r\n", FileBytes(mName));
}

TEST_F(TableTextWriterTest, AFileThatCannotBeMadeAnswersTheSystemError) {
  FakeTable table(kEvents, kSummary);
  mName = L"C:\\no such folder\\ondara.txt";
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), Write(table, false, nullptr));
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  mName = folder;
  EXPECT_TRUE(FAILED(Write(table, false, nullptr))) << "a folder";
}

}  // namespace
