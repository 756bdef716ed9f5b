// IQORBitset: the interface of a reference-counted bit set of unbounded length.
// Ownership: Clone hands out a new set with one reference for the caller.
#pragma once

#include <unknwn.h>

// {0ED42EEC-5E8E-4D50-83DA-BCD139B6BB40}
inline constexpr GUID IID_IQORBitset = {
    0x0ED42EEC, 0x5E8E, 0x4D50, {0x83, 0xDA, 0xBC, 0xD1, 0x39, 0xB6, 0xBB, 0x40}};

// What GetImplementation answers for sets made by this module.
inline constexpr long kQORBitsetImplementation = 1;

// Bit i is bit i mod 32 of word i / 32; every bit beyond the words has the fill word's value.
struct IQORBitset : IUnknown {
  // Slot 3: not an HRESULT.
  virtual long STDMETHODCALLTYPE GetImplementation() = 0;
  // Slot 4: E_FAIL while references are held.
  virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE GetWordCount(long* count) = 0;
  // Slot 6: copies up to count words and the fill word; S_FALSE when count is below the
  // word count (the copy is cut short).
  virtual HRESULT STDMETHODCALLTYPE GetWords(long count, unsigned long* words,
                                             unsigned long* fill) = 0;
  // Slot 7
  virtual HRESULT STDMETHODCALLTYPE Clone(IQORBitset** copy) = 0;
  // Slot 8: the deleting destructor; frees the block when bit 0 of flags is set.
  virtual void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) = 0;
};
