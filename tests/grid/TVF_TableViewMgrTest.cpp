// The table-view manager: lifetime, window operations, the column map and widths, forwarding to
// the client with mapped columns, and the column state it saves and loads.
#include "grid/ITableViewManager.h"

#include "base/BinIStream.h"
#include "base/BinOStream.h"
#include "grid/ITableViewMgrInternal.h"
#include "hostclient/ComPtr.h"
#include "tests/grid/GridTestClient.h"
#include "tests/grid/TableViewMgrTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <sstream>

// While set, every nothrow allocation of the program fails (the tests run on one thread).
static bool gFailNothrowNew = false;

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (gFailNothrowNew) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace {

using Words = std::vector<int32_t>;
using Calls = std::vector<std::string>;

// A manager over a client of four columns (0,1,2,3) whose grid shows them.
class TableViewMgrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, CreateTableViewManager(mManager.Out()));
    mManager->QueryInterface(IID_ITableViewMgrInternal, reinterpret_cast<void**>(mInternal.Out()));
    mManager->QueryInterface(IID_ITableDataManager, reinterpret_cast<void**>(mData.Out()));
    mManager->QueryInterface(IID_ITableUserActionHandler, reinterpret_cast<void**>(mActions.Out()));
    ASSERT_TRUE(mInternal && mData && mActions);
  }
  HRESULT CreateView(IUnknown* hostObject = nullptr, bool withActions = true) {
    return mManager->CreateView(0x27A, GetDesktopWindow(), hostObject, nullptr, &mClient, &mClient,
                                withActions ? &mClient : nullptr, 0);
  }
  // The words of the column-state record the manager writes, after the stream's header word.
  Words Saved() {
    std::stringbuf buffer;
    {
      QOR::BinOStream out(&buffer, false);
      EXPECT_EQ(S_OK, mManager->SaveColumnState(0, &out));
    }
    const std::string bytes = buffer.str();
    Words words((bytes.size() - 4) / 4);
    std::memcpy(words.data(), bytes.data() + 4, words.size() * 4);
    return words;
  }
  HRESULT Load(const Words& words) {
    std::stringbuf buffer;
    {
      QOR::BinOStream out(&buffer, false);
      for (const int32_t word : words) out.WriteInt32(word);
    }
    QOR::BinIStream in(&buffer, false);
    return mManager->LoadColumnState(0, &in);
  }
  int32_t Width(int32_t position) {
    int32_t width = -1;
    mInternal->GetColumnWidth(0, position, &width);
    return width;
  }

  gridtest::FakeWindowFactory mWindows;
  gridtest::WindowLog& mLog = mWindows.log;
  GridTestClient mClient;
  ComPtr<ITableViewManager> mManager;
  ComPtr<ITableViewMgrInternal> mInternal;
  ComPtr<ITableDataManager> mData;
  ComPtr<ITableUserActionHandler> mActions;
};

TEST(TableViewMgr, OneObjectBehindEveryInterfaceMadeOrRefusedAsAWhole) {
  ITableViewManager* manager = nullptr;
  ASSERT_EQ(S_OK, CreateTableViewManager(&manager));
  IUnknown* primary = nullptr;
  ASSERT_EQ(S_OK, manager->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&primary)));
  EXPECT_EQ(static_cast<void*>(manager), static_cast<void*>(primary));
  for (const GUID* iid :
       {&IID_ITableViewMgrInternal, &IID_ITableUserActionHandler, &IID_ITableDataManager, &IID_ITableCellValue}) {
    IUnknown* part = nullptr;
    ASSERT_EQ(S_OK, manager->QueryInterface(*iid, reinterpret_cast<void**>(&part)));
    IUnknown* identity = nullptr;
    part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(primary, identity);
    identity->Release();
    part->Release();
  }
  void* other = &other;
  EXPECT_EQ(E_NOINTERFACE, manager->QueryInterface(IID_ITableStoredRowInfo, &other));
  EXPECT_EQ(nullptr, other);
  primary->Release();
  EXPECT_EQ(0u, manager->Release());
  EXPECT_EQ(E_POINTER, CreateTableViewManager(nullptr));
  gFailNothrowNew = true;
  const HRESULT hr = CreateTableViewManager(&manager);
  gFailNothrowNew = false;
  EXPECT_EQ(E_OUTOFMEMORY, hr);
  EXPECT_EQ(nullptr, manager);
}

TEST_F(TableViewMgrTest, WindowOperationsWithoutViewFail) {
  const std::function<HRESULT()> operations[] = {
      [&] { return mManager->SetViewLayout(0, 0, 0, 10, 10, 100, 0, 50); },
      [&] { return mManager->RefreshColumns(0); },
      [&] { return mManager->ScrollToCell(0, 1, 1); },
      [&] { return mManager->SelectRows(0, 1, 2); },
      [&] { return mManager->SelectCells(0, 1, 1, 2); },
      [&] { return mManager->UpdateLayout(0x27A); },
      [&] { return mManager->CopyToDataPad(0); },
      [&] { return mManager->ShowRow(0, 1); },
      [&] { return mManager->SetShowLatestRow(0, VARIANT_TRUE); },
      [&] { return mManager->ExportCsv(0, nullptr); },
  };
  for (size_t i = 0; i < std::size(operations); ++i) EXPECT_EQ(E_FAIL, operations[i]()) << "operation " << i;
  EXPECT_EQ(S_OK, mManager->DestroyView(0));
  EXPECT_EQ(E_NOTIMPL, mManager->Reserved15(0, 0, 0, 0));
  EXPECT_EQ((Words{2, 0, 1337}), Saved());
}

TEST_F(TableViewMgrTest, CreateViewMakesAWindowOnlyWithParentClientAndRows) {
  EXPECT_EQ(E_FAIL, mManager->CreateView(0, GetDesktopWindow(), nullptr, nullptr, &mClient, nullptr, &mClient, 0));
  EXPECT_EQ(E_FAIL, mManager->CreateView(0, nullptr, nullptr, nullptr, &mClient, &mClient, &mClient, 0));
  EXPECT_EQ(E_FAIL, mManager->CreateView(0, GetDesktopWindow(), nullptr, nullptr, nullptr, &mClient, &mClient, 0));
  EXPECT_EQ(0, mLog.made);
  const TableViewWindowFactory factory = SetTableViewWindowFactory(nullptr);
  EXPECT_EQ(E_FAIL, CreateView()) << "no window can be made";
  SetTableViewWindowFactory(factory);
  ASSERT_EQ(S_OK, CreateView());
  EXPECT_TRUE(mLog.calls.empty()) << "no host object: nothing to connect";
  mLog.connectResult = E_ABORT;
  EXPECT_EQ(E_ABORT, CreateView(static_cast<ITableDataManager*>(&mClient)));
  EXPECT_EQ((Calls{"destroyed", "connect 634"}), mLog.calls);
  EXPECT_EQ(static_cast<void*>(mData.Get()), mLog.connectedData) << "the grid reaches the client through the manager";
  EXPECT_EQ(static_cast<void*>(mActions.Get()), mLog.connectedActions);
  EXPECT_EQ((Words{2, 4, 0, 1, 2, 3, 100, 100, 100, 100, 1337}), Saved());
}

TEST_F(TableViewMgrTest, ColumnsMoveWithTheirWidths) {
  ASSERT_EQ(S_OK, CreateView());
  EXPECT_EQ(90, Width(1)) << "a rebuilt column shows 10 pixels under the default";
  ASSERT_EQ(S_OK, mInternal->SetColumnWidth(0, 0, 100));
  ASSERT_EQ(S_OK, mInternal->MoveColumn(0, 0, 2));
  EXPECT_EQ((Words{2, 4, 1, 2, 0, 3, 110, 100, 100, 100, 1337}), Saved());
  EXPECT_EQ(100, Width(2)) << "stored 110 shows as 100, at the column's new place";
  ASSERT_EQ(S_OK, mInternal->MoveColumn(0, 0, 99));  // past the end: appended
  const Words moved{2, 4, 2, 0, 3, 1, 110, 100, 100, 100, 1337};
  EXPECT_EQ(moved, Saved());
  EXPECT_EQ(E_INVALIDARG, mInternal->MoveColumn(0, 1, -1));
  EXPECT_EQ(E_INVALIDARG, mInternal->MoveColumn(0, -1, 0));
  EXPECT_EQ(E_FAIL, mInternal->MoveColumn(0, 4, 0));
  EXPECT_EQ(E_FAIL, mInternal->SetColumnWidth(0, 4, 50));
  EXPECT_EQ(E_POINTER, mInternal->GetColumnWidth(0, 0, nullptr));
  int32_t width = 0;
  EXPECT_EQ(E_FAIL, mInternal->GetColumnWidth(0, 4, &width));
  EXPECT_EQ(100, width) << "the default width for a position past the columns";
  EXPECT_EQ(moved, Saved()) << "refusals change nothing";
}

TEST_F(TableViewMgrTest, ForwardingMapsDisplayColumnsToDataColumns) {
  ASSERT_EQ(S_OK, CreateView());
  ASSERT_EQ(S_OK, mInternal->MoveColumn(0, 3, 1));  // (0,3,1,2)
  mClient.Texts[{2, 3}] = L"cell 2,3";
  mClient.Styles[{0, 1}] = 16;
  QOR::String text;
  ASSERT_EQ(S_OK, mData->GetCellText(8, 2, 1, QOR::StringOutParam(text)));
  EXPECT_STREQ(L"cell 2,3", text.GetText());
  uint32_t style = 0;
  ASSERT_EQ(S_OK, mData->GetCellStyle(8, 0, 2, &style));
  EXPECT_EQ(16u, style);
  mClient.Values[{2, 3}] = 0.25;
  ComPtr<ITableCellValue> values;
  ASSERT_EQ(S_OK, mData->QueryInterface(IID_ITableCellValue, reinterpret_cast<void**>(values.Out())));
  double value = 0.0;
  EXPECT_EQ(S_OK, values->GetCellValue(8, 2, 1, &value));
  EXPECT_EQ(0.25, value);
  EXPECT_EQ(S_FALSE, values->GetCellValue(8, 2, 3, &value)) << "data column 2 has none";
  mActions->OnCellClick(2, 0, 3);
  mActions->OnCellAction(8, 1, 7, 0);  // past the map: unchanged
  mActions->OnCellActionValue(8, 5, 1, 1, 6);
  const TableSelectionRecord records[] = {{1, 1, 3}, {2, 1, 3}};
  mActions->OnSelectionChanged(8, records, 2);
  mActions->OnShowLatestRowChanged(0, 2);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{2, 0, 2}}), mClient.Clicks);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{8, 1, 7}}), mClient.Actions);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{8, 5, 1, 3, 6}}), mClient.ValueCalls);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{3, 1, 3}, {1, 1, 3}}), mClient.LastRecords());
  EXPECT_EQ(1, records[0].Column) << "the grid's own records stay as they were";
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{0, 0xFFFF}}), mClient.LatestRow);
}

TEST_F(TableViewMgrTest, AGridWithoutColumnsNeverReachesTheClient) {
  ASSERT_EQ(S_OK, CreateView());
  mLog.hasColumns = false;
  mClient.Texts[{1, 1}] = L"x";
  QOR::String text(L"y");
  EXPECT_EQ(S_OK, mData->GetCellText(8, 1, 1, QOR::StringOutParam(text)));
  EXPECT_STREQ(L"", text.GetText());
  uint32_t style = 0;
  EXPECT_EQ(S_OK, mData->GetCellStyle(8, 1, 1, &style));
  EXPECT_EQ(1u, style);
  const TableSelectionRecord record{0, 0, 0};
  EXPECT_EQ(S_OK, mActions->OnSelectionChanged(8, &record, 1));
  EXPECT_EQ(S_OK, mActions->OnCellClick(2, 0, 1));
  EXPECT_EQ(S_OK, mActions->OnShowLatestRowChanged(0, VARIANT_TRUE));
  int32_t width = 0;
  EXPECT_EQ(S_OK, mInternal->GetColumnWidth(0, 9, &width));
  EXPECT_EQ(100, width);
  EXPECT_EQ(S_OK, mInternal->SetColumnWidth(0, 9, 40));
  mLog.hasColumns = true;
  ASSERT_EQ(S_OK, CreateView(nullptr, false));  // no action handler
  EXPECT_EQ(S_OK, mActions->OnCellClick(2, 0, 1));
  EXPECT_TRUE(mClient.Selections.empty() && mClient.Clicks.empty() && mClient.LatestRow.empty());
}

TEST_F(TableViewMgrTest, WindowOperationsMapColumnsAndFollowTheClient) {
  ASSERT_EQ(S_OK, CreateView());
  mInternal->MoveColumn(0, 0, 3);  // (1,2,3,0)
  mInternal->SetColumnWidth(0, 1, 70);
  EXPECT_EQ(S_OK, mManager->ScrollToCell(0, 5, 3));
  EXPECT_EQ("scroll 5 2", mLog.Last());
  EXPECT_EQ(S_OK, mManager->ScrollToCell(0, 5, 9));
  EXPECT_EQ("scroll 0 0", mLog.Last()) << "a column not shown";
  EXPECT_EQ(S_OK, mManager->SelectCells(8, 0, 1, 2));
  EXPECT_EQ("cells 3", mLog.Last());
  EXPECT_EQ(S_FALSE, mManager->CopyToDataPad(0)) << "the window's answer";
  EXPECT_EQ(S_OK, mManager->ShowRow(8, 4));
  EXPECT_EQ("show 4", mLog.Last());
  EXPECT_EQ(S_OK, mManager->ShowRow(8, -1));
  EXPECT_EQ("show 4", mLog.Last()) << "no latest row while the switch is off";
  EXPECT_EQ(S_OK, mManager->SetShowLatestRow(0, 5));
  EXPECT_EQ(S_OK, mManager->ShowRow(8, -1));
  EXPECT_EQ("show -1", mLog.Last()) << "the latest row while it is on";
  EXPECT_EQ(S_OK, mManager->ShowRow(8, 7));
  EXPECT_EQ("show 7", mLog.Last());
  mClient.Columns = 6;
  EXPECT_EQ(S_OK, mManager->RefreshColumns(0));
  EXPECT_EQ("columns 6", mLog.Last());
  EXPECT_EQ((Words{2, 6, 1, 2, 3, 0, 4, 5, 100, 100, 80, 100, 100, 100, 1337}), Saved()) << "columns appended";
  mClient.Columns = 3;
  mManager->RefreshColumns(0);
  EXPECT_EQ((Words{2, 3, 0, 1, 2, 100, 100, 100, 1337}), Saved()) << "fewer columns: rebuilt";
  mInternal->MoveColumn(0, 0, 1);
  EXPECT_EQ(S_OK, mManager->SetViewLayout(0, 0, 0, 300, 200, 100, 0, 80));
  EXPECT_EQ((Words{2, 3, 1, 0, 2, 100, 100, 100, 1337}), Saved()) << "the same default keeps the order";
  EXPECT_EQ(S_OK, mManager->SetViewLayout(0, 0, 0, 300, 200, 120, 0, 80));
  EXPECT_EQ("layout 120", mLog.Last());
  EXPECT_EQ((Words{2, 3, 0, 1, 2, 120, 120, 120, 1337}), Saved()) << "a new default discards order and widths";
}

TEST_F(TableViewMgrTest, SavesAndLoadsTheColumnStateAndKeepsItAgainstABadRecord) {
  mClient.Columns = 3;
  ASSERT_EQ(S_OK, CreateView());
  mInternal->MoveColumn(0, 2, 1);  // (0,2,1)
  mInternal->SetColumnWidth(0, 1, 100);
  mInternal->SetColumnWidth(0, 2, 50);
  mInternal->SetColumnWidth(0, 0, 200);
  const Words saved{2, 3, 0, 2, 1, 210, 60, 110, 1337};
  ASSERT_EQ(saved, Saved());
  ASSERT_EQ(S_OK, Load({1, 2, 0, 1, 1337}));
  EXPECT_EQ((Words{2, 2, 0, 1, 100, 100, 1337}), Saved()) << "an earlier record: widths at the default";
  ASSERT_EQ(S_OK, Load(saved));
  EXPECT_EQ(200, Width(0));
  const struct {
    const char* what;
    Words words;
  } cases[] = {
      {"a later version", {3, 3, 2, 0, 1, 110, 60, 210, 1337}},
      {"a negative version", {-1, 0, 1337}},
      {"a wrong end marker", {2, 3, 0, 1, 2, 110, 60, 210, 1336}},
      {"a huge count", {2, 0x7FFFFFFF, 0, 1, 2, 1337}},
      {"one column too many", {1, 4097}},
      {"a repeated column", {2, 2, 0, 0, 100, 100, 1337}},
      {"a column out of range", {1, 2, 0, 2, 1337}},
      {"the fixed first column moved", {2, 3, 2, 0, 1, 110, 60, 210, 1337}},
      {"a width of no pixels", {2, 2, 0, 1, 10, 100, 1337}},
      {"a negative width", {2, 2, 0, 1, 100, 0, 1337}},
      {"the smallest width", {2, 2, 0, 1, INT32_MIN, 100, 1337}},
      {"a width past any screen", {2, 2, 0, 1, 100, 0x7FFF + 11, 1337}},
      {"the largest width", {2, 2, 0, 1, INT32_MAX, 100, 1337}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(E_FAIL, Load(c.words)) << c.what;
    EXPECT_EQ(saved, Saved()) << c.what;
  }
  ASSERT_EQ(S_OK, Load({2, 2, 0, 1, 0x7FFF + 10, 11, 1337})) << "the widest column and one pixel";
  EXPECT_EQ(0x7FFF, Width(0));
  EXPECT_EQ(1, Width(1));
  ASSERT_EQ(S_OK, Load(saved));
  for (size_t cut = 0; cut < saved.size(); ++cut) {
    EXPECT_EQ(E_FAIL, Load(Words(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(cut)))) << cut;
    EXPECT_EQ(saved, Saved()) << "cut after " << cut << " words";
  }
  EXPECT_EQ(E_POINTER, mManager->LoadColumnState(0, nullptr));
  EXPECT_EQ(E_POINTER, mManager->SaveColumnState(0, nullptr));
}

}  // namespace
