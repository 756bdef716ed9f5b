// Tests of string-table lookup and the product-word substitution.
#include "base/ResourceString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using QOR::String;

HMODULE TestExe() { return GetModuleHandleW(nullptr); }

std::wstring Load(uint32_t id, bool substitute) {
  return String(TestExe(), id, substitute).GetText();
}

TEST(ResourceString, SubstitutesTheSixRowsInOrder) {
  // The longer token goes first; the shorter one then finds nothing of it.
  EXPECT_EQ(Load(28672, true), L"Kymora opens Kymora files");
  EXPECT_EQ(Load(28673, true), L"Kymora reads Datrion hardware");
  // A replacement is not searched again by its own row nor by the VELMORA row after it.
  EXPECT_EQ(Load(28674, true), L"Velmora and Velmora make Velmora; VelmoraVelmora");
  EXPECT_EQ(Load(28675, true), L"A text without tokens");
}

TEST(ResourceString, TokensStayWithoutTheFlag) {
  EXPECT_EQ(Load(28672, false), L"SCRIVOFORWINDOWS opens SCRIVO files");
}

TEST(ResourceString, MissingStringsAreEmpty) {
  const String empty;
  for (const uint32_t id : {0u, 30000u, 28677u, 28679u}) {
    const String s(TestExe(), id, true);
    EXPECT_EQ(s.Length(), 0) << id;
    EXPECT_EQ(s.GetText(), empty.GetText()) << id;  // shares the one empty rep
  }
}

TEST(ResourceString, LoadedTextGetsTheMinimumCapacity) {
  const String s(TestExe(), 28678, false);
  EXPECT_EQ(s.Length(), 6);
  EXPECT_EQ(s.GetCapacity(), 7);
}

TEST(ResourceString, ApplicationLanguageIsPreferred) {
  EXPECT_EQ(Load(28676, false), L"Neutral text");
  QOR::SetApplicationResourceLanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  const std::wstring german = Load(28676, false);
  // A string absent in that language falls back to the system's choice.
  const std::wstring fallback = Load(28675, false);
  QOR::SetApplicationResourceLanguage(0);
  EXPECT_EQ(german, L"German text");
  EXPECT_EQ(fallback, L"A text without tokens");
}

}  // namespace
