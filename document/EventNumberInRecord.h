// The number of an analysed event, found by its record and tick in the data file's child data.
#pragma once

#include <unknwn.h>

#include <cstdint>

namespace ZR::Doc {

// The number (counted from 0 across the analysis) of the event at `tick` in `record`, looked up
// in the child data of the data file behind hostData (the child data is made when the file has
// none). -1 when there is no child data, the record has no map (also a record no analysis
// reached, whatever index is passed) or no event lies at that tick. The event draw classes
// install it as their number provider.
int32_t GetEventNumberInRecord(IUnknown* hostData, int32_t record, int32_t tick) noexcept;

}  // namespace ZR::Doc
