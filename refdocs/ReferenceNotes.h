// What the reference pages say about each setting and column beyond what the settings and the
// catalogue themselves hold: a setting's name, unit and meaning, and when a column's cell is blank.
#pragma once

#include "document/SettingIds.h"

#include <cstdint>

namespace refdocs {

struct SettingNote {
  int32_t id;  // the number a user gives the setting by
  const char* name;
  const char* unit;     // empty for switches, choices and counts
  const char* meaning;  // one line
  // The analysis types that read the setting though the settings do not check it for them (a type
  // mask): the page lists them beside the checked ones, so that a user of such a type finds it.
  int32_t readToo = 0;
};

// The note of a setting; null for an id the notes do not know.
const SettingNote* FindSettingNote(ZR::Doc::SettingId id) noexcept;

// When the cell of a measurement (parameter id) is blank; null for an id the notes do not know.
const char* BlankWhen(int32_t parameterId) noexcept;

// What noise does to an analysis type's columns, as a paragraph or two; null for a type without a note.
const char* NoiseNoteOf(int type) noexcept;

// The text form of the host cycle detector's default settings (setting 1010), which the module
// only keeps: the host object makes and reads it.
inline constexpr char kDetectionSettingsDefault[] = "1 0 1 0.5 3 5 100 1 0 0";

}  // namespace refdocs
