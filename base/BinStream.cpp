// QOR::BinStream: the buffer and failure state of the binary storage streams.
#include "base/BinStream.h"

namespace QOR {

BinStream::BinStream(std::streambuf* buffer, bool ownsBuffer) noexcept
    : mBuffer(buffer), mState(buffer ? kBinStreamGood : kBinStreamDetached), mOwnsBuffer(ownsBuffer) {}

BinStream::~BinStream() {
  if (mOwnsBuffer) delete mBuffer;
}

}  // namespace QOR
