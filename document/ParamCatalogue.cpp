// ZR::Doc::ParamCatalogue: the measurements offered for each analysis type, in display order.
#include "document/ParamCatalogue.h"

#include <stdexcept>

namespace ZR::Doc {

static bool IsType(int type) noexcept { return type >= 0 && type < kAnalysisTypeCount; }

void ParamCatalogue::AddParamRecord(int type, const ParamRecord& record) {
  if (!IsType(type)) throw std::out_of_range("analysis type outside 0 to 5");
  if (mCount[type] >= kParamSlotsPerType) throw std::out_of_range("too many parameters for one type");
  mRecords[mCount[type]][type] = record;
  ++mCount[type];
}

int ParamCatalogue::Count(int type) const noexcept { return IsType(type) ? mCount[type] : 0; }

const ParamRecord& ParamCatalogue::At(int type, int index) const noexcept {
  static const ParamRecord empty;
  if (!IsType(type) || index < 0 || index >= mCount[type]) return empty;
  return mRecords[index][type];
}

const QOR::String& ParamCatalogue::GetShortName(int type, int index) const noexcept {
  return At(type, index).shortName;
}
const QOR::String& ParamCatalogue::GetLongName(int type, int index) const noexcept {
  return At(type, index).longName;
}
const QOR::String& ParamCatalogue::GetDescription(int type, int index) const noexcept {
  return At(type, index).description;
}
int32_t ParamCatalogue::GetId(int type, int index) const noexcept { return At(type, index).id; }
uint8_t ParamCatalogue::GetFlag(int type, int index) const noexcept { return At(type, index).flag; }

int ParamCatalogue::IndexOfId(int type, int id) const noexcept {
  for (int index = 0; index < Count(type); ++index) {
    if (mRecords[index][type].id == id) return index;
  }
  return -1;
}

const ParamRecord* ParamCatalogue::FindRecord(int type, int id) const noexcept {
  const int index = IndexOfId(type, id);
  return index < 0 ? nullptr : &mRecords[index][type];
}

QOR::String ParamCatalogue::GetShortNameById(int type, int id) const {
  const ParamRecord* record = FindRecord(type, id);
  return record != nullptr ? record->shortName : QOR::String(L"?");
}

}  // namespace ZR::Doc
