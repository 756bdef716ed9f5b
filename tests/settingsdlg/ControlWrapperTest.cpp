// The control wrappers on the test page: text checks, units edits and their spin, buttons, the
// level list and the error displays.
#include "controls/ErrorProvider.h"
#include "controls/StaticTextErrorProvider.h"
#include "controls/TBalloonCheckBox.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TComboBox.h"
#include "settingsdlg/tAPDDropList.h"
#include "settingsdlg/tButton.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tStaticText.h"
#include "settingsdlg/tUnitsEdit.h"
#include "tests/settingsdlg/WrapperTestPage.h"

#include <cmath>

using namespace ZR;

namespace {

NMUPDOWN Spin(int delta) {
  NMUPDOWN spin{};
  spin.hdr.idFrom = IDC_TEST_SPIN;
  spin.hdr.code = UDN_DELTAPOS;
  spin.iDelta = delta;
  return spin;
}

}  // namespace

TEST_F(WrapperFixture, EditTextMustBeOneNumberAndStillCommits) {
  auto* edit =
      Add(new tEdit(&store, page.get(), IDC_TEST_EDIT, ZR::Doc::kSettingMinPeakWidthCAP, 20, IDC_TEST_EDIT_ICON));
  auto* whole = Add(
      new tIntEdit(&store, page.get(), IDC_TEST_INT_EDIT, ZR::Doc::kSettingMidPlateauPercent, 20, IDC_TEST_INT_ICON));
  Open();
  struct Case {
    tEdit* ctrl;
    int id;
    const wchar_t* text;
    bool valid;
  } const cases[] = {{edit, IDC_TEST_EDIT, L"5", true},     {edit, IDC_TEST_EDIT, L"1e3", true},
                     {edit, IDC_TEST_EDIT, L"0.5", true},   {edit, IDC_TEST_EDIT, L"x", false},
                     {edit, IDC_TEST_EDIT, L"1E3", false},  {edit, IDC_TEST_EDIT, L"1-2", false},
                     {edit, IDC_TEST_EDIT, L"--", false},   {edit, IDC_TEST_EDIT, L"1e", false},
                     {edit, IDC_TEST_EDIT, L"", false},     {edit, IDC_TEST_EDIT, L"123456", false},
                     {whole, IDC_TEST_INT_EDIT, L"7", true}, {whole, IDC_TEST_INT_EDIT, L"2.5", false},
                     {whole, IDC_TEST_INT_EDIT, L"2,5", false}, {whole, IDC_TEST_INT_EDIT, L"1e2", false}};
  for (const Case& c : cases) {
    Type(c.id, c.text);
    EXPECT_EQ(c.valid, c.ctrl->IsValid()) << "\"" << std::string(c.text, c.text + wcslen(c.text)) << "\"";
  }
  Type(IDC_TEST_EDIT, L"123456");
  EXPECT_FALSE(edit->IsValid());
  EXPECT_EQ(123456.0, store.GetDoubleSetting(ZR::Doc::kSettingMinPeakWidthCAP)->Get())
      << "an invalid text is still committed";
  EXPECT_TRUE(Visible(edit->ErrorIcon()->GetHandle())) << "the edit's change revalidated it";
  EXPECT_EQ(QOR::String(L"Invalid Width"), edit->ErrorIcon()->GetTitle());
  EXPECT_EQ(QOR::String(L"The Minimum Peak Width must be in the range 0 to 99999 ms."), edit->ErrorIcon()->GetText());
  // A text that is no number, or none at all, says that rather than the setting's range.
  Type(IDC_TEST_EDIT, L"2,5");
  EXPECT_EQ(QOR::String(L"Invalid Number"), edit->ErrorIcon()->GetTitle());
  EXPECT_EQ(QOR::String(L"\"2,5\" is not a number: the decimal separator is the point (.)."), edit->ErrorIcon()->GetText());
  Type(IDC_TEST_EDIT, L"");
  EXPECT_EQ(QOR::String(L"A number is needed here."), edit->ErrorIcon()->GetText());
  Type(IDC_TEST_EDIT, L"12");
  EXPECT_FALSE(Visible(edit->ErrorIcon()->GetHandle()));
  EXPECT_TRUE(edit->ErrorIcon()->GetTitle().IsEmpty());
}

TEST_F(WrapperFixture, UnitsEditReadsTheUsersDecimalSeparator) {
  UseDecimal(L",");
  auto* units = Add(new tUnitsEdit(&store, page.get(), IDC_TEST_UNITS_EDIT, IDC_TEST_UNITS_LABEL,
                                   ZR::Doc::kSettingMinPeakHeight, 20, {L"V", L'm'}));
  Open();
  Type(IDC_TEST_UNITS_EDIT, L"0,5");
  EXPECT_TRUE(units->IsValid());
  EXPECT_DOUBLE_EQ(0.0005, store.GetDoubleSetting(ZR::Doc::kSettingMinPeakHeight)->Get());
  Type(IDC_TEST_UNITS_EDIT, L"0,5x");
  EXPECT_FALSE(units->IsValid());
  EXPECT_EQ(QOR::String(L"\"0,5x\" is not a number: the decimal separator is the comma (,)."),
            units->LabelError()->GetIcon().GetText());
  store.GetDoubleSetting(ZR::Doc::kSettingMinPeakHeight)->Set(0.0025);
  units->Load();
  EXPECT_EQ(L"2,5", Shown(IDC_TEST_UNITS_EDIT)) << "shown the user's way";
  EXPECT_DOUBLE_EQ(0.0025, store.GetDoubleSetting(ZR::Doc::kSettingMinPeakHeight)->Get()) << "and read back the same";
}

TEST_F(WrapperFixture, UnitsEditShowsThePrefixedValueAndSpinsByTenPercent) {
  auto* units = Add(new tUnitsEdit(&store, page.get(), IDC_TEST_UNITS_EDIT, IDC_TEST_UNITS_LABEL,
                                   ZR::Doc::kSettingMinPeakHeight, 20, {L"V", L'm'}));
  auto* spin = Add(new tUnitsEditUpDown(&store, page.get(), IDC_TEST_SPIN_EDIT, IDC_TEST_SPIN_LABEL, IDC_TEST_SPIN,
                                        ZR::Doc::kSettingMinPeakHeight, 20, {L"V", L'm'}));
  Open();
  store.GetDoubleSetting(ZR::Doc::kSettingMinPeakHeight)->Set(0.002);
  units->Load();
  EXPECT_EQ(L"2", Shown(IDC_TEST_UNITS_EDIT));
  EXPECT_EQ(L"mV", Shown(IDC_TEST_UNITS_LABEL));
  Type(IDC_TEST_UNITS_EDIT, L"3");
  units->Store();
  EXPECT_DOUBLE_EQ(0.003, store.GetDoubleSetting(ZR::Doc::kSettingMinPeakHeight)->Get());

  struct Step {
    const wchar_t* from;
    int delta;
    const wchar_t* shown;
    double step;
  } const steps[] = {  // setting 1006 has no negative values
                     {L"0", -1, L"0.001", 0.001}, {L"0", 1, L"0", 0.001}, {L"10", -1, L"11", 11.0},
                     {L"11", 1, L"10", 10.0}};
  for (const Step& s : steps) {
    Type(IDC_TEST_SPIN_EDIT, s.from);
    NMUPDOWN notification = Spin(s.delta);
    EXPECT_EQ(0, page->List.OnSpinNotify(IDC_TEST_SPIN_EDIT, 0, &notification));
    EXPECT_EQ(std::wstring(s.shown), Shown(IDC_TEST_SPIN_EDIT)) << "from " << s.from[0] << " by " << s.delta;
    EXPECT_NEAR(s.step, spin->Step(), 1e-9);
  }
  Type(IDC_TEST_SPIN_EDIT, L"10");
  NMUPDOWN up = Spin(-1);
  SendMessageW(page->GetHandle(), WM_NOTIFY, IDC_TEST_SPIN, reinterpret_cast<LPARAM>(&up));
  EXPECT_EQ(L"11", Shown(IDC_TEST_SPIN_EDIT)) << "the page hands the spin control's notice on";
}

TEST_F(WrapperFixture, SpinStopsAtTheSettingsBoundsInItsBaseUnit) {
  // Setting 1032 runs from 0.1 to 100; shown in k, 100 is "0.1"; shown in m, 0.1 is "100".
  struct Case {
    wchar_t prefix;
    const wchar_t* from;
    int delta;
    const wchar_t* shown;
  } const cases[] = {{L'k', L"0.095", -1, L"0.1"}, {L'm', L"105", 1, L"100"}, {0, L"95", -1, L"100"}};
  for (const Case& c : cases) {
    page = std::make_unique<WrapperTestPage>();
    Add(new tUnitsEditUpDown(&store, page.get(), IDC_TEST_SPIN_EDIT, IDC_TEST_SPIN_LABEL, IDC_TEST_SPIN,
                             ZR::Doc::kSettingMaxNegSlopeSmoothing, 20, {L"s", c.prefix}));
    Open();
    Type(IDC_TEST_SPIN_EDIT, c.from);
    NMUPDOWN notification = Spin(c.delta);
    page->List.OnSpinNotify(IDC_TEST_SPIN_EDIT, 0, &notification);
    EXPECT_EQ(std::wstring(c.shown), Shown(IDC_TEST_SPIN_EDIT)) << "prefix " << static_cast<char>(c.prefix);
  }
}

TEST_F(WrapperFixture, ButtonsStoreTheirCheckTheirOwnWay) {
  auto* button = Add(new tButton(&store, page.get(), IDC_TEST_BUTTON, ZR::Doc::kSettingPeakWidthFilter,
                                 IDS_TEST_BALLOON_TITLE, IDS_TEST_BALLOON_TEXT));
  auto* inverted = Add(new tButInv(&store, page.get(), IDC_TEST_BUTINV, ZR::Doc::kSettingAnalyseSelection));
  tEnumBtn* enums[] = {Add(new tEnumBtn(&store, page.get(), IDC_TEST_ENUM2, ZR::Doc::kSettingStimulusMethod, 2)),
                       Add(new tEnumBtn(&store, page.get(), IDC_TEST_ENUM3, ZR::Doc::kSettingStimulusMethod, 3)),
                       Add(new tEnumBtn(&store, page.get(), IDC_TEST_ENUM4, ZR::Doc::kSettingStimulusMethod, 4))};
  auto* box = Add(new tCheckBox(&store, page.get()));
  Open();
  auto* balloon = dynamic_cast<QORControls::BalloonRadioButton*>(&button->Button());
  ASSERT_NE(nullptr, balloon) << "both string ids give a balloon";
  EXPECT_EQ(0u, balloon->GetBalloonContent().find(L"Keeps only peaks wide enough at half height."));
  EXPECT_EQ(500u, balloon->GetHoverDelay());
  EXPECT_EQ(nullptr, dynamic_cast<QORControls::BalloonRadioButton*>(&inverted->Button()));

  store.GetBoolSetting(ZR::Doc::kSettingAnalyseSelection)->Set(false);
  store.GetBoolSetting(ZR::Doc::kSettingPassPeakLimits)->Set(true);
  page->List.LoadAll();
  EXPECT_TRUE(inverted->Checked()) << "checked means false";
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(enums[2]->Checked()) << "method 4 is the default";
  inverted->SetChecked(false);
  box->SetChecked(false);
  page->List.StoreAll();
  EXPECT_TRUE(store.GetBoolSetting(ZR::Doc::kSettingAnalyseSelection)->Get());
  EXPECT_FALSE(store.GetBoolSetting(ZR::Doc::kSettingPassPeakLimits)->Get());
  inverted->SetChecked(true);
  inverted->Store();
  EXPECT_FALSE(store.GetBoolSetting(ZR::Doc::kSettingAnalyseSelection)->Get())
      << "the inverted radio stores false when checked";

  // The checked button decides whatever the order of the stores.
  for (int checked = 0; checked < 3; ++checked) {
    for (int i = 0; i < 3; ++i) enums[i]->SetChecked(i == checked);
    for (int i = 2; i >= 0; --i) enums[i]->Store();
    EXPECT_EQ(checked + 2, store.GetIntSetting(ZR::Doc::kSettingStimulusMethod)->Get());
    enums[0]->Store();
    EXPECT_EQ(checked + 2, store.GetIntSetting(ZR::Doc::kSettingStimulusMethod)->Get());
  }
}

TEST_F(WrapperFixture, LevelListHoldsNineLevelsAndStoresTheChosenOne) {
  auto* levels = Add(new tAPDDropList(&store, page.get(), IDC_TEST_APD, ZR::Doc::kSettingTriangulationStart));
  Open();
  levels->Load();
  levels->Load();
  ASSERT_EQ(9, levels->List().GetCount()) << "loading again does not add entries";
  EXPECT_EQ(L"APD10", levels->List().GetString(0));
  EXPECT_EQ(L"APD90", levels->List().GetString(8));
  EXPECT_EQ(3, levels->List().GetSelIndex()) << "the default 40";
  levels->List().SetSelIndex(2);
  EXPECT_DOUBLE_EQ(30.0, levels->GetValue());
  EXPECT_TRUE(levels->IsValid());
  levels->List().SetSelIndex(-1);
  EXPECT_FALSE(levels->IsValid()) << "nothing chosen";
  EXPECT_EQ(0, store.GetIntSetting(ZR::Doc::kSettingTriangulationStart)->Get());
}

TEST_F(WrapperFixture, ErrorsShowOnTheIconOrTheLabelAndNowhereElse) {
  auto* edit =
      Add(new tEdit(&store, page.get(), IDC_TEST_EDIT, ZR::Doc::kSettingMinPeakWidthCAP, 20, IDC_TEST_EDIT_ICON));
  auto* labelled = Add(
      new tEditLabelError(&store, page.get(), IDC_TEST_LABEL_EDIT, IDC_TEST_LABEL, ZR::Doc::kSettingSearchStart, 20));
  auto* plain = Add(new tEdit(&store, page.get(), IDC_TEST_INT_EDIT, ZR::Doc::kSettingMidPlateauPercent, 20, -1));
  auto* text = Add(new tStaticText(&store, page.get(), IDC_TEST_STATIC));
  Open();
  Type(IDC_TEST_EDIT, L"123456");
  Type(IDC_TEST_LABEL_EDIT, L"123456");
  edit->ShowError(true);
  EXPECT_EQ(QOR::String(L"Invalid Width"), edit->ErrorIcon()->GetTitle());
  EXPECT_TRUE(Visible(edit->ErrorIcon()->GetHandle()));
  labelled->ShowError(true);
  EXPECT_EQ(QOR::String(L"Invalid Search Start"), labelled->LabelError()->GetIcon().GetTitle());
  EXPECT_EQ(QOR::String(L"The Search Start must be in the range 0 to 99999 ms after the start of the block."),
            labelled->LabelError()->GetIcon().GetText());
  EXPECT_EQ(nullptr, labelled->ErrorIcon());
  plain->ShowError(true);  // nothing to show it on
  EXPECT_EQ(nullptr, plain->ErrorIcon());
  EXPECT_EQ(nullptr, plain->LabelError());
  EXPECT_TRUE(text->IsValid());
  page->List.SetHidden(IDC_TEST_STATIC, true);
  EXPECT_FALSE(Visible(Item(IDC_TEST_STATIC)));
  labelled->ShowError(false);
  EXPECT_FALSE(Visible(labelled->LabelError()->GetIcon().GetHandle()));
}
