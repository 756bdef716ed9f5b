// The module's version text: reading a version block and the reporting rule.
#include "enumerators/framework/ModuleVersionText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Builds one version-resource node (type 1: text value) with its children, padded to 4 bytes.
std::vector<uint8_t> Node(const std::wstring& key, const std::wstring* text,
                          const std::vector<std::vector<uint8_t>>& children) {
  std::vector<uint8_t> out(6, 0);
  auto put = [&out](wchar_t c) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  };
  for (wchar_t c : key) put(c);
  put(L'\0');
  while (out.size() % 4) out.push_back(0);
  uint16_t valueLength = 0;
  if (text) {
    for (wchar_t c : *text) put(c);
    put(L'\0');
    valueLength = static_cast<uint16_t>(text->size() + 1);
    while (out.size() % 4) out.push_back(0);
  }
  for (const auto& child : children) {
    out.insert(out.end(), child.begin(), child.end());
    while (out.size() % 4) out.push_back(0);
  }
  const uint16_t length = static_cast<uint16_t>(out.size());
  out[0] = static_cast<uint8_t>(length & 0xFF);
  out[1] = static_cast<uint8_t>(length >> 8);
  out[2] = static_cast<uint8_t>(valueLength & 0xFF);
  out[3] = static_cast<uint8_t>(valueLength >> 8);
  out[4] = 1;
  return out;
}

}  // namespace

TEST(ModuleVersionText, ReadsVersionAndDescriptionFromTheStringTable) {
  const std::wstring version = L"2.1 Beta 3";
  const std::wstring description = L"Ondara peak analysis";
  const std::wstring other = L"x";
  const auto block = Node(
      L"VS_VERSION_INFO", nullptr,
      {Node(L"StringFileInfo", nullptr,
            {Node(L"040904b0", nullptr,
                  {Node(L"CompanyName", &other, {}), Node(L"FileDescription", &description, {}),
                   Node(L"FileVersion", &version, {})})})});
  std::wstring readVersion;
  std::wstring readDescription;
  ASSERT_TRUE(ExtLib::ReadVersionStrings(block.data(), block.size(), &readVersion, &readDescription));
  EXPECT_EQ(version, readVersion);
  EXPECT_EQ(description, readDescription);
  // A block cut short does not parse, and is never read beyond its end.
  EXPECT_FALSE(ExtLib::ReadVersionStrings(block.data(), 4, &readVersion, &readDescription));
  const auto empty = Node(L"VS_VERSION_INFO", nullptr, {});
  ASSERT_TRUE(ExtLib::ReadVersionStrings(empty.data(), empty.size(), &readVersion, &readDescription));
  EXPECT_EQ(L"N/A", readVersion);
}

TEST(ModuleVersionText, ReportsOnlyPreReleaseAndFinalVersions) {
  EXPECT_TRUE(ExtLib::VersionWorthReporting(L"1.0 Beta"));
  EXPECT_TRUE(ExtLib::VersionWorthReporting(L"1.0 alpha 2"));
  EXPECT_TRUE(ExtLib::VersionWorthReporting(L"1.0 Final"));
  EXPECT_FALSE(ExtLib::VersionWorthReporting(L"1.0 Final Dev"));
  EXPECT_FALSE(ExtLib::VersionWorthReporting(L"1.0.3"));
  EXPECT_FALSE(ExtLib::VersionWorthReporting(L"N/A Beta"));
  EXPECT_EQ(L"Ondara 1.0 Beta", ExtLib::ComposeVersionText(L"Ondara", L"1.0 Beta"));
  EXPECT_EQ(256u, ExtLib::ComposeVersionText(std::wstring(300, L'a'), L"1").size());
}
