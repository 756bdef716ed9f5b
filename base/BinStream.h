// QOR::BinStream: what the binary input and output streams share: their byte buffer and the sticky
// failure state.
#pragma once

#include <cstdint>
#include <streambuf>

#include "base/IBinStream.h"

namespace QOR {

class BinStream {
 public:
  BinStream(const BinStream&) = delete;
  BinStream& operator=(const BinStream&) = delete;

  // 0 while good; kBinStreamShort or kBinStreamDetached once anything failed.
  int32_t GetState() const noexcept { return mState; }
  bool IsGood() const noexcept { return mState == kBinStreamGood; }

 protected:
  // A null buffer leaves the stream failed (kBinStreamDetached). With ownsBuffer the stream
  // deletes the buffer when it ends.
  BinStream(std::streambuf* buffer, bool ownsBuffer) noexcept;
  ~BinStream();

  // Keeps the first failure.
  void Fail(int32_t state) noexcept {
    if (mState == kBinStreamGood) mState = state;
  }
  HRESULT StatusResult() const noexcept { return mState == kBinStreamGood ? S_OK : E_FAIL; }
  std::streambuf* Buffer() const noexcept { return mBuffer; }
  // The get (in) or put (out) pointer's position in the underlying stream.
  HRESULT TellPosition(std::ios_base::openmode which, long* position) const noexcept;

 private:
  std::streambuf* mBuffer;
  int32_t mState;
  bool mOwnsBuffer;
};

}  // namespace QOR
