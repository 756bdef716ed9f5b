// The enumerator class objects' answers to the host: names, aliases, parameters and kinds.
#include "enumerators/framework/CalcEnumClassBase2.h"

#include "base/String.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <cfloat>
#include <string>

using namespace CalcEnums;

namespace {

// A class object without creation, enough to ask for its description.
class DescribingClass final : public CalcEnumClassBase2 {
 public:
  explicit DescribingClass(EnumClassId id) : CalcEnumClassBase2(&ClassRow(id), &ClassTableOf(id)) {}
  HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown*, ICalcEnum** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown*, IUnknown*, IUnknown** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
};

std::wstring Take(QOR::IQORString* s) { return QOR::String::Adopt(s).GetText(); }

struct ClassExpectation {
  EnumClassId id;
  const wchar_t* name;
  const wchar_t* aliases[2];
  int32_t paramCount;
  int32_t sourceCount;
  uint32_t kindC;
};

constexpr ClassExpectation kExpected[] = {
    {EnumClassId::CacheSelector, L"CacheSelector", {L"ZRCacheSelector"}, 3, 0, 0},
    {EnumClassId::PSCacheSelector, L"PSCacheSelector", {L"ZRPSCacheSelector"}, 3, 0, 0},
    {EnumClassId::CalcAMax, L"CalcAMax", {L"ZRCalcAMax"}, 9, 2, 0xA0000000u},
    {EnumClassId::CalcBase, L"CalcBase", {L"ZRBaseCalc"}, 12, 2, 0xA0000000u},
    {EnumClassId::CalcBase2, L"CalcBase2", {L"ZRBaseCalc2"}, 10, 2, 0xA0000000u},
    {EnumClassId::CalcBulk, L"CalcBulk", {L"ZRBulkCalc"}, 22, 2, 0xA0000000u},
    {EnumClassId::CAPPeakDet, L"CAPPeakDet", {L"CAPPeak"}, 7, 1, 0xA0000000u},
    {EnumClassId::CAPPWF, L"CAPPWF", {L"ZRCAPPWF"}, 7, 2, 0xA0000000u},
    {EnumClassId::PeakCycConvert, L"PeakCycConvert", {L"PXConvert", L"PCC"}, 6, 2, 0},
    {EnumClassId::ERPeakDet, L"ERPeakDet", {L"ERPeak"}, 9, 2, 0xA0000000u},
    {EnumClassId::ERStimDet, L"ERStimDet", {L"ERStimulated"}, 10, 1, 0xA0000000u},
    {EnumClassId::ERStimSOB, L"ERStimSOB", {L"ZRSOB"}, 5, 0, 0},
    {EnumClassId::PSCalcBase, L"PSCalcBase", {L"PSCalc"}, 9, 2, 0xA0000000u},
    {EnumClassId::PSPeakDet, L"PSPeakDet", {L"PSPeak"}, 8, 2, 0xA0000000u},
    {EnumClassId::Selector, L"Selector", {L"ZRSelector"}, 2, 1, 0},
};

}  // namespace

TEST(CalcEnumClass, EveryClassAnswersItsNameAliasesAndCounts) {
  for (const ClassExpectation& e : kExpected) {
    SCOPED_TRACE(testing::Message() << "class " << static_cast<int>(e.id));
    DescribingClass cls(e.id);
    QOR::IQORString* name = nullptr;
    ASSERT_EQ(S_OK, cls.GetName(&name));
    EXPECT_EQ(e.name, Take(name));
    const int32_t expectedAliases = e.aliases[1] ? 2 : 1;
    int32_t aliasCount = 0;
    ASSERT_EQ(S_OK, cls.GetAliasCount(&aliasCount));
    EXPECT_EQ(expectedAliases, aliasCount);
    for (int32_t i = 0; i < aliasCount; ++i) {
      QOR::IQORString* alias = nullptr;
      ASSERT_EQ(S_OK, cls.GetAlias(i, &alias));
      EXPECT_EQ(e.aliases[i], Take(alias));
    }
    QOR::IQORString* resultName = nullptr;
    uint32_t typeId = 0, c = 0, d = 0;
    int32_t params = 0, sources = 0;
    ASSERT_EQ(S_OK, cls.GetResultInfo(&resultName, &typeId, &params, &sources, &c, &d));
    EXPECT_EQ(e.name, Take(resultName));
    EXPECT_EQ(e.paramCount, params);
    EXPECT_EQ(e.sourceCount, sources);
    EXPECT_EQ(e.kindC, c);
    EXPECT_EQ(0x40000000u, d);
    uint32_t flags = 1;
    EXPECT_EQ(S_OK, cls.GetFlags(&flags));
    EXPECT_EQ(0u, flags);
  }
}

TEST(CalcEnumClass, AliasPastTheCountIsRejected) {
  DescribingClass cls(EnumClassId::CalcAMax);
  QOR::IQORString* alias = reinterpret_cast<QOR::IQORString*>(1);
  EXPECT_EQ(E_INVALIDARG, cls.GetAlias(1, &alias));
  EXPECT_EQ(nullptr, alias);
  EXPECT_EQ(E_INVALIDARG, cls.GetAlias(-1, &alias));
  DescribingClass pcc(EnumClassId::PeakCycConvert);
  EXPECT_EQ(E_INVALIDARG, pcc.GetAlias(2, &alias));
}

TEST(CalcEnumClass, ParamInfoFollowsTheTable) {
  DescribingClass cls(EnumClassId::CalcAMax);
  double high = 0, low = 0;
  uint32_t kind = 0;
  QOR::IQORString* name = nullptr;
  ASSERT_EQ(S_OK, cls.GetParamInfo(8, &high, &low, &kind, &name));
  EXPECT_EQ(L"LimitEnd Tick", Take(name));
  EXPECT_EQ(DBL_MAX, high);
  EXPECT_EQ(-1.0, low);
  EXPECT_EQ(0x40000000u, kind);
  EXPECT_EQ(E_INVALIDARG, cls.GetParamInfo(9, &high, &low, &kind, nullptr));
  ASSERT_EQ(S_OK, cls.GetParamInfo(0, &high, &low, &kind, nullptr));
  EXPECT_EQ(0x80000000u, kind);
  EXPECT_EQ(0.0, high);
  EXPECT_EQ(S_OK, cls.GetParamInfo(3, nullptr, nullptr, nullptr, nullptr));

  DescribingClass bulk(EnumClassId::CalcBulk);
  ASSERT_EQ(S_OK, bulk.GetParamInfo(16, &high, &low, nullptr, &name));
  EXPECT_EQ(L"MaxNegSlope Start ms", Take(name));
  EXPECT_EQ(1000000.0, high);
  ASSERT_EQ(S_OK, bulk.GetParamInfo(6, &high, &low, nullptr, nullptr));
  EXPECT_EQ(-DBL_MAX, low);

  DescribingClass stim(EnumClassId::ERStimDet);
  ASSERT_EQ(S_OK, stim.GetParamInfo(5, &high, &low, &kind, &name));
  EXPECT_EQ(L"OneStimPerBlock_0_or_1", Take(name));
  EXPECT_EQ(1.0, high);

  DescribingClass sob(EnumClassId::ERStimSOB);
  ASSERT_EQ(S_OK, sob.GetParamInfo(0, &high, &low, &kind, nullptr));
  EXPECT_EQ(0u, kind);
  DescribingClass selector(EnumClassId::Selector);
  ASSERT_EQ(S_OK, selector.GetParamInfo(0, &high, &low, &kind, nullptr));
  EXPECT_EQ(0x40000000u, kind);
}

TEST(CalcEnumClass, CheckParamKindAcceptsOnlySourceParameters) {
  struct Case {
    EnumClassId id;
    int32_t index;
    uint32_t kind;
    HRESULT expected;
  };
  const Case cases[] = {
      {EnumClassId::CalcBase, 0, 0x80000000u, S_OK},
      {EnumClassId::CalcBase, 0, 0x40000000u, S_FALSE},
      {EnumClassId::CalcBase, 1, 0x40000000u, S_OK},
      {EnumClassId::CalcBase, 1, 0x80000000u, S_FALSE},
      {EnumClassId::CalcBase, 2, 0x40000000u, E_INVALIDARG},
      {EnumClassId::PeakCycConvert, 1, 0xC0000000u, S_OK},
      {EnumClassId::CAPPeakDet, 0, 0x80000000u, S_OK},
      {EnumClassId::CAPPeakDet, 1, 0x40000000u, E_INVALIDARG},
      {EnumClassId::ERStimDet, 1, 0x40000000u, E_INVALIDARG},
      {EnumClassId::Selector, 0, 0x40000000u, S_OK},
      {EnumClassId::Selector, 0, 0x80000000u, S_FALSE},
      {EnumClassId::CacheSelector, 0, 0xFFFFFFFFu, E_INVALIDARG},
      {EnumClassId::ERStimSOB, 0, 0xFFFFFFFFu, E_INVALIDARG},
      {EnumClassId::CalcBulk, -1, 0x80000000u, E_INVALIDARG},
  };
  for (const Case& c : cases) {
    DescribingClass cls(c.id);
    EXPECT_EQ(c.expected, cls.CheckParamKind(c.index, c.kind))
        << "class " << static_cast<int>(c.id) << " index " << c.index;
  }
}

TEST(CalcEnumClass, InterfacesShareOneIdentityAndNeverCount) {
  DescribingClass cls(EnumClassId::ERStimDet);
  ICalcEnumClass2* first = &cls;
  void* lumo = nullptr;
  void* params = nullptr;
  void* unknown = nullptr;
  ASSERT_EQ(S_OK, first->QueryInterface(IID_ILumoClassObject, &lumo));
  ASSERT_EQ(S_OK, first->QueryInterface(IID_ICalcNumericParamsFuncClass, &params));
  ASSERT_EQ(S_OK, static_cast<ICalcNumericParamsFuncClass*>(params)->QueryInterface(IID_IUnknown, &unknown));
  EXPECT_EQ(static_cast<void*>(first), lumo);
  EXPECT_EQ(static_cast<void*>(first), unknown);
  EXPECT_EQ(static_cast<void*>(static_cast<ICalcNumericParamsFuncClass*>(&cls)), params);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, first->QueryInterface(IID_IDispatch, &none));
  EXPECT_EQ(nullptr, none);
  EXPECT_EQ(E_POINTER, first->QueryInterface(IID_IUnknown, nullptr));
  EXPECT_EQ(1u, first->AddRef());
  EXPECT_EQ(1u, first->Release());
}

TEST(CalcEnumClass, CategoryNameBstrAndReservedSlot) {
  DescribingClass cls(EnumClassId::CAPPeakDet);
  const GUID* category = nullptr;
  ASSERT_EQ(S_OK, cls.GetCategory(&category));
  EXPECT_EQ(S_OK, cls.IsCategory(category));
  const GUID copy = CATID_CalcEnum;
  EXPECT_EQ(S_OK, cls.IsCategory(&copy));
  EXPECT_EQ(S_FALSE, cls.IsCategory(&IID_IUnknown));
  EXPECT_EQ(S_FALSE, cls.IsCategory(nullptr));

  BSTR name = SysAllocString(L"previous");
  ASSERT_EQ(S_OK, cls.GetNameBstr(&name));
  EXPECT_STREQ(L"CAPPeakDet", name);
  SysFreeString(name);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOTIMPL, cls.Reserved10(&out));
  EXPECT_EQ(nullptr, out);
  QOR::IQORString* text = nullptr;
  ASSERT_EQ(S_OK, cls.GetDescription(&text));
  EXPECT_EQ(L"Detects Cardiac Action Potential Peaks", Take(text));
}
