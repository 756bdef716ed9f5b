// Host application service and host view window interface (one IID serving both roles).
// The host application object answers the message box and version slots; a host view object
// answers the window slot. Slots that an object's role does not use answer E_NOTIMPL.
// Ownership: texts passed in are borrowed for the call.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The host application class: {09C5C1C7-6AEE-4EF7-AD48-5301E8BC3775}
inline constexpr GUID CLSID_HostApplication = {
    0x09C5C1C7, 0x6AEE, 0x4EF7, {0xAD, 0x48, 0x53, 0x01, 0xE8, 0xBC, 0x37, 0x75}};
// {70380571-34EA-11D3-8099-005004AD3C53}
inline constexpr GUID IID_IHostApplication = {
    0x70380571, 0x34EA, 0x11D3, {0x80, 0x99, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// The same interface as asked of a host view object.
inline constexpr const GUID& IID_IHostViewWindow = IID_IHostApplication;

struct IHostApplication : IUnknown {
  // Slots 3-9: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  // Slot 10 (both roles): the window handle of the view, or of the application's main
  // window (null when the host shows none).
  virtual HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) = 0;
  // Slots 11-34: the host's own; not used by the module.
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
  virtual HRESULT STDMETHODCALLTYPE Reserved30() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved31() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved32() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved33() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved34() = 0;
  // Slot 35: shows a message box (owner may be null) and writes the button pressed.
  virtual HRESULT STDMETHODCALLTYPE ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, uint32_t style,
                                                  int32_t* button) = 0;
  // Slots 36-50: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved36() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved37() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved38() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved39() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved40() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved41() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved42() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved43() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved44() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved45() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved46() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved47() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved48() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved49() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved50() = 0;
  // Slot 51: the host's value of the given field (the module passes 0: its version field;
  // non-zero once a version text has been reported).
  virtual HRESULT STDMETHODCALLTYPE GetFieldValue(uint32_t field, int32_t* value) = 0;
  // Slots 52-56: the host's own; not used by the module.
  virtual HRESULT STDMETHODCALLTYPE Reserved52() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved53() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved54() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved55() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved56() = 0;
  // Slot 57: reports a module's version text for the given field (0).
  virtual HRESULT STDMETHODCALLTYPE ReportVersionText(const wchar_t* text, uint32_t field) = 0;
};
