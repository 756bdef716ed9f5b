// Several independent cursors over one sample source: each reader of a channel in a formula
// gets its own position, while the source is read once.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/SampleSource.h"

#include <memory>

namespace host {

class SampleTeeBuffer;

// Shares one source among cursors. The buffer keeps what was read, from the lowest tick any
// cursor asked for, so cursors that lag behind do not read the source again.
class SampleTee {
 public:
  explicit SampleTee(ISampleSource* source);
  // A new cursor (one reference) standing where the source stood when the tee was made.
  HostPtr<ISampleSource> NewCursor();

 private:
  std::shared_ptr<SampleTeeBuffer> mBuffer;
  int32_t mStart = 0;
};

}  // namespace host
