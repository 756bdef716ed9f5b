// StorageBinOStreamLite: the binary output stream over a host's COM IStream.
#pragma once

#include <objidl.h>

#include "base/BinOStream.h"

namespace QOR {

class StorageStreamBuf;

// Holds a reference to the IStream while it lives; pending bytes are written out when it ends.
// A stream that cannot be attached leaves it failed (state 4); a short header write, state 2.
class StorageBinOStreamLite final : public BinOStream {
 public:
  explicit StorageBinOStreamLite(IStream* stream);
  // Also empties the IStream.
  HRESULT STDMETHODCALLTYPE Reset() noexcept override;

 private:
  struct Attached {
    StorageStreamBuf* buffer;  // null when the stream could not be attached
  };
  explicit StorageBinOStreamLite(Attached attached);
  StorageStreamBuf* mStorage;
};

}  // namespace QOR
