// StorageStreamBuf: a buffered std::streambuf of bytes over a COM IStream.
#include "base/StorageStreamBuf.h"

#include <algorithm>

namespace QOR {

StorageStreamBuf::~StorageStreamBuf() { Detach(); }

bool StorageStreamBuf::Attach(IStream* stream) {
  Detach();
  if (!stream) return false;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &position))) return false;
  switch (stat.grfMode & 3) {
    case STGM_READ: mAccess = kRead; break;
    case STGM_WRITE: mAccess = kWrite; break;
    default: mAccess = kReadWrite; break;
  }
  stream->AddRef();
  mStream = stream;
  mStart = static_cast<int64_t>(position.QuadPart);
  ResetAreas();
  return true;
}

void StorageStreamBuf::Detach() {
  if (!mStream) return;
  sync();
  mStream->Release();
  mStream = nullptr;
  mAccess = kNone;
  ResetAreas();
}

void StorageStreamBuf::ResetAreas() noexcept {
  setg(mBuffer, mBuffer, mBuffer);
  setp(mBuffer, mBuffer);
  mHighWater = mBuffer;
}

int64_t StorageStreamBuf::Position() const noexcept {
  if (pptr() > pbase() || mHighWater > pbase()) return mStart + (pptr() - pbase());
  return mStart + (gptr() - eback());
}

int64_t StorageStreamBuf::BytesLeft() {
  if (!mStream) return 0;
  STATSTG stat{};
  if (FAILED(mStream->Stat(&stat, STATFLAG_NONAME))) return 0;
  const int64_t left = static_cast<int64_t>(stat.cbSize.QuadPart) - Position();
  return left > 0 ? left : 0;
}

bool StorageStreamBuf::Truncate() {
  if (!mStream) return false;
  ResetAreas();
  ULARGE_INTEGER zeroSize{};
  LARGE_INTEGER zero{};
  if (FAILED(mStream->SetSize(zeroSize)) || FAILED(mStream->Seek(zero, STREAM_SEEK_SET, nullptr))) return false;
  mStart = 0;
  return true;
}

StorageStreamBuf::int_type StorageStreamBuf::underflow() {
  if (!mStream || mAccess == kWrite) return traits_type::eof();
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (sync() != 0) return traits_type::eof();
  ULONG got = 0;
  if (FAILED(mStream->Read(mBuffer, kBufferSize, &got)) || got == 0) return traits_type::eof();
  setg(mBuffer, mBuffer, mBuffer + got);
  return traits_type::to_int_type(mBuffer[0]);
}

// Writing is tried whatever access the stream reports: memory streams report STGM_READ (0) though
// they take writes, and a stream that refuses them fails its Write, which fails the writer.
StorageStreamBuf::int_type StorageStreamBuf::overflow(int_type ch) {
  if (!mStream || sync() != 0) return traits_type::eof();
  setp(mBuffer, mBuffer + kBufferSize);
  mHighWater = mBuffer;
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

// Afterwards the buffer is empty and the stream's own pointer stands at the logical position.
int StorageStreamBuf::sync() {
  if (!mStream) return 0;
  const char* const end = std::max(pptr(), mHighWater);
  if (end > pbase()) {
    const ULONG count = static_cast<ULONG>(end - pbase());
    ULONG written = 0;
    const HRESULT hr = mStream->Write(pbase(), count, &written);
    const int64_t back = end - pptr();  // bytes written beyond the put pointer after a seek back
    const int64_t ahead = pptr() - pbase();
    ResetAreas();
    if (FAILED(hr) || written != count) {
      mStart += written;
      return -1;
    }
    if (back > 0) {
      LARGE_INTEGER move;
      move.QuadPart = -back;
      if (FAILED(mStream->Seek(move, STREAM_SEEK_CUR, nullptr))) return -1;
    }
    mStart += ahead;
    return 0;
  }
  if (egptr() > eback()) {
    const int64_t unread = egptr() - gptr();
    const int64_t consumed = gptr() - eback();
    ResetAreas();
    if (unread > 0) {
      LARGE_INTEGER move;
      move.QuadPart = -unread;
      if (FAILED(mStream->Seek(move, STREAM_SEEK_CUR, nullptr))) return -1;
    }
    mStart += consumed;
  }
  ResetAreas();
  return 0;
}

bool StorageStreamBuf::SeekInBuffer(int64_t target) noexcept {
  if (target < mStart) return false;
  const int64_t offset = target - mStart;
  if (epptr() > pbase()) {
    mHighWater = std::max(pptr(), mHighWater);
    if (offset > mHighWater - pbase()) return false;
    setp(pbase(), epptr());
    pbump(static_cast<int>(offset));
    return true;
  }
  if (offset > egptr() - eback()) return false;
  setg(eback(), eback() + offset, egptr());
  return true;
}

StorageStreamBuf::pos_type StorageStreamBuf::seekoff(off_type off, std::ios_base::seekdir dir,
                                                     std::ios_base::openmode) {
  if (!mStream) return pos_type(off_type(-1));
  if (dir != std::ios_base::end) {
    const int64_t target = dir == std::ios_base::beg ? static_cast<int64_t>(off) : Position() + off;
    if (SeekInBuffer(target)) return pos_type(target);
  }
  const int64_t current = Position();
  if (sync() != 0) return pos_type(off_type(-1));
  LARGE_INTEGER move;
  DWORD origin = STREAM_SEEK_END;
  move.QuadPart = off;
  if (dir == std::ios_base::beg) {
    origin = STREAM_SEEK_SET;
  } else if (dir == std::ios_base::cur) {
    // The stream's pointer stands at the logical position after sync.
    origin = STREAM_SEEK_SET;
    move.QuadPart = current + off;
  }
  if (move.QuadPart < 0 && origin == STREAM_SEEK_SET) return pos_type(off_type(-1));
  ULARGE_INTEGER position{};
  if (FAILED(mStream->Seek(move, origin, &position))) return pos_type(off_type(-1));
  mStart = static_cast<int64_t>(position.QuadPart);
  return pos_type(static_cast<off_type>(mStart));
}

StorageStreamBuf::pos_type StorageStreamBuf::seekpos(pos_type pos, std::ios_base::openmode which) {
  return seekoff(off_type(pos), std::ios_base::beg, which);
}

}  // namespace QOR
