// Host Data Pad: the host application's sheet of rows and cells that modules copy results into.
// Ownership: strings passed in are borrowed for the call; a string handed out is the caller's
// to release.
#pragma once

#include "hostapi/QORString.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {4021A444-7899-11D4-8110-00A0C9E26433}
inline constexpr GUID IID_IHostDataPad = {
    0x4021A444, 0x7899, 0x11D4, {0x81, 0x10, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
// The rows and columns the sheet has; rows and columns count from 0.
inline constexpr int32_t kDataPadRows = 0x100000;
inline constexpr int32_t kDataPadColumns = 26;

struct IHostDataPad : IUnknown {
  // Slots 3-29: sheet operations modules do not use.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved23() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved24() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved25() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved26() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved27() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved28() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved29() = 0;
  // Slot 30: the text of one cell (empty outside the sheet or when the cell is empty); sheet and
  // page are 0.
  virtual HRESULT STDMETHODCALLTYPE GetCell(int32_t sheet, int32_t page, int32_t row, int32_t column,
                                            QOR::IQORString** text) = 0;
  // Slot 31: writes text into a cell; redraw is VARIANT_TRUE. E_INVALIDARG outside the sheet.
  virtual HRESULT STDMETHODCALLTYPE SetCell(int32_t sheet, int32_t page, int32_t row, int32_t column,
                                            QOR::IQORString* text, VARIANT_BOOL redraw) = 0;
};

// {6B0F3C52-94A1-4E7D-8C2B-1D5E7A9F3B64}: asked of a host document for the Data Pad that
// copies from its views go to.
inline constexpr GUID IID_IHostDataPadSource = {
    0x6B0F3C52, 0x94A1, 0x4E7D, {0x8C, 0x2B, 0x1D, 0x5E, 0x7A, 0x9F, 0x3B, 0x64}};

struct IHostDataPadSource : IUnknown {
  // Slot 3: the Data Pad object (one reference); S_FALSE and null when the host has none.
  virtual HRESULT STDMETHODCALLTYPE GetDataPad(IUnknown** pad) = 0;
};
