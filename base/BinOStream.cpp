// QOR::BinOStream: the writing half of the binary storage streams.
#include "base/BinOStream.h"

#include <new>

namespace QOR {

BinOStream::BinOStream(std::streambuf* buffer, bool ownsBuffer) : BinStream(buffer, ownsBuffer) {
  WriteRaw(&kBinStreamHeader, sizeof kBinStreamHeader);
}

HRESULT STDMETHODCALLTYPE BinOStream::QueryInterface(REFIID, void** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT BinOStream::WriteRaw(const void* data, std::streamsize n) noexcept {
  if (!IsGood()) return E_FAIL;
  try {
    if (Buffer()->sputn(static_cast<const char*>(data), n) != n) Fail(kBinStreamShort);
  } catch (...) {
    Fail(kBinStreamShort);
  }
  return StatusResult();
}

HRESULT STDMETHODCALLTYPE BinOStream::WriteShort(long value) noexcept {
  const uint16_t low = static_cast<uint16_t>(value & 0xFFFF);
  return WriteRaw(&low, 2);
}

HRESULT STDMETHODCALLTYPE BinOStream::WriteLong(long value) noexcept {
  const int32_t word = static_cast<int32_t>(value);
  return WriteRaw(&word, 4);
}

HRESULT STDMETHODCALLTYPE BinOStream::WriteBytes(const void* data, long n) noexcept {
  if (n == 0) return StatusResult();
  if (!data || n < 0) return E_INVALIDARG;
  return WriteRaw(data, n);
}

void BinOStream::WriteString(const String& text) noexcept {
  const int32_t units = text.Length() + 1;
  WriteInt32(kBinStringWideTag);
  WriteInt32(units);
  WriteInt32(-units);
  WriteRaw(text.GetText(), static_cast<std::streamsize>(units) * 2);
}

HRESULT STDMETHODCALLTYPE BinOStream::WriteString(IQORString* text) noexcept {
  if (!IsGood()) return E_FAIL;
  try {
    // The module's own strings are shared, any other copied.
    WriteString(String(text));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
  return StatusResult();
}

HRESULT STDMETHODCALLTYPE BinOStream::Tell(long* position) noexcept {
  return TellPosition(std::ios_base::out, position);
}

HRESULT STDMETHODCALLTYPE BinOStream::Seek(long position) noexcept {
  if (!IsGood()) return E_FAIL;
  if (Buffer()->pubseekpos(position, std::ios_base::out) == std::streampos(-1)) Fail(kBinStreamShort);
  return StatusResult();
}

HRESULT STDMETHODCALLTYPE BinOStream::Flush() noexcept {
  if (!IsGood()) return E_FAIL;
  if (Buffer()->pubsync() != 0) Fail(kBinStreamDetached);
  return StatusResult();
}

HRESULT STDMETHODCALLTYPE BinOStream::Reset() noexcept { return Seek(0); }

}  // namespace QOR
