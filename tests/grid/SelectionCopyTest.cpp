// The renderer's copies of a section: separated text and rows in the host's Data Pad, with the
// host's progress display.
#include "grid/TVF_Renderer.h"

#include "host/data/DataPad.h"
#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"
#include "host/common/HostObject.h"
#include "host/common/ReservedSlots.h"
#include "tests/grid/GridTestClient.h"

#include <sstream>

using host::DataPad;

class SelectionCopyTest : public GridFixture {
 protected:
  TVF_Renderer* renderer = nullptr;
  host::HostPtr<DataPad> pad = DataPad::Create();

  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override { host::Progress() = host::ProgressLog{}; }
  // rows data rows of three columns: cell (r, k) reads "r.k"; titles "T1".."T3".
  void MakeTable(int32_t rows) {
    MakeGrid(rows, 3);
    for (int32_t k = 1; k <= 3; ++k) {
      client.Texts[{0, k}] = L"T" + std::to_wstring(k);
      client.Styles[{0, k}] = kCellStyleTitle;
      for (int32_t r = 1; r <= rows; ++r) client.Texts[{r, k}] = std::to_wstring(r) + L"." + std::to_wstring(k);
    }
    renderer = new TVF_Renderer(*grid);
    renderer->SetSources(nullptr, &client, &client, 8);
  }
  void TearDown() override {
    if (renderer) {
      EXPECT_EQ(0u, renderer->Release());
    }
    host::Progress() = host::ProgressLog{};
  }
  std::wstring Text(bool titles, const wchar_t* separator = L"\t") {
    std::wostringstream out;
    renderer->WriteSelectionText(out, false, titles, separator, -1, -1, -1, -1);
    return out.str();
  }
};

TEST_F(SelectionCopyTest, TextKeepsEmptyCellsAndResolvesChoices) {
  MakeTable(3);
  grid->ChoiceTexts[2] = QOR::String(L"Vm");
  client.Texts[{1, 2}] = L"";
  client.Texts[{2, 1}] = L"2";
  client.Texts[{2, 2}] = L"-1";
  client.Texts[{2, 3}] = L"x";
  for (int32_t k = 1; k <= 3; ++k) client.Styles[{2, k}] = kCellStyleChoice;
  client.Styles[{3, 3}] = kCellStylePlaceholder;
  client.Styles[{0, 2}] = 0;  // not a title cell: an empty title
  EXPECT_EQ(L"T1;;T3\r\n1.1;;1.3\r\nVm;;\r\n3.1;3.2;\r\n", Text(true, L";"));
  EXPECT_EQ(L"Copying", host::Progress().titles.at(0));
  client.Texts[{1, 1}] = L"a;\"b\"";
  std::wostringstream csv, tab;
  renderer->WriteSelectionText(csv, false, false, L";", 1, 1, 2, 1, true);
  renderer->WriteSelectionText(tab, false, false, L"\t", 1, 1, 2, 1);
  EXPECT_EQ(L"\"a;\"\"b\"\"\";;1.3\r\n", csv.str());
  EXPECT_EQ(L"a;\"b\"\t\t1.3\r\n", tab.str()) << "clipboard text is not quoted";
}

TEST_F(SelectionCopyTest, SelectionRowsAndColumnsAreCutToTheSection) {
  MakeTable(5);
  SelectBlock(2, 2, 3, 3);
  std::wostringstream out, withFixed;
  renderer->WriteSelectionText(out, false, false, L"\t", 3, 1, 9, 1);  // data rows 2 .. 8, cut to 5
  EXPECT_EQ(L"3.2\t3.3\r\n4.2\t4.3\r\n5.2\t5.3\r\n", out.str());
  renderer->WriteSelectionText(withFixed, true, false, L"\t", 3, 1, 4, 1);
  EXPECT_EQ(L"3.2\t3.3\r\n", withFixed.str()) << "the fixed column shifts the column range, not the data";
}

TEST_F(SelectionCopyTest, NoProgressDisplayStillCopiesEveryRow) {
  MakeTable(4);
  host::Progress().unavailable = true;
  EXPECT_EQ(L"1.1\t1.2\t1.3\r\n2.1\t2.2\t2.3\r\n3.1\t3.2\t3.3\r\n4.1\t4.2\t4.3\r\n", Text(false));
  EXPECT_EQ(S_OK, renderer->AddAllToDataPad(pad.Get(), false, false));
  EXPECT_EQ(L"4.3", pad->Cell(4, 2));
}

TEST_F(SelectionCopyTest, EveryCopyShowsItsPercentagesAfresh) {
  MakeTable(1);  // n = 2: the one data row shows 50 %
  Text(false);
  Text(false);
  EXPECT_EQ((std::vector<int32_t>{50, 50}), host::Progress().percents);
  EXPECT_EQ(L"50 %", host::Progress().texts.back());
}

TEST_F(SelectionCopyTest, DataPadRowsGoBelowTheUsedOnesAfterOneBlankRow) {
  MakeTable(2);
  client.Styles[{1, 1}] = kCellStylePlaceholder;  // still copied to the pad
  EXPECT_EQ(S_OK, renderer->AddAllToDataPad(pad.Get(), false, true));
  EXPECT_EQ(L"T1", pad->Cell(1, 0)) << "an empty pad starts at row 1";
  EXPECT_EQ(L"1.1", pad->Cell(2, 0));
  EXPECT_EQ(L"2.3", pad->Cell(3, 2));
  EXPECT_EQ(L"Adding to Data Pad", host::Progress().titles.at(0));
  for (int32_t r = 0; r < 5; ++r) pad->SetCell(0, 0, r, 25, QOR::String(L"z").GetInterface(), VARIANT_TRUE);
  EXPECT_EQ(S_OK, renderer->AddAllToDataPad(pad.Get(), false, false));
  std::wostringstream printed;
  pad->Print(printed);
  EXPECT_EQ(L"1.1", pad->Cell(6, 0)) << "rows 0-4 used, row 5 blank:\n" << printed.str();
  EXPECT_EQ(L"", pad->Cell(5, 0));
}

TEST_F(SelectionCopyTest, CancelKeepsTheRowsWritten) {
  MakeTable(10);  // n = 11: five rows show 45 %, the first at or above 40
  host::Progress().cancelAtPercent = 40;
  EXPECT_EQ(S_OK, renderer->AddAllToDataPad(pad.Get(), false, false));
  EXPECT_EQ(6, pad->UsedRows());
  EXPECT_EQ(L"5.1", pad->Cell(5, 0));
}

// A Data Pad whose every cell holds text: it has no free row left.
class FullDataPad final : public host::HostObject<IHostDataPad> {
 public:
  HOST_RESERVED_SLOT(3) HOST_RESERVED_SLOT(4) HOST_RESERVED_SLOT(5) HOST_RESERVED_SLOT(6)
  HOST_RESERVED_SLOT(7) HOST_RESERVED_SLOT(8) HOST_RESERVED_SLOT(9) HOST_RESERVED_SLOT(10)
  HOST_RESERVED_SLOT(11) HOST_RESERVED_SLOT(12) HOST_RESERVED_SLOT(13) HOST_RESERVED_SLOT(14)
  HOST_RESERVED_SLOT(15) HOST_RESERVED_SLOT(16) HOST_RESERVED_SLOT(17) HOST_RESERVED_SLOT(18)
  HOST_RESERVED_SLOT(19) HOST_RESERVED_SLOT(20) HOST_RESERVED_SLOT(21) HOST_RESERVED_SLOT(22)
  HOST_RESERVED_SLOT(23) HOST_RESERVED_SLOT(24) HOST_RESERVED_SLOT(25) HOST_RESERVED_SLOT(26)
  HOST_RESERVED_SLOT(27) HOST_RESERVED_SLOT(28) HOST_RESERVED_SLOT(29)
  HRESULT STDMETHODCALLTYPE GetCell(int32_t, int32_t, int32_t, int32_t, QOR::IQORString** text) noexcept override {
    *text = mText.AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetCell(int32_t, int32_t, int32_t row, int32_t, QOR::IQORString*,
                                    VARIANT_BOOL) noexcept override {
    rowsWritten.push_back(row);
    return S_OK;
  }
  std::vector<int32_t> rowsWritten;

 private:
  void* FindInterface(REFIID iid) override {
    return iid == IID_IUnknown || iid == IID_IHostDataPad ? static_cast<IHostDataPad*>(this) : nullptr;
  }
  QOR::String mText{L"x"};
};

TEST_F(SelectionCopyTest, FullDataPadAnswersSFalseWithoutWritingARow) {
  MakeTable(2);
  FullDataPad full;
  EXPECT_EQ(S_FALSE, renderer->AddAllToDataPad(&full, false, false));
  EXPECT_TRUE(full.rowsWritten.empty());
  EXPECT_EQ(S_FALSE, renderer->AddAllToDataPad(&full, false, true));
  EXPECT_EQ(std::vector<int32_t>(3, kDataPadRows), full.rowsWritten) << "only the titles, offered past the last row";
}

TEST(CheckCopyMemory, SizesTheCopyInSixtyFourBits) {
  EXPECT_EQ(S_OK, CheckCopyMemory(10, 4));
  // 214748365 x 20 bytes is 4 bytes past 4 GiB, more than a 32-bit process has: a 32-bit product
  // would ask for 4 bytes.
  if (sizeof(void*) == 4) {
    EXPECT_EQ(E_OUTOFMEMORY, CheckCopyMemory(214748365, 1));
  }
  // 45 PB, more than a 64-bit process has too; 2^51 x 20 in 32 bits is 0.
  EXPECT_EQ(E_OUTOFMEMORY, CheckCopyMemory(1 << 30, 1 << 21));
}
