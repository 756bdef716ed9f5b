// QOR::BinOStream: writes the module's binary storage format into a byte stream buffer.
#pragma once

#include "base/BinStream.h"
#include "base/String.h"

namespace QOR {

// Writes the header word when constructed. Every write happens only while the state is 0; a short
// write sets the state to 2, and from then on every slot answers E_FAIL and writes nothing.
class BinOStream : public BinStream, public IBinOutStream {
 public:
  BinOStream(std::streambuf* buffer, bool ownsBuffer);
  virtual ~BinOStream() = default;

  // The string encoding: tag 0x80000001, units with the terminator n, -n, the n units.
  void WriteString(const String& text) noexcept;
  void WriteInt32(int32_t value) noexcept { WriteRaw(&value, sizeof value); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE GetStatus() noexcept override { return StatusResult(); }
  HRESULT STDMETHODCALLTYPE Tell(long* position) noexcept override;
  HRESULT STDMETHODCALLTYPE Seek(long position) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WriteByte(uint8_t value) noexcept override { return WriteRaw(&value, 1); }
  HRESULT STDMETHODCALLTYPE WriteShort(long value) noexcept override;
  HRESULT STDMETHODCALLTYPE WriteLong(long value) noexcept override;
  HRESULT STDMETHODCALLTYPE WriteFloat(float value) noexcept override { return WriteRaw(&value, 4); }
  HRESULT STDMETHODCALLTYPE WriteDouble(double value) noexcept override { return WriteRaw(&value, 8); }
  HRESULT STDMETHODCALLTYPE WriteBytes(const void* data, long n) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WriteString(IQORString* text) noexcept override;
  HRESULT STDMETHODCALLTYPE WriteInt64(int64_t value) noexcept override { return WriteRaw(&value, 8); }
  HRESULT STDMETHODCALLTYPE Flush() noexcept override;
  HRESULT STDMETHODCALLTYPE Reset() noexcept override;

 protected:
  // Writes n bytes as they lie in memory (the target is little-endian).
  HRESULT WriteRaw(const void* data, std::streamsize n) noexcept;
};

}  // namespace QOR
