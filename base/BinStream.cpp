// QOR::BinStream: the buffer and failure state of the binary storage streams.
#include "base/BinStream.h"

namespace QOR {

BinStream::BinStream(std::streambuf* buffer, bool ownsBuffer) noexcept
    : mBuffer(buffer), mState(buffer ? kBinStreamGood : kBinStreamDetached), mOwnsBuffer(ownsBuffer) {}

BinStream::~BinStream() {
  if (mOwnsBuffer) delete mBuffer;
}

HRESULT BinStream::TellPosition(std::ios_base::openmode which, long* position) const noexcept {
  if (!position) return E_POINTER;
  *position = 0;
  if (!mBuffer) return E_FAIL;
  const std::streampos at = mBuffer->pubseekoff(0, std::ios_base::cur, which);
  if (at == std::streampos(-1)) return E_FAIL;
  *position = static_cast<long>(at);
  return S_OK;
}

}  // namespace QOR
