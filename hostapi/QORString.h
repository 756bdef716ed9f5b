// Host string interfaces: IAutoQORString and QOR::IQORString (one interface table serves both).
// Ownership: a string handed out through an out pointer carries one reference for the caller;
// BSTRs and VARIANTs handed out are the caller's to free; GetText points into the string itself.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace QOR {
struct IQORString;
}

// {2D3B7EC5-BF24-11CF-97E6-00C0DF492697}
inline constexpr GUID IID_IAutoQORString = {
    0x2D3B7EC5, 0xBF24, 0x11CF, {0x97, 0xE6, 0x00, 0xC0, 0xDF, 0x49, 0x26, 0x97}};

// The automation part of the string: slots 3-14 (0-2 are IUnknown).
struct IAutoQORString : IUnknown {
  // Slot 3: E_FAIL when the string is shared or the BSTR does not fit its capacity;
  // a null BSTR empties it.
  virtual HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR text) = 0;
  // Slot 4: frees the BSTR already in *text; an empty string leaves *text null.
  virtual HRESULT STDMETHODCALLTYPE GetBSTR(BSTR* text) = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE IsEmpty(VARIANT_BOOL* empty) = 0;
  // Slot 6: units without the terminator.
  virtual HRESULT STDMETHODCALLTYPE GetLength(long* length) = 0;
  // Slot 7
  virtual HRESULT STDMETHODCALLTYPE IsEqual(QOR::IQORString* other, VARIANT_BOOL* equal) = 0;
  // Slot 8: true while more than one reference is held.
  virtual HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL* shared) = 0;
  // Slot 9: not an HRESULT; the module's own strings answer kQORStringImplementation.
  virtual long STDMETHODCALLTYPE GetImplementation() = 0;
  // Slot 10: copies the text with its terminator; E_FAIL when bytes is too small.
  virtual HRESULT STDMETHODCALLTYPE CopyTo(long bytes, void* buffer) = 0;
  // Slot 11: units without the terminator and the size of one unit in bytes.
  virtual HRESULT STDMETHODCALLTYPE GetLengthAndCharSize(long* length, long* charSize) = 0;
  // Slot 12: units the string can hold without the terminator.
  virtual HRESULT STDMETHODCALLTYPE GetCapacity(long* capacity) = 0;
  // Slot 13: a new empty string with room for units characters, one reference.
  virtual HRESULT STDMETHODCALLTYPE CreateRep(long units, QOR::IQORString** rep) = 0;
  // Slot 14: VT_BSTR with a copy of the text (a null BSTR when empty).
  virtual HRESULT STDMETHODCALLTYPE GetVariant(VARIANT* value) = 0;
};

namespace QOR {

// {3904AA0E-3E8D-11D1-997F-00C0DF492697}
inline constexpr GUID IID_IQORString = {
    0x3904AA0E, 0x3E8D, 0x11D1, {0x99, 0x7F, 0x00, 0xC0, 0xDF, 0x49, 0x26, 0x97}};

// What GetImplementation answers for strings made by this module.
inline constexpr long kQORStringImplementation = 9;

// Slots 15-19, after those of IAutoQORString.
struct IQORString : IAutoQORString {
  // Slot 15: units without the terminator.
  virtual long STDMETHODCALLTYPE Length() = 0;
  // Slot 16: deletes the string whatever its count.
  virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
  // Slot 17: reserved, answers 0.
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  // Slot 18: the zero-terminated text, valid while the caller holds a reference.
  virtual const wchar_t* STDMETHODCALLTYPE GetText() = 0;
  // Slot 19: the deleting destructor; frees the block when bit 0 of flags is set.
  virtual void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) = 0;
};

}  // namespace QOR
