// IBinOutStream and IBinInStream: the module's binary storage streams as interfaces, in slot order.
// The stream objects are not reference counted: AddRef and Release answer 1 and the owner
// constructs and destroys them. A string read through an out pointer carries one reference for the
// caller. Every slot answers E_FAIL once the stream has failed (state not 0).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

#include "hostapi/QORString.h"

// Byte format: the header word 0x5514AAAA (its third byte is the format version, 20), then
// little-endian values without padding or tags; a string is the tag 0x80000001, the count n of
// UTF-16 units with the terminator, -n, then the n units.
inline constexpr uint32_t kBinStreamHeader = 0x5514AAAAu;
inline constexpr uint32_t kBinStreamHeaderMask = 0xFF00FFFFu;
inline constexpr uint32_t kBinStreamHeaderForm = 0x5500AAAAu;
inline constexpr int32_t kBinStringWideTag = static_cast<int32_t>(0x80000001u);
// Longest narrow string (in bytes) of the formats before version 10.
inline constexpr int32_t kBinOldStringMaxCount = 64000;
// Longest string (in UTF-16 units with the terminator) a reader accepts: no text the module
// keeps comes near it, so a longer count is taken for corruption even when the bytes are there.
inline constexpr int32_t kBinStringMaxUnits = 1 << 20;

// The failure state of a stream: 0 good; once not 0 it stays so.
enum BinStreamState : int32_t {
  kBinStreamGood = 0,
  kBinStreamShort = 2,     // a transfer moved fewer bytes than asked, or a seek failed
  kBinStreamDetached = 4,  // no stream attached, or a flush failed
};

struct IBinOutStream : IUnknown {
  // Slot 3: S_OK while the state is 0, else E_FAIL.
  virtual HRESULT STDMETHODCALLTYPE GetStatus() = 0;
  // Slot 4: the position of the put pointer in the underlying stream.
  virtual HRESULT STDMETHODCALLTYPE Tell(long* position) = 0;
  // Slot 5: moves the put pointer to an absolute position.
  virtual HRESULT STDMETHODCALLTYPE Seek(long position) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slots 7-12: each writes only while the state is 0.
  virtual HRESULT STDMETHODCALLTYPE WriteByte(uint8_t value) = 0;
  // The low 16 bits of value.
  virtual HRESULT STDMETHODCALLTYPE WriteShort(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE WriteLong(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE WriteFloat(float value) = 0;
  virtual HRESULT STDMETHODCALLTYPE WriteDouble(double value) = 0;
  // Raw bytes without a length; n 0 writes nothing.
  virtual HRESULT STDMETHODCALLTYPE WriteBytes(const void* data, long n) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  // Slot 19: null writes the empty string.
  virtual HRESULT STDMETHODCALLTYPE WriteString(QOR::IQORString* text) = 0;
  // Slot 20: low 32-bit half first.
  virtual HRESULT STDMETHODCALLTYPE WriteInt64(int64_t value) = 0;
  // Slot 21: writes out what is buffered; a failure sets the state to 4.
  virtual HRESULT STDMETHODCALLTYPE Flush() = 0;
  // Slot 22: back to position 0 (a stream over an IStream also empties it).
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

struct IBinInStream : IUnknown {
  // Slot 3: S_OK while the state is 0, else E_FAIL.
  virtual HRESULT STDMETHODCALLTYPE GetStatus() = 0;
  // Slot 4: the position of the get pointer in the underlying stream.
  virtual HRESULT STDMETHODCALLTYPE Tell(long* position) = 0;
  // Slot 5: E_NOTIMPL; input streams do not seek.
  virtual HRESULT STDMETHODCALLTYPE Seek(long position) = 0;
  // Slots 6-11, 20-23: each reads only while the state is 0. A read skipped because the state was
  // already not 0 leaves the target unchanged (ReadByte gives 0); after a short read the target
  // holds no defined value.
  virtual HRESULT STDMETHODCALLTYPE ReadByte(uint8_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadShort(int16_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadInt32(int32_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadLong(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadInt64(int64_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadBytes(void* data, long n) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  // Slot 18: a new string with one reference (*text is not released first). A corrupt string
  // answers 0xA0048203 and fails the stream; a failed stream gives the empty string.
  virtual HRESULT STDMETHODCALLTYPE ReadString(QOR::IQORString** text) = 0;
  // Slot 19: the format version from the header; 1 for a stream without header.
  virtual HRESULT STDMETHODCALLTYPE GetVersion(long* version) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadUShort(uint16_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadFloat(float* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadDouble(double* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadUInt64(uint64_t* value) = 0;
};

// A version, count or marker word, read into a target set to 0: a skipped read leaves the target
// unchanged, so the word is 0 once the stream has failed.
inline int32_t ReadWord(IBinInStream& in) noexcept {
  int32_t word = 0;
  in.ReadInt32(&word);
  return word;
}
