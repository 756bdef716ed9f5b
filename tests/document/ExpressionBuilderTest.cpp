// The analysis formula text written from the settings: detector texts per analysis type and
// method, the response-peak wrap, the calculation chains, the selector and the stored texts.
#include "document/ExpressionBuilder.h"

#include "document/ParamCatalogue.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/document/FakePeriodix.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using ZR::ExpressionBuilder;
using ZR::ExpressionMode;
using ZR::Doc::SettingsStore;

// The detector and full analysis of the cardiac type on the first channel with every default,
// around the source object's stored text "S" and a detector text "T".
constexpr wchar_t kCardiacDetector[] =
    L"cappwf( ch1, calcbase( ch1, cappeakdet( S, 0.03, 0, 0, 0, 0, 0), 1000, 5, -1, -1, 0, 0, 0, 0, 0, 0 ), "
    L"50, 0, 0, 0, 0 )";
constexpr wchar_t kCardiacCalculation[] =
    L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, T, 1000, 5, -1, -1, 0, 0, 0, 0, 0, 0 ), 5, 0, 0, "
    L"0, 0, 0, 0 ), 50, 50, 0, 30, 0, 0, 0, 0 ), 1, 5, 10, 1, 0, 10, 90, 40, 90, 5, 5, 10, 11, 10, 5, 4, 0, 0, 0, 0 )";

class ExpressionBuilderTest : public doctest::DocumentTest {
 protected:
  static void SetUpTestSuite() {
    doctest::DocumentTest::SetUpTestSuite();
    ZR::Doc::BuildParamCatalogue(sCatalogue);
  }

  void SetUp() override {
    mStore = std::make_unique<SettingsStore>(sCatalogue.get());
    mStore->GetOrCreateGroup(0, -1, mPeriodix.Get());
    mFile = doctest::MakeDataFile();
    // The source object as the document hands it over: its stored text read as "S".
    DataObjectId source{kNewDataObject, kDataObjectRequestKind};
    host::HostPtr<QOR::IQORString> name;
    ASSERT_EQ(S_OK, mFile->Objects().NewObject(0, 0, 0, name.Out(), &source));
    ASSERT_EQ(S_OK, mFile->Objects().SetFormula(source.id, kMarkerObjectKind, L"S", L""));
    mStore->SetLongValue(ZR::Doc::kSettingSourceObject, source.id);
  }

  void Set(int32_t id, const wchar_t* value) {
    ZR::Doc::ZRSetting* const setting = mStore->FindSetting(ZR::Doc::SettingIdOf(id));
    ASSERT_NE(nullptr, setting) << id;
    setting->FromText(QOR::String(value), true);
  }
  std::wstring Detector() {
    ExpressionBuilder builder(*mStore, doctest::AsFile(mFile.Get()));
    std::wstring text;
    builder.WriteDetectorChain(text);
    return text;
  }
  std::wstring Calculation(const wchar_t* detector = L"T") {
    ExpressionBuilder builder(*mStore, doctest::AsFile(mFile.Get()));
    std::wstring ignored;
    builder.WriteDetectorChain(ignored);
    std::wstring text = detector;
    builder.WriteCalculationChain(text);
    return text;
  }
  std::wstring ResponsePeak() {
    ExpressionBuilder builder(*mStore, doctest::AsFile(mFile.Get()));
    std::wstring text;
    builder.WriteDetectorChain(text);
    builder.WriteERPeakDetChain(text);
    return text;
  }

  static std::unique_ptr<ZR::Doc::ParamCatalogue> sCatalogue;
  host::HostPtr<doctest::FakeHostDataDocument> mPeriodix{new doctest::FakeHostDataDocument, false};
  std::unique_ptr<SettingsStore> mStore;
  host::HostPtr<host::DataDocument> mFile;
};

std::unique_ptr<ZR::Doc::ParamCatalogue> ExpressionBuilderTest::sCatalogue;

TEST_F(ExpressionBuilderTest, CardiacDefaultsGiveTheWorkedExampleByteForByte) {
  Set(2000, L"1");
  EXPECT_EQ(kCardiacDetector, Detector());
  EXPECT_EQ(kCardiacCalculation, Calculation());
}

struct TypeMethodRow {
  const wchar_t* type;
  const wchar_t* method;
  const wchar_t* detector;
  const wchar_t* calculationHead;  // the calculation chain's start around "T"
};

// Every analysis type with every stimulus method (the method matters to types 3 and 4 only).
TEST_F(ExpressionBuilderTest, EveryTypeAndMethodWritesItsDetectorAndChain) {
  const TypeMethodRow rows[] = {
      {L"0", L"4", L"pcc( ch1, pxdetect( ch1, 0, -1, c0000000 ), 0, 0, 0, 0 )",
       L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, T, 1000, 5, -1, -1, 3, 0, 0, 0, 0, 0 ), 5, 1, 0,"},
      {L"2", L"2", L"pcc( ch1, pxdetect( ch1, 0, -1, c0000000 ), 0, 0, 0, 0 )",
       L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, T, 1000, 5, -1, -1, 3, 0, 0, 0, 0, 0 ), 5, 1, 0,"},
      {L"1", L"2", kCardiacDetector, L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, T, 1000, 5, -1, -1,"},
      {L"5", L"3",
       L"cappwf( ch1, calcbase( ch1, cappeakdet( S, 0.03, 0, 0, 0, 0, 0), 1000, 5, -1, -1, 0, 0, 0, 0, 0, 0 ), "
       L"4, 0, 0, 0, 0 )",
       L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, T, 1000, 5, -1, -1, 0, 0, 0, 0, 0, 0 ), 12, 0, 0,"},
      {L"3", L"2", L"erstimsob( 50, 0, 0, 0, 0) ",
       L"calcbulk( ch1, calcbase2( ch1, calcamax( ch1, calcbase( ch1, T, 1000, 5, 0, 100, 0, 0, 0, 0, 0, 0 ), 5, 0, 0,"},
      {L"3", L"3", L"erstimdet( ch1, 1, 1, 0, 10, 0, 0, 0, 0, 0) ", L"calcbulk( "},
      {L"3", L"4", L"erstimdet( ch1, 1, 1, 10, 10, 1, 0, 0, 0, 0) ", L"calcbulk( "},
      {L"3", L"5", L"77", L"calcbulk( "},
      {L"4", L"2", L"pspeakdet( S, erstimsob( 50, 0, 0, 0, 0) , 0, 100, 0, 0, 0, 0) ",
       L"pscalc( ch1, T, 10, 11, 10, 0, 0, 0, 0 )"},
      {L"4", L"3", L"pspeakdet( S, erstimdet( ch1, 0.0005, 1, 0, 10, 0, 0, 0, 0, 0) , 0, 100, 0, 0, 0, 0) ",
       L"pscalc( ch1, T, 10, 11, 10, 0, 0, 0, 0 )"},
      {L"4", L"4", L"pspeakdet( S, erstimdet( ch1, 0.0005, 1, 10, 10, 1, 0, 0, 0, 0) , 0, 100, 0, 0, 0, 0) ",
       L"pscalc( "},
      {L"4", L"5", L"77", L"pscalc( ch1, T, 10, 11, 10, 0, 0, 0, 0 )"},
      {L"6", L"4", L"77", L"calcbulk( "},
  };
  for (const TypeMethodRow& row : rows) {
    Set(2000, row.type);
    Set(1000, row.method);
    EXPECT_EQ(row.detector, Detector()) << "type " << row.type << " method " << row.method;
    EXPECT_EQ(0u, Calculation().find(row.calculationHead)) << "type " << row.type << " method " << row.method
                                                            << ": " << Calculation();
  }
  // A fixed or lowest-sample baseline chosen for a synaptic analysis stays as chosen.
  Set(2000, L"2");
  Set(1039, L"2");
  EXPECT_NE(Calculation().find(L"calcbase( ch1, T, 1000, 5, -1, -1, 2, 0, "), std::wstring::npos) << Calculation();
}

TEST_F(ExpressionBuilderTest, DetectionObjectReadingTheSourceGetsItsReferenceAndId) {
  Set(2000, L"2");
  IPXDetectionSettings* const detection = mStore->GetDetectionSettingsObject();
  ASSERT_NE(nullptr, detection);
  static_cast<doctest::FakeDetectionSettings*>(detection)->usesSource = true;
  const std::wstring id = std::to_wstring(mStore->GetLongValue(ZR::Doc::kSettingSourceObject));
  EXPECT_EQ(L"pcc( ch1, pxdetect( S, 1, " + id + L", 4 ), 0, 0, 0, 0 )", Detector());

  SettingsStore bare(sCatalogue.get());
  bare.GetOrCreateGroup(0, -1, nullptr);  // no Periodix: no detection object
  bare.FindSetting(ZR::Doc::kSettingAnalysisType)->FromText(QOR::String(L"0"), true);
  ExpressionBuilder builder(bare, nullptr);
  std::wstring text = L"old";
  builder.WriteDetectorChain(text);
  EXPECT_EQ(L"77", text);
  EXPECT_TRUE(builder.Pending());
}

TEST_F(ExpressionBuilderTest, ResponsePeakWrapFollowsSetting1009AndLeavesOtherTextsAlone) {
  Set(2000, L"3");
  Set(1000, L"2");
  EXPECT_EQ(L"erpeakdet( S, erstimsob( 50, 0, 0, 0, 0) , 0.03, 0, 100, 0, 0, 0, 0)", ResponsePeak());
  Set(1009, L"f");
  EXPECT_EQ(L"erpeakdet( S, erstimsob( 50, 0, 0, 0, 0) , 1, 0, 0, 0, 0, 0, 0)", ResponsePeak());
  Set(1000, L"5");
  EXPECT_EQ(L"77", ResponsePeak()) << "the fallback is not wrapped";
  Set(2000, L"4");
  Set(1000, L"2");
  EXPECT_EQ(0u, ResponsePeak().find(L"pspeakdet( ")) << "only the evoked-response type is wrapped";
}

TEST_F(ExpressionBuilderTest, RegionChannelNumbersAndSelectorAreWrittenExactly) {
  Set(2000, L"1");
  Set(1036, L"f");
  mStore->SetLongValue(ZR::Doc::kSettingRegionStartRecord, 1);
  mStore->SetLongValue(ZR::Doc::kSettingRegionStartTick, 200);
  mStore->SetLongValue(ZR::Doc::kSettingRegionEndRecord, 3);
  mStore->SetLongValue(ZR::Doc::kSettingRegionEndTick, 400);
  EXPECT_EQ(L"cappeakdet( S, 0.03, 50, 0, 0, 0, 0)", Detector()) << "no region while 2012 is set";
  Set(2012, L"f");
  EXPECT_EQ(L"cappeakdet( S, 0.03, 50, 1, 200, 3, 400)", Detector());
  // Seven digits stay seven digits: the formula gets the value the user typed.
  Set(1006, L"0.0001234567");
  Set(1001, L"1234567");
  EXPECT_EQ(L"cappeakdet( S, 0.0001234567, 1234567, 1, 200, 3, 400)", Detector());

  mStore->SetLongValue(ZR::Doc::kSettingAnalysisChannel, 4);
  mStore->GetOrCreateGroup(4, 0, nullptr);
  EXPECT_EQ(0u, Calculation().find(L"calcbulk( ch5, calcbase2( ch5, ")) << Calculation();

  ExpressionBuilder builder(*mStore, nullptr);
  std::wstring text = L"T";
  builder.WriteSelector(text, 5);
  EXPECT_EQ(L"zrselector( T, 5)", text);
}

TEST_F(ExpressionBuilderTest, MissingSourceObjectReadsTheAnalysisChannelNotChannelZero) {
  Set(2000, L"1");
  Set(1036, L"f");
  mStore->SetLongValue(ZR::Doc::kSettingSourceObject, -1);
  mStore->SetLongValue(ZR::Doc::kSettingAnalysisChannel, 4);
  mStore->GetOrCreateGroup(4, 0, nullptr);
  EXPECT_EQ(0u, Detector().find(L"cappeakdet( ch5, ")) << Detector();
}

TEST_F(ExpressionBuilderTest, StoredTextsComeFromTheObjectsOrLeaveTheTextAlone) {
  DataObjectId detector{kNewDataObject, kDataObjectRequestKind};
  host::HostPtr<QOR::IQORString> name;
  ASSERT_EQ(S_OK, mFile->Objects().NewObject(0, 0, 0, name.Out(), &detector));
  mStore->SetLongValue(ZR::Doc::kSettingDetectorObject, detector.id);
  std::wstring text = L"before";
  EXPECT_FALSE(ZR::BuildAnalysisExpression(*mStore, doctest::AsFile(mFile.Get()), text, ExpressionMode::kStoredDetector))
      << "an object without a formula gives no text";
  ASSERT_EQ(S_OK, mFile->Objects().SetFormula(detector.id, kMarkerObjectKind, L"cappeakdet( ch1, 0.5 )", L""));
  EXPECT_TRUE(ZR::BuildAnalysisExpression(*mStore, doctest::AsFile(mFile.Get()), text, ExpressionMode::kStoredDetector));
  EXPECT_EQ(L"cappeakdet( ch1, 0.5 )", text);

  text = L"kept";
  EXPECT_FALSE(ZR::BuildAnalysisExpression(*mStore, nullptr, text, ExpressionMode::kStoredAnalysis));
  EXPECT_EQ(L"kept", text) << "no data document: the caller's text stays";
  Set(2000, L"6");
  EXPECT_FALSE(ZR::BuildAnalysisExpression(*mStore, nullptr, text, ExpressionMode::kDetector)) << "fallback";
  EXPECT_EQ(L"77", text);
}

}  // namespace
