// The Calculations pages of the six analysis types: every binding row, the order of each
// start-end pair, the fixed B of the General page and the level lists of the cardiac page.
#include "settingsdlg/CalcPages.h"

#include "document/SettingTexts.h"
#include "settingsdlg/Sub_Baseline.h"
#include "settingsdlg/tAPDDropList.h"
#include "settingsdlg/tButton.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tUnitsEdit.h"
#include "tests/settingsdlg/PageTestFixture.h"

#include <typeinfo>

namespace {

using pagetest::PageTest;
using ZR::Dlg::CalcBaseSubDlg;

struct Member {
  int control;
  const std::type_info* wrapper;
  int setting;
  int limit;
  int icon;  // the enum value of a radio button
};
// relation -1: a single wrapper; otherwise the pair's relation (0 <, 1 >, 2 <=).
struct Row {
  int relation;
  Member first;
  Member second;
};

const std::type_info* const kEdit = &typeid(ZR::tEdit);
const std::type_info* const kInt = &typeid(ZR::tIntEdit);
const std::type_info* const kEnum = &typeid(ZR::tEnumBtn);
const std::type_info* const kUnits = &typeid(ZR::tUnitsEdit);
const std::type_info* const kLevels = &typeid(ZR::tAPDDropList);
constexpr Member kNone{0, nullptr, 0, 0, 0};

struct PageCase {
  int type;
  std::vector<Row> rows;
};

const PageCase kPages[] = {
    {0,
     {{2, {1043, kEdit, 1020, 5, 1072}, {1044, kEdit, 1021, 5, 1073}},
      {0, {1037, kEdit, 1015, 5, 1068}, {1038, kEdit, 1016, 5, 1069}},
      {0, {1095, kInt, 1017, 8, 1097}, {1096, kInt, 1018, 8, 1098}},
      {1, {1045, kInt, 1029, 8, 1074}, {1046, kInt, 1030, 8, 1075}},
      {-1, {1041, kEnum, 1037, 0, 0}, kNone},
      {-1, {1042, kEnum, 1037, 0, 1}, kNone},
      {-1, {1048, kEnum, 1037, 0, 2}, kNone},
      {-1, {1011, kUnits, 1038, 8, -1}, kNone}}},
    {2,
     {{0, {1037, kEdit, 1015, 5, 1068}, {1038, kEdit, 1016, 5, 1069}},
      {1, {1039, kInt, 1029, 8, 1071}, {1040, kInt, 1030, 8, 1074}},
      {2, {1043, kEdit, 1020, 5, 1070}, {1044, kEdit, 1021, 5, 1073}},
      {-1, {1041, kEnum, 1037, 0, 0}, kNone},
      {-1, {1042, kEnum, 1037, 0, 1}, kNone}}},
    {3,
     {{0, {1095, kInt, 1017, 8, 1097}, {1096, kInt, 1018, 8, 1098}},
      {0, {1037, kEdit, 1015, 8, 1068}, {1038, kEdit, 1016, 8, 1069}},
      {2, {1043, kEdit, 1020, 8, 1070}, {1044, kEdit, 1021, 8, 1073}},
      {1, {1039, kInt, 1029, 8, 1071}, {1040, kInt, 1030, 8, 1074}},
      {-1, {1041, kEnum, 1037, 0, 0}, kNone},
      {-1, {1042, kEnum, 1037, 0, 1}, kNone},
      {-1, {1045, kEdit, 1022, 8, 1072}, kNone}}},
    {1,
     {{0, {1095, kInt, 1017, 8, 1097}, {1096, kInt, 1018, 8, 1098}},
      {-1, {1048, kInt, 1013, 8, 1070}, kNone},
      {-1, {1012, kEdit, 1014, 5, 1071}, kNone},
      {-1, {1015, kInt, 1025, 8, 1072}, kNone},
      {-1, {1013, kEdit, 1026, 5, 1073}, kNone},
      {-1, {1005, kLevels, 1012, 0, -1}, kNone},
      {-1, {1049, kLevels, 1011, 0, -1}, kNone},
      {-1, {1050, kInt, 1031, 5, 1074}, kNone},
      {-1, {1051, kEdit, 1032, 5, 1076}, kNone}}},
    {5,
     {{-1, {1050, kInt, 1031, 5, 1074}, kNone},
      {-1, {1051, kEdit, 1032, 5, 1076}, kNone},
      {0, {1095, kInt, 1017, 8, 1097}, {1096, kInt, 1018, 8, 1098}}}},
    {4,
     {{-1, {1045, kEdit, 1022, 8, 1072}, kNone},
      {2, {1043, kEdit, 1020, 8, 1073}, {1044, kEdit, 1021, 8, 1074}}}},
};

class CalcPages : public PageTest {
 protected:
  CalcBaseSubDlg& Page() const { return *dynamic_cast<CalcBaseSubDlg*>(mDialog->CurrentPage()); }
  ZR::tCtrl& Wrapper(int control) const { return *Page().List().FindCtrl(control); }
  void Notify(int control) {
    SendMessageW(Page().GetHandle(), WM_COMMAND, MAKEWPARAM(control, EN_CHANGE),
                 reinterpret_cast<LPARAM>(Item(control)));
  }

  // The member is bound as the row says, loads and stores its setting and shows its own error.
  void CheckMember(const Member& m) {
    ZR::tCtrl* const ctrl = Page().List().FindCtrl(m.control);
    ASSERT_NE(ctrl, nullptr) << m.control;
    EXPECT_EQ(*m.wrapper, typeid(*ctrl)) << m.control;
    const ZR::Doc::SettingId setting = ZR::Doc::SettingIdOf(m.setting);
    EXPECT_EQ(setting, ctrl->SettingId()) << m.control;
    if (m.wrapper == kEnum) {
      In(setting).FromText(QOR::String(std::to_wstring(m.icon).c_str()), true);
      Page().Load();
      EXPECT_TRUE(Checked(m.control)) << m.control;
      return;
    }
    if (m.wrapper == kLevels) {
      In(setting).FromText(QOR::String(L"70"), true);
      Page().Load();
      EXPECT_EQ(Shown(m.control), L"APD70") << m.control;
      return;
    }
    EXPECT_EQ(m.icon, ctrl->ErrorIcon() ? ctrl->ErrorIcon()->GetId() : -1) << m.control;
    EXPECT_EQ(m.limit, SendMessageW(Item(m.control), EM_GETLIMITTEXT, 0, 0)) << m.control;
    // Units edits show the channel's mV.
    double const scale = m.wrapper == kUnits ? 0.001 : 1.0;
    In(setting).FromText(QOR::String(m.wrapper == kUnits ? L"0.007" : L"7"), true);
    Page().Load();
    EXPECT_EQ(Shown(m.control), L"7") << m.control;
    Type(m.control, L"9");
    Page().Store();
    EXPECT_DOUBLE_EQ(In(setting).AsDouble(), 9 * scale) << m.control;
    Type(m.control, L"x");
    EXPECT_FALSE(Page().IsValid()) << m.control;
    Notify(m.control);
    // A number edit says its text is no number; a whole-number edit gives its own range.
    const std::wstring title =
        m.wrapper == kInt ? ZR::Doc::SettingErrorText(setting).caption.GetText() : L"Invalid Number";
    EXPECT_EQ(ErrorTitle(*ctrl), title) << m.control;
    Type(m.control, L"7");
    Notify(m.control);
  }

  // Equal values break a strict order only.
  void CheckPair(const Row& row) {
    Type(row.first.control, L"10");
    Type(row.second.control, L"10");
    Notify(row.second.control);
    bool const strict = row.relation != 2;
    EXPECT_EQ(ErrorTitle(Wrapper(row.first.control)), strict ? L"Order Incorrect" : L"") << row.first.control;
    Type(row.second.control, row.relation == 1 ? L"5" : L"50");
    Notify(row.second.control);
    EXPECT_EQ(ErrorTitle(Wrapper(row.first.control)), L"") << row.first.control;
  }
};

TEST_F(CalcPages, EveryBindingLoadsStoresAndValidates) {
  for (const PageCase& page : kPages) {
    Run(page.type, 2, [&](pagetest::SettingsDlg&) {
      size_t wrappers = 0;
      for (const Row& row : page.rows) {
        CheckMember(row.first);
        if (row.relation < 0) {
          ++wrappers;
          continue;
        }
        CheckMember(row.second);
        CheckPair(row);
      }
      EXPECT_EQ(wrappers, Page().List().CtrlCount()) << "type " << page.type;
      EXPECT_TRUE(Page().IsValid()) << "type " << page.type;
    });
  }
}

// (type, first, second, first value, second value, message of the order error or empty)
struct OrderCase {
  int type;
  int first;
  int second;
  const wchar_t* a;
  const wchar_t* b;
  const wchar_t* message;
};

TEST_F(CalcPages, PairsCheckTheirOrderAsTheUserTypes) {
  const OrderCase cases[] = {
      {0, 1037, 1038, L"10", L"10", L"The first value must be less than the second value."},
      {0, 1043, 1044, L"10", L"10", L""},
      {0, 1045, 1046, L"20", L"80", L"The first value must be greater than the second value."},
      {2, 1039, 1040, L"20", L"80", L"The first value must be greater than the second value."},
      {1, 1095, 1096, L"50", L"50", L"The first value must be less than the second value."},
      {5, 1095, 1096, L"50", L"50", L"The first value must be less than the second value."},
      {4, 1043, 1044, L"5", L"5", L""},
  };
  for (const OrderCase& c : cases) {
    Run(c.type, 2, [&](pagetest::SettingsDlg&) {
      Type(c.first, c.a);
      Type(c.second, c.b);
      const bool ordered = *c.message == 0;
      EXPECT_EQ(ErrorText(Wrapper(c.first)), c.message) << c.type << " " << c.first;
      EXPECT_EQ(ordered, Page().IsValid()) << c.type << " " << c.first;
    });
    EXPECT_EQ(mWarnings, 0);
  }
}

TEST_F(CalcPages, FixedBIsEditedOnlyWhileBSetToIsChosenAlsoAfterASourceChange) {
  Set(2001, L"1");
  Set(1037, L"2");
  Set(2001, L"0");
  Set(1037, L"0");
  Set(1038, L"0.004");
  Run(0, 2, [&](pagetest::SettingsDlg&) {
    EXPECT_FALSE(Enabled(1011));
    EXPECT_EQ(Shown(1011), L"4");
    EXPECT_EQ(Shown(1080), L"mV");
    Click(1048, 1041, 1048);
    EXPECT_TRUE(Enabled(1011));
    EXPECT_EQ(TextIn(ZR::Doc::kSettingTauMode), L"2");
    Click(1042, 1041, 1048);
    EXPECT_FALSE(Enabled(1011));
    Click(1041, 1041, 1048);
    ChooseSource(1);  // this channel's B is set
    EXPECT_TRUE(Enabled(1011));
    EXPECT_EQ(Shown(1080), L"nA");
    Type(1011, L"b");
    EXPECT_FALSE(Page().IsValid());
    EXPECT_EQ(ErrorTitle(Wrapper(1011)), L"Invalid Number");
  });
}

// A B set on the General page (2) has no radio button on these pages: none shows checked and the
// page keeps it.
TEST_F(CalcPages, SynapticAndEvokedResponseKeepAFixedBWithNoRadioChecked) {
  Set(1037, L"2");
  for (int type : {2, 3}) {
    Run(type, 2, [&](pagetest::SettingsDlg&) {
      EXPECT_FALSE(Checked(1041));
      EXPECT_FALSE(Checked(1042));
      Page().Store();
      EXPECT_EQ(TextIn(ZR::Doc::kSettingTauMode), L"2");
    });
  }
}

TEST_F(CalcPages, CardiacLevelListsAndIndependentIds) {
  Set(2000, L"1");
  Set(1012, L"90");
  Set(1013, L"35");
  Set(1026, L"12");
  Run(1, 2, [&](pagetest::SettingsDlg&) {
    EXPECT_EQ(Shown(1005), L"APD90");
    EXPECT_EQ(SendMessageW(Item(1049), CB_GETCOUNT, 0, 0), 9);
    HWND const list = Item(1049);
    SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"APD30"));
    SendMessageW(Page().GetHandle(), WM_COMMAND, MAKEWPARAM(1049, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(Shown(1048), L"35");
    EXPECT_EQ(Shown(1013), L"12");
    Type(1013, L"15");
    Page().Store();
    EXPECT_EQ(TextIn(ZR::Doc::kSettingTriangulationStart), L"30");
    EXPECT_EQ(TextIn(ZR::Doc::kSettingPlateauVoltageWidth), L"15");
    EXPECT_EQ(TextIn(ZR::Doc::kSettingMidPlateauPercent), L"35");
  });
}

}  // namespace

namespace {

// Loading a pair's first member must not store the second member's old text, which after a
// source change is the previous channel's.
TEST_F(CalcPages, ASourceChangeShowsTheNewChannelsPairsUnchanged) {
  Set(2001, L"1");
  Set(1015, L"2");
  Set(1016, L"20");
  Set(2001, L"0");
  Set(1015, L"1");
  Set(1016, L"10");
  Run(0, 2, [&](pagetest::SettingsDlg&) {
    EXPECT_EQ(Shown(1038), L"10");
    ChooseSource(1);
    EXPECT_EQ(Shown(1037), L"2");
    EXPECT_EQ(Shown(1038), L"20");
    EXPECT_EQ(TextIn(ZR::Doc::kSettingAreaEnd), L"20");
  });
}

}  // namespace

namespace {

TEST_F(CalcPages, EachTypeShowsItsOwnCalculationsPageAndTheBaselinePage) {
  const std::type_info* const pages[] = {&typeid(ZR::Dlg::Sub_CalcGen),   &typeid(ZR::Dlg::Sub_CalcCAP),
                                         &typeid(ZR::Dlg::Sub_CalcSynap), &typeid(ZR::Dlg::Sub_CalcER),
                                         &typeid(ZR::Dlg::Sub_CalcPS),    &typeid(ZR::Dlg::Sub_CalcNAP)};
  for (int type = 0; type < 6; ++type) {
    Run(type, 2, [&](pagetest::SettingsDlg& dialog) { EXPECT_EQ(*pages[type], typeid(*dialog.CurrentPage())) << type; });
    Run(type, 1, [&](pagetest::SettingsDlg& dialog) {
      EXPECT_NE(dynamic_cast<ZR::Dlg::Sub_Baseline*>(dialog.CurrentPage()), nullptr) << type;
    });
  }
}

}  // namespace
