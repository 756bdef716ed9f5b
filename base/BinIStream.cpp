// QOR::BinIStream: the reading half of the binary storage streams.
#include "base/BinIStream.h"

#include <cstring>
#include <new>
#include <vector>

#include "base/XQOR.h"

namespace QOR {

BinIStream::BinIStream(std::streambuf* buffer, bool ownsBuffer) : BinStream(buffer, ownsBuffer) {
  if (!IsGood()) return;
  uint32_t word = 0;
  ReadRaw(&word, 4);
  if (IsGood() && (word & kBinStreamHeaderMask) == kBinStreamHeaderForm) {
    mVersion = static_cast<long>((word >> 16) & 0xFF);
    return;
  }
  // A stream from before the header: read from its first byte.
  mVersion = 1;
  if (IsGood() && Buffer()->pubseekoff(-4, std::ios_base::cur, std::ios_base::in) == std::streampos(-1))
    Fail(kBinStreamShort);
}

HRESULT STDMETHODCALLTYPE BinIStream::QueryInterface(REFIID, void** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

bool BinIStream::ReadInto(void* target, std::streamsize n) noexcept {
  try {
    if (Buffer()->sgetn(static_cast<char*>(target), n) == n) return true;
  } catch (...) {
  }
  Fail(kBinStreamShort);
  return false;
}

HRESULT BinIStream::ReadRaw(void* target, int n) noexcept {
  if (!IsGood()) return E_FAIL;
  unsigned char bytes[8];
  if (ReadInto(bytes, n)) std::memcpy(target, bytes, static_cast<size_t>(n));
  return StatusResult();
}

HRESULT STDMETHODCALLTYPE BinIStream::ReadByte(uint8_t* value) noexcept {
  if (!value) return E_POINTER;
  if (!IsGood()) {
    *value = 0;
    return E_FAIL;
  }
  return ReadRaw(value, 1);
}

HRESULT STDMETHODCALLTYPE BinIStream::ReadLong(long* value) noexcept {
  if (!value) return E_POINTER;
  int32_t word = 0;
  const HRESULT hr = ReadRaw(&word, 4);
  if (SUCCEEDED(hr)) *value = word;
  return hr;
}

HRESULT STDMETHODCALLTYPE BinIStream::ReadBytes(void* data, long n) noexcept {
  if (!IsGood()) return E_FAIL;
  if (n == 0) return S_OK;
  if (!data || n < 0) return E_INVALIDARG;
  ReadInto(data, n);
  return StatusResult();
}

HRESULT STDMETHODCALLTYPE BinIStream::Tell(long* position) noexcept {
  return TellPosition(std::ios_base::in, position);
}

HRESULT STDMETHODCALLTYPE BinIStream::GetVersion(long* version) noexcept {
  if (!version) return E_POINTER;
  *version = mVersion;
  return S_OK;
}

int64_t BinIStream::BytesLeft() {
  const std::streamsize available = Buffer()->in_avail();
  return available > 0 ? available : 0;
}

void BinIStream::Corrupt() {
  Fail(kBinStreamShort);
  throw XQOR(kXQORCorruptString);
}

String BinIStream::ReadString() {
  int32_t tag = 0;
  int32_t count = 0;
  if (mVersion < 10) {
    count = ReadWord(*this);
    if (count < 0 || count > kBinOldStringMaxCount) Corrupt();
  } else {
    tag = ReadWord(*this);
    count = ReadWord(*this);
    const int32_t check = ReadWord(*this);
    if (static_cast<uint32_t>(count) + static_cast<uint32_t>(check) != 0) Corrupt();
    if (count < 0 || count > kBinStringMaxUnits) Corrupt();
  }
  if (!IsGood()) return String();
  const bool wide = tag < 0;  // the top bit
  // Refused before anything is allocated: a count the stream cannot hold.
  if (mVersion >= 10 && (wide ? 2 * static_cast<int64_t>(count) : count) > BytesLeft()) Corrupt();
  return wide ? ReadWideText(count) : ReadNarrowText(count);
}

String BinIStream::ReadWideText(int32_t units) {
  String text;
  if (units == 0) return text;
  wchar_t* const buffer = text.GetBuffer(units);
  if (!ReadInto(buffer, static_cast<std::streamsize>(units) * 2)) return String();
  // Stored with its terminator as the last unit, or without: a NUL is added then.
  text.SetLength(buffer[units - 1] == L'\0' ? units - 1 : units);
  return text;
}

String BinIStream::ReadNarrowText(int32_t bytes) {
  std::vector<char> buffer(static_cast<size_t>(bytes) + 1, '\0');
  if (bytes > 0 && !ReadInto(buffer.data(), bytes)) return String();
  return String(buffer.data());
}

HRESULT STDMETHODCALLTYPE BinIStream::ReadString(IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  try {
    const String read = ReadString();
    *text = read.AddRefInterface();
    return StatusResult();
  } catch (const XQOR& e) {
    return e.code();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace QOR
