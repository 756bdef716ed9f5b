// The committed reference pages against what the module's settings and catalogue say now.
#include "refdocs/ColumnsReference.h"
#include "refdocs/ReferenceNotes.h"
#include "refdocs/SettingsReference.h"

#include "document/Settings1.h"
#include "document/ZRSetting.h"
#include "host/cycles/DetectionSettings.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <cctype>
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

// Whether text names the number as a whole word ("1039", not part of "10390").
bool Names(const std::string& text, int32_t number) {
  const std::string word = std::to_string(number);
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool digitBefore = at > 0 && std::isdigit(static_cast<unsigned char>(text[at - 1]));
    const size_t end = at + word.size();
    const bool digitAfter = end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]));
    if (!digitBefore && !digitAfter) return true;
  }
  return false;
}

// A type's note on noise names the settings that change what noise does to its columns; the
// settings page lists that type for each of them, checked or reading it, so a user of the type who
// looks the setting up finds it is theirs.
TEST(ReferencePages, SettingsANoiseNoteNamesAreListedForItsType) {
  const ZR::Doc::Settings1 channel(nullptr);
  int named = 0;
  for (int type = 0; type < 6; ++type) {
    const char* const note = refdocs::NoiseNoteOf(type);
    if (note == nullptr) continue;
    for (uint32_t i = 0; i < channel.Count(); ++i) {
      const ZR::Doc::ZRSetting& setting = *channel.At(i);
      if (setting.Id() < ZR::Doc::kFirstChannelSettingId || !Names(note, ZR::Doc::NumberOf(setting.Id()))) continue;
      const refdocs::SettingNote* const settingNote = refdocs::FindSettingNote(setting.Id());
      ASSERT_NE(nullptr, settingNote) << ZR::Doc::NumberOf(setting.Id());
      EXPECT_NE(0, (setting.TypeMask() | settingNote->readToo) & ZR::Doc::TypeBit(type))
          << "setting " << ZR::Doc::NumberOf(setting.Id()) << " in the note of type " << type;
      ++named;
    }
  }
  EXPECT_GE(named, 9) << "the notes name the baseline, width, height and stimulus settings";
}

// The module keeps the detection settings only as the host's text; the page gives the host's default.
TEST(ReferencePages, DetectionSettingsDefaultIsTheHostDetectorsOwn) {
  const std::wstring text = host::DetectionValues().ToText();
  EXPECT_EQ(std::string(text.begin(), text.end()), refdocs::kDetectionSettingsDefault);
}

}  // namespace
