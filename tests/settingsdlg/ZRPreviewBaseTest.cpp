// The detector preview's key and its default axis ranges over a preview window of the stand-in.
#include "settingsdlg/ZRPreviewBase.h"

#include "document/SettingsStore.h"
#include "drawing/PreviewDataWin.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "tests/settingsdlg/PreviewTestPage.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

using ExtLib::AxisRange;

namespace {

// The stimulated kind's defaults; with noAxis1Default, a kind that has none for axis 1.
class Preview final : public ZR::ZRPreviewBase {
 public:
  Preview(IUnknown* dataFile, OWL::TWindow* parent, ZR::Doc::SettingsStore* store, bool noAxis1Default = false)
      : ZRPreviewBase(nullptr, dataFile, parent, store), mNoAxis1Default(noAxis1Default) {}
  bool GetDefaultAxisRange(AxisRange* out, int32_t which, const AxisRange* given, ZR::Doc::SettingsStore* s) override {
    if (mNoAxis1Default && which == 0 && !given) return false;
    return ZRPreviewBase::GetDefaultAxisRange(out, which, given, s);
  }
  void SetAxisUnits(bool, bool, ZR::Doc::SettingsStore*) override {}
  void SetUpHostCalculations(IUnknown*, ZR::Doc::SettingsStore*) override {}

 private:
  bool mNoAxis1Default;
};

using previewtest::Page;

class ZRPreviewBaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    document = testsupport::MakeDataDocument({3000}, 0.001);
    page.Create();
  }
  IUnknown* File() const { return static_cast<IHostDataFile*>(document.Get()); }
  static void Place(Preview& preview) { preview.Window()->SetPageRect(RECT{10, 10, 490, 250}); }
  static void Range(Preview& preview, int32_t axis, double* first, double* second) {
    ASSERT_EQ(S_OK, preview.Window()->Lane(0)->GetAxisRange(axis, first, second));
  }

  host::HostPtr<host::DataDocument> document;
  Page page;
  ScriptedModalSeam seam;
};

}  // namespace

TEST(PreviewKey, EveryFieldTakesPartInTheComparison) {
  ZR::PreviewKey base;
  base.valid = true;
  base.channel = 2;
  base.sourceText = L"Ch3";
  base.expression = L"erpeakdet(ch3)";
  base.units = QOR::UnitWithPrefix{L"V", L'm'};
  ZR::PreviewKey same = base;
  EXPECT_EQ(base, same);
  ZR::PreviewKey changed[6] = {base, base, base, base, base, base};
  changed[0].valid = false;
  changed[1].channel = 0;
  changed[2].sourceText = L"Ch1";
  changed[3].expression = L"erpeakdet(ch3, 2)";
  changed[4].units.baseUnit = L"A";
  changed[5].units.prefix = L'u';
  for (const ZR::PreviewKey& key : changed) EXPECT_NE(base, key);
  EXPECT_FALSE(ZR::PreviewKey().valid);
}

TEST_F(ZRPreviewBaseTest, DefaultRangesFillTheAxesAndMarkersNameNoChannel) {
  Preview preview(File(), &page, nullptr);
  Place(preview);
  // Without settings the markers name no channel.
  EXPECT_EQ(ZR::ZRPreviewBase::kNoMarker.channel, preview.SourceMarker().channel);
  EXPECT_EQ(ZR::ZRPreviewBase::kNoMarker.selector, preview.EventMarker().selector);
  preview.ResetScale(0, nullptr);
  double first = 0, second = 0;
  Range(preview, 1, &first, &second);
  EXPECT_DOUBLE_EQ(1.0, first);  // the ends reversed, as written
  EXPECT_DOUBLE_EQ(-1.0, second);
  preview.SetAxisRange(0, AxisRange{-3.0, 5.0});
  preview.ResetScale(1, nullptr);  // axis 2 takes axis 1's range
  Range(preview, 2, &first, &second);
  EXPECT_DOUBLE_EQ(-3.0, first);
  EXPECT_DOUBLE_EQ(5.0, second);
}

// A kind without a default for axis 1 leaves the axis as it is rather than set an unset range.
TEST_F(ZRPreviewBaseTest, NoDefaultLeavesTheAxisUnchanged) {
  Preview preview(File(), &page, nullptr, true);
  Place(preview);
  preview.SetAxisRange(0, AxisRange{-0.25, 0.75});
  preview.ResetScale(0, nullptr);
  double first = 0, second = 0;
  Range(preview, 1, &first, &second);
  EXPECT_DOUBLE_EQ(-0.25, first);
  EXPECT_DOUBLE_EQ(0.75, second);
}

TEST_F(ZRPreviewBaseTest, MarkersAreTheDocumentsObjectsWhenTheDataReachesThem) {
  ZR::Doc::SettingsStore store(nullptr);
  store.SetLongValue(ZR::Doc::kSettingSourceObject, 5);
  store.SetLongValue(ZR::Doc::kSettingDetectorObject, 6);
  Preview preview(File(), &page, &store);
  EXPECT_EQ(5, preview.SourceMarker().channel);
  EXPECT_EQ(4u, preview.SourceMarker().selector);
  EXPECT_EQ(6, preview.EventMarker().channel);
  EXPECT_EQ(4u, preview.EventMarker().selector);
  // A data file without preview data: no marker objects to reach, both pairs name no channel.
  Preview bare(nullptr, &page, &store);
  EXPECT_EQ(ZR::ZRPreviewBase::kNoMarker.channel, bare.SourceMarker().channel);
  EXPECT_EQ(ZR::ZRPreviewBase::kNoMarker.selector, bare.EventMarker().selector);
}
