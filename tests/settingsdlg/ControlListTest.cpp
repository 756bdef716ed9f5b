// Control lists on the test page: the two-level lookup, hidden wrappers, checked groups and
// ordered pairs, driven by the page's own notifications.
#include "controls/ErrorProvider.h"
#include "controls/StaticTextErrorProvider.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TEdit.h"
#include "settingsdlg/tCheckedGroup.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tOrderedPair.h"
#include "tests/settingsdlg/WrapperTestPage.h"

using namespace ZR;

namespace {

class ListFixture : public WrapperFixture {
 protected:
  tEdit* Edit(int id, ZR::Doc::SettingId setting, int icon) {
    return new tEdit(&store, page.get(), id, setting, 20, icon);
  }
  static QOR::String Title(const tEdit& e) { return e.ErrorIcon()->GetTitle(); }
  static QOR::String Text(const tEdit& e) { return e.ErrorIcon()->GetText(); }
};

}  // namespace

TEST_F(ListFixture, LookupReachesNestedMembersButNotDeeper) {
  EXPECT_TRUE(page->List.AllValid()) << "an empty list is valid";
  auto* nested = new tCtrlList;
  auto* deeper = new tCtrlList;
  tEdit* second = Edit(IDC_TEST_PAIR_SECOND, ZR::Doc::kSettingDetectionEnd, IDC_TEST_PAIR_SECOND_ICON);
  tEdit* third = Edit(IDC_TEST_EDIT, ZR::Doc::kSettingMinPeakWidthCAP, IDC_TEST_EDIT_ICON);
  nested->AddCtrl(second);
  deeper->AddCtrl(third);
  nested->AddList(deeper);
  page->List.AddList(nested);
  Open();
  EXPECT_EQ(second, page->List.FindCtrl(IDC_TEST_PAIR_SECOND));
  EXPECT_EQ(0, page->List.FindNestedIndex(IDC_TEST_PAIR_SECOND));
  EXPECT_EQ(nullptr, page->List.FindCtrl(IDC_TEST_EDIT)) << "three levels down";
  EXPECT_EQ(-1, page->List.FindNestedIndex(IDC_TEST_EDIT));
  Type(IDC_TEST_PAIR_SECOND, L"x");
  EXPECT_TRUE(Visible(second->ErrorIcon()->GetHandle())) << "the nested member heard its change";
  Type(IDC_TEST_EDIT, L"x");
  EXPECT_FALSE(Visible(third->ErrorIcon()->GetHandle()));
}

TEST_F(ListFixture, HiddenWrappersAreLeftOutOfStoringAndValidatingOnly) {
  tEdit* shown = Add(Edit(IDC_TEST_EDIT, ZR::Doc::kSettingMinPeakWidthCAP, IDC_TEST_EDIT_ICON));
  tEdit* hidden = Add(Edit(IDC_TEST_PAIR_FIRST, ZR::Doc::kSettingDetectionStart, IDC_TEST_PAIR_FIRST_ICON));
  Open();
  page->List.SetHidden(IDC_TEST_PAIR_FIRST, true);
  EXPECT_FALSE(Visible(Item(IDC_TEST_PAIR_FIRST)));
  Type(IDC_TEST_PAIR_FIRST, L"x");
  Type(IDC_TEST_EDIT, L"7");
  store.GetDoubleSetting(ZR::Doc::kSettingDetectionStart)->Set(3);
  EXPECT_TRUE(page->List.AllValid());
  page->List.StoreAll();
  EXPECT_EQ(7.0, store.GetDoubleSetting(ZR::Doc::kSettingMinPeakWidthCAP)->Get());
  EXPECT_EQ(3.0, store.GetDoubleSetting(ZR::Doc::kSettingDetectionStart)->Get()) << "the hidden one kept out";
  page->List.EnableAll(false);
  EXPECT_FALSE(hidden->Edit().IsWindowEnabled());
  EXPECT_FALSE(shown->Edit().IsWindowEnabled());
  page->List.LoadAll();
  EXPECT_EQ(L"3", Shown(IDC_TEST_PAIR_FIRST)) << "loaded although hidden";
  EXPECT_FALSE(Visible(Item(IDC_TEST_PAIR_FIRST))) << "and still hidden";
  page->List.SetHidden(IDC_TEST_PAIR_FIRST, false);
  EXPECT_TRUE(Visible(Item(IDC_TEST_PAIR_FIRST)));
}

TEST_F(ListFixture, CheckedGroupEnablesItsMembersWithItsBox) {
  auto* group = new tCheckedGroup(&store, page.get());
  tEdit* member = Edit(IDC_TEST_EDIT, ZR::Doc::kSettingMinPeakWidthCAP, IDC_TEST_EDIT_ICON);
  group->AddCtrl(member);
  page->List.AddList(group);
  Open();
  store.GetBoolSetting(ZR::Doc::kSettingPassPeakLimits)->Set(false);
  page->List.LoadAll();
  EXPECT_FALSE(member->Edit().IsWindowEnabled()) << "loaded with 1009 false";
  SendMessageW(Item(1059), BM_CLICK, 0, 0);
  EXPECT_TRUE(member->Edit().IsWindowEnabled());
  SetWindowTextW(Item(IDC_TEST_EDIT), L"x");
  member->ShowError(false);
  SendMessageW(Item(1059), BM_CLICK, 0, 0);
  EXPECT_FALSE(member->Edit().IsWindowEnabled());
  EXPECT_TRUE(Visible(member->ErrorIcon()->GetHandle())) << "unchecking revalidates the members";
}

TEST_F(ListFixture, OrderedPairShowsTheOrderErrorOnlyWhenBothValuesAreValid) {
  auto* pair = new tOrderedPair(LessThan);
  tEdit* first = Edit(IDC_TEST_PAIR_FIRST, ZR::Doc::kSettingDetectionStart, IDC_TEST_PAIR_FIRST_ICON);
  tEdit* second = Edit(IDC_TEST_PAIR_SECOND, ZR::Doc::kSettingDetectionEnd, IDC_TEST_PAIR_SECOND_ICON);
  pair->AddCtrl(first);
  pair->AddCtrl(second);
  page->List.AddList(pair);
  Open();
  Type(IDC_TEST_PAIR_FIRST, L"10");
  Type(IDC_TEST_PAIR_SECOND, L"10");
  EXPECT_EQ(QOR::String(L"Order Incorrect"), Title(*first));
  EXPECT_EQ(QOR::String(L"The first value must be less than the second value."), Text(*first));
  EXPECT_TRUE(Visible(first->ErrorIcon()->GetHandle()));
  EXPECT_FALSE(page->List.AllValid());

  pair->SetRelation(LessOrEqual);
  page->List.OnControlNotify(IDC_TEST_PAIR_SECOND);
  EXPECT_FALSE(Visible(first->ErrorIcon()->GetHandle())) << "10 <= 10";
  EXPECT_TRUE(page->List.AllValid());

  pair->SetRelation(GreaterThan);
  Type(IDC_TEST_PAIR_FIRST, L"-5");
  EXPECT_EQ(QOR::String(L"Invalid Detection Start"), Title(*first)) << "its own error, not the order's";
  EXPECT_FALSE(page->List.AllValid());
  Type(IDC_TEST_PAIR_FIRST, L"10");
  EXPECT_EQ(QOR::String(L"The first value must be greater than the second value."), Text(*first));
  Type(IDC_TEST_PAIR_SECOND, L"5");
  EXPECT_FALSE(Visible(first->ErrorIcon()->GetHandle())) << "correcting the second withdraws it";
  EXPECT_TRUE(Title(*first).IsEmpty());
}

TEST_F(ListFixture, OrderErrorGoesToTheLabelOfAFirstMemberWithoutIcon) {
  auto* pair = new tOrderedPair(GreaterOrEqual);
  auto* first = new tEditLabelError(&store, page.get(), IDC_TEST_LABEL_PAIR_FIRST, IDC_TEST_LABEL_PAIR_LABEL,
                                    ZR::Doc::kSettingAreaStart, 20);
  pair->AddCtrl(first);
  pair->AddCtrl(Edit(IDC_TEST_LABEL_PAIR_SECOND, ZR::Doc::kSettingAreaEnd, -1));
  page->List.AddList(pair);
  Open();
  Type(IDC_TEST_LABEL_PAIR_FIRST, L"1");
  Type(IDC_TEST_LABEL_PAIR_SECOND, L"2");
  EXPECT_EQ(QOR::String(L"Order Incorrect"), first->LabelError()->GetIcon().GetTitle());
  EXPECT_EQ(QOR::String(L"The first value must be greater than or equal to the second value."),
            first->LabelError()->GetIcon().GetText());
}

TEST_F(ListFixture, ANotANumberValueBreaksEveryOrder) {
  // Setting 1999 does not exist: its value is not a number.
  auto* pair = new tOrderedPair(LessThan);
  pair->AddCtrl(Edit(IDC_TEST_PAIR_FIRST, ZR::Doc::SettingIdOf(1999), -1));
  pair->AddCtrl(Edit(IDC_TEST_PAIR_SECOND, ZR::Doc::kSettingDetectionEnd, -1));
  page->List.AddList(pair);
  Open();
  for (OrderRelation r : {LessThan, GreaterThan, LessOrEqual, GreaterOrEqual}) {
    pair->SetRelation(r);
    EXPECT_FALSE(pair->IsOrderCorrect()) << r;
  }
}
