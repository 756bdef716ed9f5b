// The host's formula class: class lookup by name or alias, settings texts, source wiring and
// faults, over test classes that record what they are given.
#include "host/formula/FormulaEnumClass.h"

#include "host/data/ChannelSampleSource.h"
#include "host/formula/FormulaEnumerator.h"
#include "tests/host/FakeEnumClass.h"

#include <gtest/gtest.h>

namespace host {
namespace {

using testing::EnumLog;

class FormulaEnumClassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mLog = std::make_shared<EnumLog>();
    std::vector<HostPtr<IUnknown>> classes = testing::MakeFakeClasses(mLog);
    mClass = CreateFormulaEnumClass(0x00070000, [classes] { return classes; });
  }

  HRESULT Load(const std::wstring& formula, HostPtr<ICalcEnum>* calc) {
    const HRESULT hr = mClass->CreateEnum(nullptr, calc->Out());
    if (FAILED(hr)) return hr;
    return (*calc)->LoadSettings(MakeHostString(formula).Get(), nullptr);
  }

  std::shared_ptr<EnumLog> mLog;
  HostPtr<ICalcEnumClass2> mClass;
};

TEST_F(FormulaEnumClassTest, NamesAndAliasesInAnyCaseBuildTheSettingsTexts) {
  HostPtr<ICalcEnum> calc;
  ASSERT_EQ(Load(L"CALCBASE(ch1, capPEAK(Ch1, 0.3, , 1e-05), 5)", &calc), S_OK);
  // Created from the inside out; the leading integer, then every parameter after the sources.
  const std::vector<std::wstring> expected = {L"CAPPeakDet:Load 0 0.3 -1 1e-05 -1 -1 -1",
                                              L"CalcBase:Load 0 5 -1 -1 -1 -1 -1 -1 -1 -1 -1"};
  EXPECT_EQ(mLog->calls, expected);
  uint32_t typeId = 0;
  EXPECT_EQ(calc->GetSourceInfo(&typeId), S_OK);
  EXPECT_EQ(typeId, 0x00070000u);
}

TEST_F(FormulaEnumClassTest, ClassWithoutLeadingIntegerGetsOnlyItsParameters) {
  HostPtr<ICalcEnum> calc;
  ASSERT_EQ(Load(L"zrselector(calcbase(ch2,cappeakdet(ch2)),3)", &calc), S_OK);
  ASSERT_EQ(mLog->calls.size(), 3u);
  EXPECT_EQ(mLog->calls[2], L"Selector:Load 3");
}

TEST_F(FormulaEnumClassTest, SourcesSetFromTheOutsideInWithOwnCursors) {
  HostPtr<ICalcEnum> calc;
  ASSERT_EQ(Load(L"calcbase(ch1,cappeakdet(ch1,0.3))", &calc), S_OK);
  mLog->calls.clear();
  auto record = std::make_shared<ChannelRecord>(1, 1000, true);
  const float samples[5] = {1, 2, 3, 4, 5};
  record->Append(samples, 5);
  HostPtr<ISampleSource> source;
  ASSERT_EQ(CreateChannelSampleSource(record, 0, kEnumRecordEnd, source.Out()), S_OK);
  IUnknown* sources[] = {source.Get()};
  ASSERT_EQ(calc->SetSources(0, 1, sources, nullptr, 0.001, 0), S_OK);
  const std::vector<std::wstring> expected = {L"CalcBase:SetSources 2", L"CAPPeakDet:SetSources 1"};
  EXPECT_EQ(mLog->calls, expected);

  // Two readers of channel 1, each at its own position.
  HostPtr<ISampleSource> outer(static_cast<ISampleSource*>(mLog->sources[0][0]));
  HostPtr<ISampleSource> inner(static_cast<ISampleSource*>(mLog->sources[1][0]));
  ASSERT_NE(outer.Get(), inner.Get());
  float buffer[5] = {};
  int32_t read = 0;
  EXPECT_EQ(outer->Read(3, buffer, &read), S_OK);
  EXPECT_EQ(read, 3);
  EXPECT_EQ(inner->Read(2, buffer, &read), S_OK);
  EXPECT_EQ(buffer[0], 1.0f);
  EXPECT_EQ(outer->Read(5, buffer, &read), S_OK);
  EXPECT_EQ(read, 2);
  EXPECT_EQ(buffer[0], 4.0f);
  EXPECT_EQ(outer->Read(5, buffer, &read), S_FALSE);
  EXPECT_EQ(calc->SetSources(0, 2, sources, nullptr, 0.001, 0), E_INVALIDARG);
}

// Each stage gets units matching its own sources: a channel's units object, none for a calculation; a
// channel read once goes to its reader as given.
TEST_F(FormulaEnumClassTest, EachStageGetsTheUnitsOfItsOwnSources) {
  HostPtr<ICalcEnum> calc;
  ASSERT_EQ(Load(L"calcbase(ch2,cappeakdet(ch1,0.3))", &calc), S_OK);
  auto record = std::make_shared<ChannelRecord>(1, 1000, true);
  HostPtr<ISampleSource> first, second;
  ASSERT_EQ(CreateChannelSampleSource(record, 0, kEnumRecordEnd, first.Out()), S_OK);
  ASSERT_EQ(CreateChannelSampleSource(record, 0, kEnumRecordEnd, second.Out()), S_OK);
  // Any distinct objects stand for the units of the two references (ch2 first, then ch1).
  IUnknown* sources[] = {first.Get(), second.Get()};
  IUnknown* units[] = {second.Get(), first.Get()};
  ASSERT_EQ(calc->SetSources(0, 2, sources, units, 0.001, 0), S_OK);
  // A channel only one call reads goes to it as given, with no cursor buffering it a second time.
  ASSERT_EQ(mLog->sources.size(), 2u);
  EXPECT_EQ(mLog->sources[0][0], sources[0]);
  EXPECT_EQ(mLog->sources[1][0], sources[1]);
  ASSERT_EQ(mLog->units.size(), 2u);
  EXPECT_EQ(mLog->units[0], (std::vector<IUnknown*>{units[0], nullptr}));  // calcbase: ch2, a calculation
  EXPECT_EQ(mLog->units[1], (std::vector<IUnknown*>{units[1]}));           // cappeakdet: ch1
  ASSERT_EQ(calc->SetSources(0, 2, sources, nullptr, 0.001, 0), S_OK);
  EXPECT_TRUE(mLog->units[2].empty());
}

TEST_F(FormulaEnumClassTest, FaultsGiveInvalidArgWithPosition) {
  struct Case {
    const wchar_t* formula;
    const wchar_t* position;
  };
  const Case cases[] = {
      {L"calcbase(ch1,nosuch(ch1))", L"position 14:"},       // unknown name
      {L"calcbase(ch1,0.3)", L"position 14:"},               // number for a source
      {L"calcbase(cappeakdet(ch1),ch1)", L"position 10:"},   // calculation for a channel
      {L"calcbase(ch1,ch1)", L"position 14:"},               // channel for a calculation
      {L"cappeakdet(ch1,1,2,3,4,5,6,7)", L"position 28:"},   // too many arguments
      {L"cappeakdet(ch1,cappeakdet(ch1))", L"position 16:"}, // calculation for a number
      {L"cappeakdet()", L"position 1:"},                     // missing source
      {L"cappeakdet(ch1", L"position 15:"},                  // unclosed
      {L"", L"position 1:"},                                 // empty
      {L"cappeakdet(ch1,1e999)", L"position 16:"},           // number beyond a double
      {L"cappeakdet(ch1,-)", L"position 17:"},               // sign without a number
  };
  for (const Case& c : cases) {
    HostPtr<ICalcEnum> calc;
    EXPECT_EQ(Load(c.formula, &calc), E_INVALIDARG) << c.formula;
    const std::wstring message = TakeErrorText();
    EXPECT_NE(message.find(c.position), std::wstring::npos) << c.formula << L" -> " << message;
  }
}

// Nesting deeper than the stack allows is refused with a position, not followed.
TEST_F(FormulaEnumClassTest, DeepNestingIsRefused) {
  std::wstring formula;
  for (int i = 0; i < 100000; ++i) formula += L"calcbase(ch1,";
  HostPtr<ICalcEnum> calc;
  EXPECT_EQ(Load(formula, &calc), E_INVALIDARG);
  EXPECT_NE(TakeErrorText().find(L"nested deeper"), std::wstring::npos);
  EXPECT_TRUE(mLog->calls.empty());
}

}  // namespace
}  // namespace host
