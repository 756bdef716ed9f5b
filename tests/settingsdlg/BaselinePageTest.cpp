// The Baseline page: its bindings, the fixed value's edit following the mode, the captions of the
// RMP types and the page disabled under Population Spike.
#include "settingsdlg/Sub_Baseline.h"

#include "settingsdlg/tButton.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tStaticText.h"
#include "settingsdlg/tUnitsEdit.h"
#include "tests/settingsdlg/PageTestFixture.h"

#include <typeinfo>

namespace {

using pagetest::PageTest;
using ZR::Dlg::Sub_Baseline;

class BaselinePage : public PageTest {
 protected:
  Sub_Baseline& Page() const { return *dynamic_cast<Sub_Baseline*>(mDialog->CurrentPage()); }
};

TEST_F(BaselinePage, EveryBindingLoadsStoresAndValidates) {
  struct Row {
    int control;
    const std::type_info& wrapper;
    int setting;
    int limit;
    int icon;
  };
  const Row rows[] = {
      {1092, typeid(ZR::tGroup), -1, 0, -1},      {1081, typeid(ZR::tEnumBtn), 1039, 0, -1},
      {1082, typeid(ZR::tEnumBtn), 1039, 0, -1},  {1083, typeid(ZR::tEnumBtn), 1039, 0, -1},
      {1084, typeid(ZR::tUnitsEdit), 1040, 8, -1}, {1086, typeid(ZR::tStaticText), -1, 0, -1},
      {1047, typeid(ZR::tIntEdit), 1033, 3, 1075}, {1087, typeid(ZR::tStaticText), -1, 0, -1},
      {1088, typeid(ZR::tStaticText), -1, 0, -1}, {1090, typeid(ZR::tIntEdit), 1041, 3, 1091},
      {1089, typeid(ZR::tStaticText), -1, 0, -1},
  };
  Run(0, 1, [&](pagetest::SettingsDlg&) {
    ASSERT_NE(dynamic_cast<Sub_Baseline*>(mDialog->CurrentPage()), nullptr);
    ASSERT_EQ(Page().List().CtrlCount(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
      const Row& row = rows[i];
      ZR::tCtrl& ctrl = Page().List().Ctrl(i);
      EXPECT_EQ(row.control, ctrl.ControlId()) << i;
      EXPECT_EQ(row.wrapper, typeid(ctrl)) << row.control;
      EXPECT_EQ(row.setting, ZR::Doc::NumberOf(ctrl.SettingId())) << row.control;
      EXPECT_EQ(row.icon, ctrl.ErrorIcon() ? ctrl.ErrorIcon()->GetId() : -1) << row.control;
      if (row.limit) {
        EXPECT_EQ(row.limit, SendMessageW(Item(row.control), EM_GETLIMITTEXT, 0, 0)) << row.control;
      }
    }
    // The percentages: loaded, stored, refused with their own texts.
    for (const ZR::Doc::SettingId setting : {ZR::Doc::kSettingStartHeightPercent, ZR::Doc::kSettingEndHeightPercent})
      In(setting).FromText(QOR::String(L"25"), true);
    Page().Load();
    EXPECT_EQ(Shown(1047), L"25");
    EXPECT_EQ(Shown(1090), L"25");
    Type(1047, L"30");
    Type(1090, L"2.5");
    EXPECT_FALSE(Page().IsValid());
    EXPECT_EQ(TextIn(ZR::Doc::kSettingStartHeightPercent), L"30");
    EXPECT_EQ(ErrorTitle(*Page().List().FindCtrl(1090)), L"Invalid Height Percentage");
    Type(1090, L"40");
    EXPECT_TRUE(Page().IsValid());
    EXPECT_EQ(ErrorTitle(*Page().List().FindCtrl(1090)), L"");
    // The mode's radio buttons: the checked one stores.
    In(ZR::Doc::kSettingBaselineMode).FromText(QOR::String(L"2"), true);
    Page().Load();
    EXPECT_TRUE(Checked(1083));
    EXPECT_FALSE(Checked(1081));
    Click(1081, 1081, 1083);
    EXPECT_EQ(TextIn(ZR::Doc::kSettingBaselineMode), L"0");
  });
}

TEST_F(BaselinePage, AlwaysSetToEnablesTheFixedValueInTheChannelsUnit) {
  Set(1039, L"0");
  Set(1040, L"0.05");
  Run(2, 1, [&](pagetest::SettingsDlg&) {
    EXPECT_FALSE(Enabled(1084));
    EXPECT_EQ(Shown(1084), L"50");
    EXPECT_EQ(Shown(1085), L"mV");
    Click(1082, 1081, 1083);
    EXPECT_TRUE(Enabled(1084));
    EXPECT_EQ(TextIn(ZR::Doc::kSettingBaselineMode), L"1");
    Type(1084, L"20");
    Page().Store();
    EXPECT_DOUBLE_EQ(Copy().GetDoubleSetting(ZR::Doc::kSettingBaselineValue)->Get(), 0.02);
    Click(1083, 1081, 1083);
    EXPECT_FALSE(Enabled(1084));
    Click(1082, 1081, 1083);
    Click(1081, 1081, 1083);
    EXPECT_FALSE(Enabled(1084));
    // A letter makes the text no number, which the unit label says.
    Type(1084, L"5x");
    EXPECT_FALSE(Page().IsValid());
    EXPECT_EQ(ErrorTitle(*Page().List().FindCtrl(1084)), L"Invalid Number");
    EXPECT_EQ(ErrorText(*Page().List().FindCtrl(1084)), L"\"5x\" is not a number: the decimal separator is the point (.).");
  });
}

TEST_F(BaselinePage, ActionPotentialTypesSpeakOfTheRmp) {
  for (int type : {0, 1, 2, 3, 4, 5}) {
    Run(type, 1, [&](pagetest::SettingsDlg&) {
      bool const rmp = type == 1 || type == 5;
      EXPECT_EQ(Shown(1092), rmp ? L"RMP setting" : L"Baseline setting") << type;
      for (int label : {1087, 1089})
        EXPECT_EQ(Shown(label), rmp ? L"% of the height away from the RMP" : L"% of the height away from the baseline")
            << type;
      EXPECT_EQ(ZR::Doc::NumberOf(Page().List().FindCtrl(1047)->SettingId()), type == 5 ? 1034 : 1033) << type;
    });
  }
  Set(1033, L"20");
  Set(1034, L"60");
  Run(5, 1, [&](pagetest::SettingsDlg&) {
    EXPECT_EQ(Shown(1047), L"60");
    Type(1047, L"70");
    Page().Store();
    EXPECT_EQ(TextIn(ZR::Doc::kSettingStartHeightPercentAP), L"70");
    EXPECT_EQ(TextIn(ZR::Doc::kSettingStartHeightPercent), L"20");
  });
}

TEST_F(BaselinePage, PopulationSpikeDisablesEveryControlAlsoAfterASourceChange) {
  Set(1039, L"1");
  Run(4, 1, [&](pagetest::SettingsDlg&) {
    const int controls[] = {1092, 1081, 1082, 1083, 1084, 1085, 1086, 1047, 1087, 1088, 1090, 1089};
    for (int id : controls) EXPECT_FALSE(Enabled(id)) << id;
    ChooseSource(1);
    for (int id : controls) EXPECT_FALSE(Enabled(id)) << "after the source change: " << id;
  });
}

TEST_F(BaselinePage, TheFixedValueFollowsTheNewChannelsModeAndUnit) {
  Set(1039, L"1");
  Set(1040, L"0.002");
  Run(0, 1, [&](pagetest::SettingsDlg&) {
    EXPECT_TRUE(Enabled(1084));
    Click(1081, 1081, 1083);
    ChooseSource(1);  // the new channel's group copies the first's: mode 0
    EXPECT_FALSE(Enabled(1084));
    EXPECT_EQ(Shown(1085), L"nA");
    EXPECT_EQ(Shown(1084), L"2e+06");
  });
}

}  // namespace
