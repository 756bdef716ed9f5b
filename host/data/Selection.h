// The selection of a data document: a range of the recording and a selected channel.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/Recording.h"
#include "hostapi/Selection.h"

#include <memory>

namespace host {

// A new selection (one reference) over the recording; it checks ranges against the records
// the recording holds when the range is set.
HostPtr<IHostSelection> CreateSelection(std::weak_ptr<const Recording> recording);

}  // namespace host
