// The Table View's "Export..." command through the scripted save dialog: what the dialog is
// given, a cancel that writes nothing, and a chosen name that gets the text export.
#include "views/TableViewExport.h"

#include "tests/document/ZRDocFixture.h"
#include "tests/support/ScriptedModalSeam.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class TableViewExportTest : public doctest::ZRDocTest {};

TEST_F(TableViewExportTest, SaveDialogOffersTextThenCsvAndACancelWritesNothing) {
  ZR::Doc::ZRDoc& doc = Open(1);
  ASSERT_EQ(S_OK, SendAnalyze());
  ScriptedModalSeam seam;
  RunTableViewExport(nullptr, doc);
  ASSERT_EQ(1u, seam.SaveDialogs.size());
  const ScriptedModalSeam::SaveDialogRecord& dialog = seam.SaveDialogs[0];
  EXPECT_EQ(L"Export Ondara Table View Data", dialog.title);
  const wchar_t kFilters[] = L"Ondara Table View Text File (*.txt)\0*.txt\0CSV (Comma delimited) (*.csv)\0*.csv\0";
  EXPECT_EQ(std::wstring(kFilters, sizeof(kFilters) / sizeof(wchar_t) - 1), dialog.filters);
  EXPECT_EQ(1u, dialog.filterIndex);
  EXPECT_EQ(L"txt", dialog.defaultExtension);
  EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), dialog.flags);
  EXPECT_EQ(260u, dialog.maxFile);
  EXPECT_NE(L"", dialog.initialFolder) << "the documents folder";
  EXPECT_TRUE(host::Progress().titles.size() == 1) << "no export after a cancel";
}

TEST_F(TableViewExportTest, ChosenNameGetsTheTextExport) {
  ZR::Doc::ZRDoc& doc = Open(1);
  ASSERT_EQ(S_OK, SendAnalyze());
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring name = std::wstring(folder) + L"ondara-export-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  ScriptedModalSeam seam;
  seam.SaveFileNames.push_back(name);
  RunTableViewExport(nullptr, doc);
  EXPECT_EQ(L"Exporting Table View", host::Progress().titles.back());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(name.c_str()));
  DeleteFileW(name.c_str());
}

}  // namespace
