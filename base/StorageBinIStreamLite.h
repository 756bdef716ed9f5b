// StorageBinIStreamLite: the binary input stream over a host's COM IStream.
#pragma once

#include <objidl.h>

#include "base/BinIStream.h"

namespace QOR {

class StorageStreamBuf;

// Holds a reference to the IStream while it lives. A stream that cannot be attached leaves it
// failed (state 4, version 0).
class StorageBinIStreamLite final : public BinIStream {
 public:
  explicit StorageBinIStreamLite(IStream* stream);

 protected:
  int64_t BytesLeft() override;

 private:
  struct Attached {
    StorageStreamBuf* buffer;  // null when the stream could not be attached
  };
  explicit StorageBinIStreamLite(Attached attached);
  StorageStreamBuf* mStorage;
};

}  // namespace QOR
