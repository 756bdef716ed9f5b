// Reading every event of one record through an enumerator getter: the offline reference the
// checks compare against.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "base/NoValue.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace SelfCheck {
namespace EventEnumDataGetter {

// Ends the getter's run however the reading ends, so that the getter can be given new sources.
class RunStopper {
 public:
  explicit RunStopper(ExtLib::EnumGetterBase& getter) noexcept : mGetter(getter) {}
  RunStopper(const RunStopper&) = delete;
  RunStopper& operator=(const RunStopper&) = delete;
  ~RunStopper() { mGetter.Stop(); }

 private:
  ExtLib::EnumGetterBase& mGetter;
};

// Sets the sources of the getter's enumerator (already created) over the whole of record, then
// fills vec with every event, 100 records per Next, until a Next returns none. False when the
// sources cannot be set, there is no enumerator, or a Next claims more records than it was given
// room for. The getter's run is ended on every return.
template <class TBufType>
bool GetRecordData(ExtLib::EventEnumDataGetter& getter, int32_t record, std::vector<TBufType>& vec) {
  constexpr int32_t kBufferRecords = 100;
  std::vector<TBufType> buffer(kBufferRecords);
  vec.clear();
  if (!getter.SetSources(true, TickPosition(record, 0))) return false;
  const RunStopper stopper(getter);
  const QOR::ComPtr<IEnumEventEx> events = getter.GetEventEnum();
  if (!events) return false;
  vec.reserve(kBufferRecords);
  int64_t count = 0;
  for (;;) {
    int32_t returned = 0;
    int32_t nextUnexamined = 0;
    // The results are not examined: a failing Next returns no record and ends the reading.
    events->Next(static_cast<int32_t>(sizeof(TBufType)) * kBufferRecords, kRecordEndOffset, buffer.data(),
                 &returned, &nextUnexamined);
    if (returned <= 0) break;
    count += returned;
    vec.insert(vec.end(), buffer.begin(), buffer.begin() + std::min(returned, kBufferRecords));
  }
  return static_cast<int64_t>(vec.size()) == count;
}

}  // namespace EventEnumDataGetter
}  // namespace SelfCheck
