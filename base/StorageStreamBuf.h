// StorageStreamBuf: a buffered std::streambuf of bytes over a COM IStream.
#pragma once

#include <objidl.h>
#include <windows.h>

#include <cstdint>
#include <streambuf>

namespace QOR {

// Holds one reference to its IStream while attached. One 1024-byte buffer serves reading and
// writing; positions are the IStream's own. Pending output is written out by sync, a seek outside
// the buffer and destruction.
class StorageStreamBuf : public std::streambuf {
 public:
  enum Access : int32_t { kNone = 0, kRead = 1, kWrite = 2, kReadWrite = 3 };

  StorageStreamBuf() { ResetAreas(); }
  StorageStreamBuf(const StorageStreamBuf&) = delete;
  StorageStreamBuf& operator=(const StorageStreamBuf&) = delete;
  ~StorageStreamBuf() override;

  // False, and nothing held, when the stream is null or cannot describe itself (IStream::Stat).
  bool Attach(IStream* stream);
  // Writes out pending output and releases the stream.
  void Detach();
  // Bytes from the get (or put) pointer to the end of the stream; 0 when not attached.
  int64_t BytesLeft();
  // Drops what is buffered and empties the stream (IStream::SetSize(0)), positioned at 0.
  bool Truncate();

 protected:
  int_type underflow() override;
  int_type overflow(int_type ch) override;
  int sync() override;
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

 private:
  static constexpr int kBufferSize = 1024;
  void ResetAreas() noexcept;
  // The stream position of the get or put pointer.
  int64_t Position() const noexcept;
  // Moves within what the buffer holds without touching the stream; false when target lies outside.
  bool SeekInBuffer(int64_t target) noexcept;

  IStream* mStream = nullptr;
  Access mAccess = kNone;
  int64_t mStart = 0;             // stream position of the buffer's first byte
  char* mHighWater = nullptr;     // end of the output written into the put area so far
  char mBuffer[kBufferSize] = {};
};

}  // namespace QOR
