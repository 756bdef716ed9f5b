// Tests of the parameter catalogue, the analysis-type list order and the parameter units.
#include "document/ParamCatalogue.h"

#include "document/AnalysisType.h"
#include "document/ParameterUnits.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using namespace ZR::Doc;

std::wstring Text(const QOR::String& s) { return s.GetText(); }

class ParamCatalogueTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildParamCatalogue(sCatalogue); }
  static void TearDownTestSuite() { sCatalogue.reset(); }
  static const ParamCatalogue& Catalogue() { return *sCatalogue; }

 private:
  static std::unique_ptr<ParamCatalogue> sCatalogue;
};

std::unique_ptr<ParamCatalogue> ParamCatalogueTest::sCatalogue;

TEST_F(ParamCatalogueTest, ListsTheMeasurementsOfEachTypeOnceEach) {
  const int counts[kAnalysisTypeCount] = {33, 22, 10, 14, 6, 18};
  int total = 0;
  for (int type = 0; type < kAnalysisTypeCount; ++type) {
    EXPECT_EQ(Catalogue().Count(type), counts[type]) << "type " << type;
    std::set<int> ids;
    for (int index = 0; index < Catalogue().Count(type); ++index) {
      const int id = Catalogue().GetId(type, index);
      EXPECT_TRUE(id >= 0 && id <= 58) << "type " << type << " index " << index;
      EXPECT_TRUE(ids.insert(id).second) << "type " << type << " repeats id " << id;
      EXPECT_FALSE(Catalogue().GetShortName(type, index).IsEmpty());
      EXPECT_EQ(Catalogue().IndexOfId(type, id), index);
    }
    total += Catalogue().Count(type);
  }
  EXPECT_EQ(total, 103);
  EXPECT_EQ(Catalogue().Count(6), 0);
}

TEST_F(ParamCatalogueTest, LooksRecordsUpByTypeAndId) {
  EXPECT_EQ(Catalogue().IndexOfId(4, 9), -1);
  EXPECT_EQ(Text(Catalogue().GetShortNameById(4, 9)), L"?");
  EXPECT_EQ(Catalogue().FindRecord(4, 9), nullptr);
  EXPECT_EQ(Catalogue().IndexOfId(1, 58), 21);
  EXPECT_EQ(Catalogue().IndexOfId(4, 0), 0);
  EXPECT_EQ(Catalogue().IndexOfId(6, 0), -1);
  EXPECT_EQ(Catalogue().IndexOfId(-1, 0), -1);
  // One quantity keeps its id across types though its names differ.
  EXPECT_EQ(Text(Catalogue().FindRecord(0, 9)->longName), L"Peak Width");
  EXPECT_EQ(Text(Catalogue().FindRecord(5, 9)->longName), L"Positive Peak Width");
  EXPECT_EQ(Text(Catalogue().GetShortNameById(3, 56)), L"ResponseArea");
  EXPECT_EQ(Text(Catalogue().GetShortNameById(1, 11)), L"Max dV/dt");
  for (int type = 0; type < kAnalysisTypeCount; ++type) {
    EXPECT_EQ(Text(Catalogue().GetShortNameById(type, 58)), L"TimeDate");
  }
  // Flags and descriptions reach the right slot.
  EXPECT_EQ(Catalogue().GetFlag(4, 0), 0);
  EXPECT_EQ(Catalogue().GetFlag(0, 1), 1);
  EXPECT_EQ(Text(Catalogue().GetDescription(2, 9)),
            L"The time and date stamp at the start of the peak. The format matches the Kymora "
            L"display settings.");
}

TEST_F(ParamCatalogueTest, SlotsOutsideATypesRecordsAreEmpty) {
  EXPECT_EQ(Catalogue().GetId(4, 6), -1);
  EXPECT_EQ(Text(Catalogue().GetLongName(4, 6)), L"?");
  EXPECT_EQ(Text(Catalogue().GetDescription(4, -1)), L"?");
  EXPECT_TRUE(Catalogue().GetShortName(7, 0).IsEmpty());
}

TEST(ParamCatalogue, RefusesRecordsPastTheTable) {
  ParamCatalogue catalogue;
  ParamRecord record;
  record.id = 1;
  for (int i = 0; i < kParamSlotsPerType; ++i) catalogue.AddParamRecord(2, record);
  EXPECT_THROW(catalogue.AddParamRecord(2, record), std::out_of_range);
  EXPECT_THROW(catalogue.AddParamRecord(6, record), std::out_of_range);
  EXPECT_EQ(catalogue.Count(2), kParamSlotsPerType);
}

TEST(AnalysisType, ListOrderAndNamesMapBothWays) {
  const int typeAt[] = {0, 5, 3, 1, 2, 4};
  for (int pos = 0; pos < 6; ++pos) {
    EXPECT_EQ(AnalysisTypeFromListPos(pos), typeAt[pos]);
    EXPECT_EQ(ListPosFromAnalysisType(typeAt[pos]), pos);
  }
  for (int outside : {-1, 6, 100}) {
    EXPECT_EQ(AnalysisTypeFromListPos(outside), -1);
    EXPECT_EQ(ListPosFromAnalysisType(outside), -1);
    EXPECT_EQ(Text(AnalysisTypeName(outside)), L"???");
  }
  EXPECT_EQ(Text(AnalysisTypeName(AnalysisTypeFromListPos(1))), L"Action Potential");
  EXPECT_EQ(Text(AnalysisTypeName(4)), L"Population Spike");
}

TEST(ParameterUnits, FollowTheKindOfEachMeasurement) {
  const struct {
    int id;
    const wchar_t* channelUnits;
    const wchar_t* text;
    wchar_t prefix;
  } cases[] = {
      {0, L"V", L"s", 0},          {57, L"V", L"s", 0},       {3, L"V", L"s", L'm'},
      {55, L"V", L"s", L'm'},      {5, L"V", L"V", L'm'},     {49, L"V", L"V", L'm'},
      {48, L"V", L"V/s", L'm'},    {48, L"", L"Hz", L'm'},    {11, L" ", L"Hz", L'm'},
      {56, L"V", L"V.s", L'm'},    {56, L" ", L"Units.s", L'm'},
      {10, L"", L"Units.s", L'm'}, {1, L"V", L"", 0},         {58, L"V", L"", 0},
      {22, L"V", L"?", L'm'},      {59, L"V", L"?", L'm'},    {-1, L"V", L"?", L'm'},
  };
  for (const auto& c : cases) {
    const QOR::UnitWithPrefix unit = ParameterUnits(c.id, c.channelUnits, L'm');
    EXPECT_EQ(unit.baseUnit, c.text) << "id " << c.id;
    EXPECT_EQ(unit.prefix, c.prefix) << "id " << c.id;
  }
}

TEST_F(ParamCatalogueTest, EveryListedMeasurementHasAUnit) {
  for (int type = 0; type < kAnalysisTypeCount; ++type) {
    for (int index = 0; index < Catalogue().Count(type); ++index) {
      const int id = Catalogue().GetId(type, index);
      EXPECT_NE(ParameterUnits(id, L"V", 0).baseUnit, L"?") << "id " << id;
    }
  }
}

}  // namespace
