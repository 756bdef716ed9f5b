// Host child-document list: the objects that extensions keep with a host data document.
// Ownership: a child handed out through an out pointer carries one reference for the caller.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {CD8A64F4-48D2-11D1-8D03-00C0D1570D74}
inline constexpr GUID IID_IHostChildDocumentList = {
    0xCD8A64F4, 0x48D2, 0x11D1, {0x8D, 0x03, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

struct IHostChildDocumentList : IUnknown {
  // Slots 3 and 4: not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // Slot 5: the frame interface of the object (its host frame; dialogs, help and printing
  // are placed over it). E_NOTIMPL and null when it has none.
  virtual HRESULT STDMETHODCALLTYPE GetFrameInterface(IUnknown** frame) = 0;
  // Slots 6-24: not used by the module.
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
  // Slot 25: the child of that 32-bit type id (class index << 16 | number); index is 0 for
  // the first such child. E_FAIL and a null child when there is none.
  virtual HRESULT STDMETHODCALLTYPE GetChildObject(uint32_t typeId, int32_t index,
                                                   IUnknown** child) = 0;
};
