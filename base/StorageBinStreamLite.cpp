// The binary storage streams over a host's COM IStream.
#include "base/StorageBinIStreamLite.h"
#include "base/StorageBinOStreamLite.h"

#include <memory>

#include "base/StorageStreamBuf.h"

namespace QOR {

namespace {

// A buffer attached to the stream, or null when it cannot be attached.
StorageStreamBuf* AttachedBuffer(IStream* stream) {
  auto buffer = std::make_unique<StorageStreamBuf>();
  return buffer->Attach(stream) ? buffer.release() : nullptr;
}

}  // namespace

StorageBinOStreamLite::StorageBinOStreamLite(IStream* stream) : StorageBinOStreamLite(Attached{AttachedBuffer(stream)}) {}

StorageBinOStreamLite::StorageBinOStreamLite(Attached attached)
    : BinOStream(attached.buffer, true), mStorage(attached.buffer) {}

HRESULT STDMETHODCALLTYPE StorageBinOStreamLite::Reset() noexcept {
  if (!IsGood()) return E_FAIL;
  if (!mStorage->Truncate()) Fail(kBinStreamShort);
  return StatusResult();
}

StorageBinIStreamLite::StorageBinIStreamLite(IStream* stream) : StorageBinIStreamLite(Attached{AttachedBuffer(stream)}) {}

StorageBinIStreamLite::StorageBinIStreamLite(Attached attached)
    : BinIStream(attached.buffer, true), mStorage(attached.buffer) {}

int64_t StorageBinIStreamLite::BytesLeft() { return mStorage ? mStorage->BytesLeft() : 0; }

}  // namespace QOR
