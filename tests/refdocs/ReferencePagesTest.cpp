// The committed reference pages against what the module's settings and catalogue say now.
#include "refdocs/ColumnsReference.h"
#include "refdocs/ReferenceNotes.h"
#include "refdocs/SettingsReference.h"

#include "host/cycles/DetectionSettings.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string SourceFile(const char* relative) {
  std::ifstream in(testsupport::SourcePath(relative), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first line where the two differ, numbered from 1, with both versions.
std::string FirstDifference(const std::string& committed, const std::string& generated) {
  std::istringstream a(committed), b(generated);
  std::string lineA, lineB;
  for (int number = 1;; ++number) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) return "none";
    if (!moreA || !moreB || lineA != lineB)
      return "line " + std::to_string(number) + ":\n  committed: " + (moreA ? lineA : "(end)") +
             "\n  generated: " + (moreB ? lineB : "(end)");
  }
}

// A setting or measurement added without its note, or changed without writing the pages again.
TEST(ReferencePages, CommittedPagesMatchTheSettingsAndTheCatalogue) {
  const struct {
    const char* file;
    std::string (*generate)();
  } pages[] = {{"docs/settings.md", &refdocs::SettingsReference}, {"docs/columns.md", &refdocs::ColumnsReference}};
  for (const auto& page : pages) {
    const std::string committed = SourceFile(page.file);
    ASSERT_FALSE(committed.empty()) << page.file << " is not there";
    const std::string generated = page.generate();
    EXPECT_TRUE(committed == generated) << page.file << " differs from what ondara-refdocs.exe writes now, first at "
                                        << FirstDifference(committed, generated)
                                        << "\nwrite it again: wine build/bin/ondara-refdocs.exe docs";
  }
}

// The module keeps the detection settings only as the host's text; the page gives the host's default.
TEST(ReferencePages, DetectionSettingsDefaultIsTheHostDetectorsOwn) {
  const std::wstring text = host::DetectionValues().ToText();
  EXPECT_EQ(std::string(text.begin(), text.end()), refdocs::kDetectionSettingsDefault);
}

}  // namespace
