// The number of an analysed event, found by its record and tick in the data file's child data.
#include "document/EventNumberInRecord.h"

#include "document/ScrivoDataChildData.h"

namespace ZR::Doc {

int32_t GetEventNumberInRecord(IUnknown* hostData, int32_t record, int32_t tick) noexcept {
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(hostData);
  if (!child) return -1;
  // A lookup does not grow the per-record array: the record index comes from whoever draws
  // the event, and an index far beyond the analysed records would otherwise allocate an array
  // that large (or fail) just to answer "not found".
  const RecordEventMap* const map = child->FindRecordMap(record);
  if (!map) return -1;
  const auto found = map->find(TickPosition(record, tick));
  return found == map->end() ? -1 : static_cast<int32_t>(found->second);
}

}  // namespace ZR::Doc
