// QOR::BinIStream: reads the module's binary storage format from a byte stream buffer.
#pragma once

#include "base/BinStream.h"
#include "base/String.h"

namespace QOR {

// Reads the header word when constructed: a stream without one is read from its first byte as
// version 1. Every read happens only while the state is 0; a short read sets the state to 2, and
// from then on every slot answers E_FAIL and reads nothing. A read that did not complete leaves
// its target unchanged, so a word read into a target set to 0 (ReadWord) is 0 once the stream
// has failed: callers read every version, count and marker word that way.
class BinIStream : public BinStream, public IBinInStream {
 public:
  BinIStream(std::streambuf* buffer, bool ownsBuffer);
  virtual ~BinIStream() = default;

  // A string in any of the format's encodings; the empty string once the stream has failed. A
  // corrupt string (a check word that does not cancel the count, a negative count, a count beyond
  // the old limit of 64000 or beyond what is left in the stream) fails the stream (state 2) and
  // throws XQOR 0xA0048203 before anything is allocated.
  String ReadString();
  long Version() const noexcept { return mVersion; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE GetStatus() noexcept override { return StatusResult(); }
  HRESULT STDMETHODCALLTYPE Tell(long* position) noexcept override;
  HRESULT STDMETHODCALLTYPE Seek(long) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReadByte(uint8_t* value) noexcept override;
  HRESULT STDMETHODCALLTYPE ReadShort(int16_t* value) noexcept override { return ReadRaw(value, 2); }
  HRESULT STDMETHODCALLTYPE ReadInt32(int32_t* value) noexcept override { return ReadRaw(value, 4); }
  HRESULT STDMETHODCALLTYPE ReadLong(long* value) noexcept override;
  HRESULT STDMETHODCALLTYPE ReadInt64(int64_t* value) noexcept override { return ReadRaw(value, 8); }
  HRESULT STDMETHODCALLTYPE ReadBytes(void* data, long n) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReadString(IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetVersion(long* version) noexcept override;
  HRESULT STDMETHODCALLTYPE ReadUShort(uint16_t* value) noexcept override { return ReadRaw(value, 2); }
  HRESULT STDMETHODCALLTYPE ReadFloat(float* value) noexcept override { return ReadRaw(value, 4); }
  HRESULT STDMETHODCALLTYPE ReadDouble(double* value) noexcept override { return ReadRaw(value, 8); }
  HRESULT STDMETHODCALLTYPE ReadUInt64(uint64_t* value) noexcept override { return ReadRaw(value, 8); }

 protected:
  // Bytes left to read; a buffer over an IStream asks the stream for its size.
  virtual int64_t BytesLeft();

 private:
  // Reads n (at most 8) bytes into target only when all arrive.
  HRESULT ReadRaw(void* target, int n) noexcept;
  // Reads n bytes straight into target; false when fewer arrived (the state is then 2).
  bool ReadInto(void* target, std::streamsize n) noexcept;
  [[noreturn]] void Corrupt();
  String ReadWideText(int32_t units);
  String ReadNarrowText(int32_t bytes);

  long mVersion = 0;
};

}  // namespace QOR
