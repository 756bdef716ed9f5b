// ZR::Doc::ParamCatalogue: the measurements offered for each analysis type, in display order.
#pragma once

#include "base/String.h"

#include <cstdint>
#include <memory>

namespace ZR::Doc {

inline constexpr int kAnalysisTypeCount = 6;
// Parameter ids (measurement indexes) run from 0 to 58, so no type can list more.
inline constexpr int kParamSlotsPerType = 59;

// One measurement as a type lists it. The default is the empty slot.
struct ParamRecord {
  QOR::String shortName;         // column heading and formula-side name
  QOR::String longName = L"?";   // name in lists and check boxes
  QOR::String description = L"?";
  int32_t id = -1;               // measurement index, -1 in an empty slot
  uint8_t flag = 0;              // handed to the channel calculation's dialog
};

class ParamCatalogue {
 public:
  // Every slot empty, every count 0.
  ParamCatalogue() = default;
  ParamCatalogue(const ParamCatalogue&) = delete;
  ParamCatalogue& operator=(const ParamCatalogue&) = delete;

  // Appends a copy of record to the type. Throws std::out_of_range for a type outside 0 to 5
  // or a type already holding kParamSlotsPerType records.
  void AddParamRecord(int type, const ParamRecord& record);

  // Records the type lists; 0 for a type outside 0 to 5.
  int Count(int type) const noexcept;
  // Fields of record index of type; the empty record's fields outside the type's records.
  const QOR::String& GetShortName(int type, int index) const noexcept;
  const QOR::String& GetLongName(int type, int index) const noexcept;
  const QOR::String& GetDescription(int type, int index) const noexcept;
  int32_t GetId(int type, int index) const noexcept;
  uint8_t GetFlag(int type, int index) const noexcept;

  // Position of the first record of the type with that parameter id; -1 when the type lists
  // none or is outside 0 to 5.
  int IndexOfId(int type, int id) const noexcept;
  const ParamRecord* FindRecord(int type, int id) const noexcept;
  // The short name of that id in the type, "?" when the type does not list it.
  QOR::String GetShortNameById(int type, int id) const;

 private:
  const ParamRecord& At(int type, int index) const noexcept;

  int32_t mCount[kAnalysisTypeCount] = {};
  ParamRecord mRecords[kParamSlotsPerType][kAnalysisTypeCount];
};

// Makes the catalogue with its 103 records and stores it in holder (replacing what it held).
void BuildParamCatalogue(std::unique_ptr<ParamCatalogue>& holder);

}  // namespace ZR::Doc
