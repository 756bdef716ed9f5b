// The detector pages' previews over a host document of the stand-in: which kinds get one, the
// channel's range on the value axis and the set-up words the pages keep.
#include "settingsdlg/PagePreviews.h"

#include "document/SettingsStore.h"
#include "drawing/PreviewDataWin.h"
#include "host/app/HostFramework.h"
#include "settingsdlg/PreviewPaneBase.h"
#include "tests/settingsdlg/PreviewTestPage.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using previewtest::Page;

class PagePreviewsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    document = testsupport::LoadHostDocument();
    page.Create();
  }
  IUnknown* Document() const { return static_cast<IHostDocument*>(document.Get()); }

  host::HostPtr<host::HostDocument> document;
  Page page;
  ScriptedModalSeam seam;
};

double Word(const uint32_t* words, int index) {
  double value = 0.0;
  std::memcpy(&value, &words[index], sizeof value);
  return value;
}

}  // namespace

TEST_F(PagePreviewsTest, BothKindsOverADocumentHaveAPreview) {
  ZR::Doc::SettingsStore store(nullptr);
  using Kind = ZR::Dlg::DetectionPreview::Kind;
  EXPECT_EQ(nullptr, ZR::Dlg::MakePagePreview(Kind::Stimulated, nullptr, &page, &store));
  EXPECT_NE(nullptr, ZR::Dlg::MakePagePreview(Kind::Periodix, Document(), &page, &store));
  EXPECT_NE(nullptr, ZR::Dlg::MakePagePreview(Kind::Stimulated, Document(), &page, &store));
  {
    // Pages make theirs through the scope while it lives, and not after.
    const ZR::Dlg::PagePreviewScope scope;
    EXPECT_NE(nullptr, ZR::Dlg::MakeDetectionPreview(Kind::Stimulated, Document(), &page, &store));
  }
  EXPECT_EQ(nullptr, ZR::Dlg::MakeDetectionPreview(Kind::Stimulated, Document(), &page, &store));
}

TEST_F(PagePreviewsTest, ChannelRangeOnAxisOneAndTheSetUpWordsKeepIt) {
  ZR::Doc::SettingsStore store(nullptr);
  HWND const placeholder = CreateWindowExW(0, L"STATIC", L"Preview", WS_CHILD, 10, 10, 480, 240, page.GetHandle(),
                                           reinterpret_cast<HMENU>(ExtLib::kPreviewPlaceholderId), nullptr, nullptr);
  ASSERT_NE(nullptr, placeholder);
  auto preview = ZR::Dlg::MakePagePreview(ZR::Dlg::DetectionPreview::Kind::Stimulated, Document(), &page, &store);
  ASSERT_NE(nullptr, preview);
  preview->PlaceForPosition(1);
  preview->Update(store);
  preview->SetViewPosition(0, 0.5);  // the records are a few ticks long
  preview->ShowChannelRange(0, 1);
  EXPECT_FALSE(preview->IsSampling());

  uint32_t words[12] = {};
  preview->FillSetupWords(words);
  int64_t position = 0;
  std::memcpy(&position, &words[0], sizeof position);
  EXPECT_EQ(0, position);
  EXPECT_DOUBLE_EQ(0.5, Word(words, 2));
  // Axis 1 spans the record's values; axis 2 was reset to the same range.
  EXPECT_LT(Word(words, 4), Word(words, 6));
  EXPECT_DOUBLE_EQ(Word(words, 4), Word(words, 8));
  EXPECT_DOUBLE_EQ(Word(words, 6), Word(words, 10));
  // A channel that does not exist leaves the axes as they are.
  preview->ShowChannelRange(7, 1);
  uint32_t again[12] = {};
  preview->FillSetupWords(again);
  EXPECT_EQ(0, std::memcmp(words, again, sizeof words));
}
