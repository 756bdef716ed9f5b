// Units objects from the host's units service, reached through the framework's class registry.
#include "hostclient/HostUnits.h"

#include <gtest/gtest.h>

#include <string>

#include "host/app/HostFramework.h"
#include "hostapi/HostUnits.h"

namespace {

std::wstring TextOf(IUnknown* unit) {
  IHostUnit* hostUnit = nullptr;
  if (!unit || FAILED(unit->QueryInterface(IID_IHostUnit, reinterpret_cast<void**>(&hostUnit)))) return L"-";
  BSTR text = nullptr;
  std::wstring result = SUCCEEDED(hostUnit->GetText(&text)) && text ? std::wstring(text) : L"";
  SysFreeString(text);
  hostUnit->Release();
  return result;
}

}  // namespace

TEST(HostUnits, PrefixIndexesGiveTheirLetters) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  IUnknown* unit = nullptr;
  const struct {
    int32_t index;
    const wchar_t* text;
  } cases[] = {{1, L"V"}, {8, L"V"}, {7, L"mV"}, {6, L"\u00B5V"}, {9, L"kV"}, {11, L"GV"}, {12, L"V"}};
  for (const auto& c : cases) {
    ASSERT_EQ(S_OK, QOR::MakePrefixedUnit(c.index, L"V", &unit)) << c.index;
    EXPECT_EQ(TextOf(unit), c.text) << c.index;
  }
  // The unit already in the out pointer is released and replaced.
  ASSERT_EQ(S_OK, QOR::MakePrefixedUnit(kUnitPrefixNone, L"?", &unit));
  EXPECT_EQ(TextOf(unit), L"?");
  unit->Release();
  EXPECT_EQ(E_POINTER, QOR::MakePrefixedUnit(1, L"V", nullptr));
}

TEST(HostUnits, HostSplitsAPrefixOnlyBeforeABaseUnitItKnows) {
  ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
  const struct {
    const wchar_t* text;
    const wchar_t* base;
    wchar_t prefix;
  } cases[] = {{L"mV", L"V", L'm'},     {L"TV", L"V", L'T'},     {L"\u00B5V", L"V", QOR::kMicroSign},
               {L"kPa", L"Pa", L'k'},   {L"Pa", L"Pa", 0},       {L"mol", L"mol", 0},
               {L"mmHg", L"mmHg", 0},   {L"min", L"min", 0},     {L"", L"", 0}};
  for (const auto& c : cases) {
    QOR::UnitWithPrefix unit;
    ASSERT_EQ(S_OK, QOR::ReadHostUnitText(c.text, unit)) << c.text;
    EXPECT_EQ(unit.baseUnit, c.base) << c.text;
    EXPECT_EQ(unit.prefix, c.prefix) << c.text;
    EXPECT_EQ(QOR::FormatUnitPrefix(unit), c.text);
  }
  // The Greek small mu, as many programs write micro, comes back as the micro sign modules know.
  QOR::UnitWithPrefix greek;
  ASSERT_EQ(S_OK, QOR::ReadHostUnitText(L"\u03BCV", greek));
  EXPECT_EQ(greek.prefix, QOR::kMicroSign);
}
