// The channel calculation's settings dialog and its runner over an analysis document, with the
// dialog driven through the scripted modal seam.
#include "chancalc/ChanCalcDlg.h"
#include "chancalc/ChanCalcStringIds.h"
#include "chancalc/RunSettingsDialog.h"
#include "chancalc/SettingsCOM.h"
#include "document/ParamCatalogue.h"
#include "document/ZRSettingIO.h"
#include "host/formula/ChannelCalcEngine.h"
#include "host/data/Sampler.h"
#include "host/framework/HostObservation.h"
#include "platform/owl/TCheckBox.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/ScriptedModalSeam.h"

#include <commctrl.h>

namespace {

using doctest::gBoxes;
using host::HostPtr;
using ZR::Doc::ZRDoc;
using ZR::ChanCalc::Dlg;
using ZR::ChanCalc::SettingsCOM;

TEST(ChanCalcListPositions, SkipTheLeftOutIndexes) {
  const std::vector<int> leftOut{3, 7};
  const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9};
  for (int p = 0; p < 8; ++p) {
    EXPECT_EQ(ZR::ChanCalc::CatalogueIndexFromListPos(p, leftOut), expected[p]) << p;
    EXPECT_EQ(ZR::ChanCalc::ListPosFromCatalogueIndex(expected[p], leftOut), p) << p;
  }
  EXPECT_EQ(ZR::ChanCalc::CatalogueIndexFromListPos(5, {}), 5);
}

TEST(ChanCalcScaleText, ShowsSixDigitsAndKeepsTheValueOfAnUnreadableText) {
  EXPECT_EQ(ZR::ChanCalc::FormatScale(5.0), L"5");
  EXPECT_EQ(ZR::ChanCalc::FormatScale(1.0 / 3.0), L"0.333333");
  double value = 7.0;
  EXPECT_TRUE(ZR::ChanCalc::ParseScale(L" -2.5 ", value));
  EXPECT_EQ(value, -2.5);
  EXPECT_FALSE(ZR::ChanCalc::ParseScale(L"abc", value));
  EXPECT_FALSE(ZR::ChanCalc::ParseScale(L"3x", value));
  EXPECT_FALSE(ZR::ChanCalc::ParseScale(L"", value));
  EXPECT_EQ(value, -2.5);
}

class ChanCalcDialog : public doctest::ZRDocTest {
 protected:
  // The runner over the opened document for output channel 1; the script acts on the dialog.
  HRESULT Run(const std::function<void(Dlg&)>& script, ComPtr<IPersistObject>& edited, int32_t channel = 1) {
    mShown = 0;
    mSeam.DialogScript = [&](OWL::TDialog& dialog) {
      ++mShown;
      if (script) script(static_cast<Dlg&>(dialog));
    };
    return ZR::ChanCalc::RunSettingsDialog(nullptr, static_cast<IHostDocument*>(mHost.Get()), nullptr,
                                           mCurrent.Get(), edited.Out(), channel, 0);
  }
  static std::wstring Text(Dlg& dialog, int id) {
    wchar_t text[100] = {};
    GetDlgItemTextW(dialog.GetHandle(), id, text, 100);
    return text;
  }
  static void Notify(Dlg& dialog, int id, UINT code) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)));
  }
  static void Spin(Dlg& dialog, int delta) {
    NMUPDOWN change{};
    change.hdr.hwndFrom = dialog.GetDlgItem(IDC_CC_SPIN);
    change.hdr.idFrom = IDC_CC_SPIN;
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = delta;
    dialog.SendMessage(WM_NOTIFY, IDC_CC_SPIN, reinterpret_cast<LPARAM>(&change));
  }
  void SetUp() override {
    doctest::ZRDocTest::SetUp();
    mCurrent.Attach(SettingsCOM::Create(nullptr, 1));
    mCurrent->AddRef();
  }

  ScriptedModalSeam mSeam;
  ComPtr<SettingsCOM> mCurrent;
  int mShown = 0;
};

TEST_F(ChanCalcDialog, RefusalsShowTheirMessageAnswerOneAndShowNoDialog) {
  Open(1, 2000);
  ComPtr<IPersistObject> edited;
  EXPECT_EQ(Run(nullptr, edited, 0), S_FALSE);  // the analysis channel itself
  mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingAnalysisType)->Set(-1);
  EXPECT_EQ(Run(nullptr, edited), S_FALSE);
  ASSERT_EQ(gBoxes.size(), 2u);
  EXPECT_EQ(gBoxes[0].text, L"A Ondara channel calculation can not be set on the Ondara source channel.");
  EXPECT_EQ(gBoxes[1].text.rfind(L"Choose an analysis type before using channel calculations.", 0), 0u);
  EXPECT_EQ(gBoxes[1].type, UINT{MB_ICONERROR});
  EXPECT_EQ(mShown, 0);
  EXPECT_EQ(edited.Get(), nullptr);
}

TEST_F(ChanCalcDialog, RefusesWithoutThePeriodixExtensionOrAnAnalysisDocument) {
  Open(1, 2000, false);
  ComPtr<IPersistObject> edited;
  EXPECT_EQ(Run(nullptr, edited), S_FALSE);
  mData = host::DataDocument::Create(doctest::CardiacRecording(1, 2000));
  HostPtr<host::HostDocument> bare = host::HostDocument::Create(mData);
  mShown = 0;
  EXPECT_EQ(ZR::ChanCalc::RunSettingsDialog(nullptr, static_cast<IHostDocument*>(bare.Get()), nullptr, mCurrent.Get(),
                                            edited.Out(), 1, 0),
            S_FALSE);
  ASSERT_EQ(gBoxes.size(), 2u);
  EXPECT_EQ(gBoxes[0].text, L"Ondara requires the Periodix standard extension.");
  EXPECT_EQ(gBoxes[1].text.rfind(L"Choose an analysis type", 0), 0u);
  EXPECT_EQ(mShown, 0);
}

TEST_F(ChanCalcDialog, TheListLeavesOutTheTimeStampAndShowsTheScaleInThePrefixedUnit) {
  ZRDoc& document = Open(1, 2000);
  const ZR::Doc::ParamCatalogue& catalogue = *document.GetSettings().GetCatalogue();
  ASSERT_GE(catalogue.IndexOfId(1, Dlg::kTimeStampId), 0);
  mCurrent->Values().scaleTop = 0.005f;
  mCurrent->Values().autoScale = false;
  ComPtr<IPersistObject> edited;
  Run([&](Dlg& dialog) {
    HWND const list = dialog.GetDlgItem(IDC_CC_PARAMETER);
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(count, catalogue.Count(1) - 1);
    for (int p = 0; p < count; ++p) EXPECT_NE(catalogue.GetId(1, ZR::ChanCalc::CatalogueIndexFromListPos(p, dialog.LeftOut())), 58);
    EXPECT_EQ(Text(dialog, IDC_CC_TYPE), L"Cardiac Action Potential");
    EXPECT_EQ(dialog.ParameterUnit().prefix, L'm');
    EXPECT_EQ(Text(dialog, IDC_CC_TOP), L"5");
    EXPECT_EQ(Text(dialog, IDC_CC_TOP_UNITS), L"mV");
    SetDlgItemTextW(dialog.GetHandle(), IDC_CC_BOTTOM, L"not a number");
    dialog.ReadControls();
    EXPECT_EQ(dialog.Settings().Values().scaleBottom, -1.0f);  // kept, not 0
    EXPECT_FLOAT_EQ(dialog.Settings().Values().scaleTop, 0.005f);
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
  }, edited);
  EXPECT_EQ(mShown, 1);
}

TEST_F(ChanCalcDialog, DecimalPlacesStayFromZeroToSixAndAutoScaleDisablesTheScale) {
  Open(1, 2000);
  ComPtr<IPersistObject> edited;
  Run([&](Dlg& dialog) {
    SetDlgItemTextW(dialog.GetHandle(), IDC_CC_DECIMALS, L"9");
    EXPECT_EQ(Text(dialog, IDC_CC_DECIMALS), L"6");
    Spin(dialog, -1);  // the up arrow
    EXPECT_EQ(Text(dialog, IDC_CC_DECIMALS), L"6");
    for (int i = 0; i < 8; ++i) Spin(dialog, 1);
    EXPECT_EQ(Text(dialog, IDC_CC_DECIMALS), L"0");
    Spin(dialog, -1);
    EXPECT_EQ(Text(dialog, IDC_CC_DECIMALS), L"1");
    const int scaleControls[] = {IDC_CC_TOP, IDC_CC_BOTTOM, IDC_CC_TOP_LABEL, IDC_CC_BOTTOM_LABEL, IDC_CC_TOP_UNITS,
                                 IDC_CC_BOTTOM_UNITS};
    for (int id : scaleControls) EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(id))) << id;
    CheckDlgButton(dialog.GetHandle(), IDC_CC_AUTO_SCALE, BST_UNCHECKED);
    Notify(dialog, IDC_CC_AUTO_SCALE, BN_CLICKED);
    for (int id : scaleControls) EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(id))) << id;
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
  }, edited);
  EXPECT_EQ(mShown, 1);
}

TEST_F(ChanCalcDialog, CancelAnswersOneAndChangesNothing) {
  Open(1, 2000);
  ComPtr<IPersistObject> edited;
  EXPECT_EQ(Run([](Dlg& dialog) {
              SetDlgItemTextW(dialog.GetHandle(), IDC_CC_DECIMALS, L"2");
              dialog.SendMessage(WM_COMMAND, IDCANCEL);
            }, edited),
            S_FALSE);
  EXPECT_EQ(edited.Get(), nullptr);
  EXPECT_EQ(mCurrent->Values().decimalPlaces, 4);
  EXPECT_TRUE(mHost->Messages().empty());
}

TEST_F(ChanCalcDialog, OkHandsBackTheEditedSettingsScalesThemAndTellsTheHostDocument) {
  Open(2, 5000);
  ASSERT_EQ(SendAnalyze(), S_OK);
  ComPtr<IPersistObject> edited;
  const int32_t triggersBefore = mHost->Triggers();
  EXPECT_EQ(Run([](Dlg& dialog) {
              SetDlgItemTextW(dialog.GetHandle(), IDC_CC_DECIMALS, L"3");
              dialog.SendMessage(WM_COMMAND, IDOK);
            }, edited),
            S_OK);
  SettingsCOM* const result = SettingsCOM::FromInterface(edited.Get());
  ASSERT_NE(result, nullptr);
  EXPECT_NE(result, mCurrent.Get());
  EXPECT_EQ(result->Values().decimalPlaces, 3);
  EXPECT_EQ(result->Values().outputChannel, 1);
  EXPECT_TRUE(mDoc->PersistenceRegistered());
  EXPECT_EQ(mHost->Triggers(), triggersBefore);  // not sampling
  // Prepare ran over the recording: the scale is the measurement's range, not the default.
  EXPECT_NE(result->Values().scaleTop, 1.0f);
  EXPECT_GT(result->Values().scaleTop, result->Values().scaleBottom);
  ASSERT_EQ(mHost->Messages().size(), 1u);
  const host::HostDocument::NotedMessage& message = mHost->Messages()[0];
  EXPECT_EQ(message.id, 0x800C004Au);
  EXPECT_EQ(message.flags, 0u);
  EXPECT_EQ(message.argument, 0x331u);
  EXPECT_EQ(message.data[0], 1u);
  EXPECT_EQ(message.values, (std::vector<double>{32000.0, -32000.0}));
  EXPECT_EQ(mCurrent->Values().decimalPlaces, 4);
}

TEST_F(ChanCalcDialog, AutoScaleWhileSamplingTriggersTheHostAndPreparesWithoutTheFlag) {
  Open(2, 5000);
  ASSERT_EQ(SendAnalyze(), S_OK);
  host::Sampler sampler(mData.Get());
  ASSERT_EQ(sampler.Start(), S_OK);
  const int32_t triggersBefore = mHost->Triggers();
  ComPtr<IPersistObject> edited;
  std::wstring caption;
  EXPECT_EQ(Run([&caption](Dlg& dialog) {
              caption = dialog.GetWindowText();
              dialog.SendMessage(WM_COMMAND, IDOK);
            }, edited),
            S_OK);
  EXPECT_EQ(caption, L"Ondara - Channel 2") << "the new channel after the recorded one";
  EXPECT_EQ(mHost->Triggers(), triggersBefore + 1);
  SettingsCOM* const result = SettingsCOM::FromInterface(edited.Get());
  ASSERT_NE(result, nullptr);
  EXPECT_GT(result->Values().scaleTop, result->Values().scaleBottom);
  EXPECT_NE(result->Values().scaleTop, 1.0f) << "Prepare ran";
  EXPECT_EQ(host::LastPrepareFlags(), 0u);
}

TEST_F(ChanCalcDialog, HelpAsksForTheChannelCalculationTopic) {
  Open(1, 2000);
  lumo_observe::Clear();
  ComPtr<IPersistObject> edited;
  Run([](Dlg& dialog) {
    Notify(dialog, 9, BN_CLICKED);
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
  }, edited);
  std::wstring file;
  std::wstring topic;
  ASSERT_TRUE(lumo_observe::GetHelpRequest(0, file, topic));
  EXPECT_EQ(topic, L"ZR_ChannelCalc");
  EXPECT_FALSE(lumo_observe::GetHelpRequest(1, file, topic));
}

}  // namespace
