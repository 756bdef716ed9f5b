// The host application service: message boxes and the modules' version texts.
#include "host/framework/HostObservationPrivate.h"
#include "host/framework/PrintServices.h"
#include "hostapi/HostApplication.h"
#include "hostapi/HostFrame.h"
#include "hostapi/ViewPrinting.h"

namespace lumo {

namespace {

// Records a help request; the stand-in opens no help.
HRESULT Help(const wchar_t* file, const wchar_t* topic) noexcept;

// The stand-in shows no modal box: each is recorded and answered with the
// first button (IDOK), so nothing waits for a user.
// The application is also the frame documents print over, and reports its language.
// It is the documents' frame, whose help it opens, and offers the modules its help service.
class HostApplication final : public IHostApplication,
                              public IHostPrintFrame,
                              public IHostLanguage,
                              public IHostFrameHelp,
                              public IHostHelp {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHostApplication))
      *out = static_cast<IHostApplication*>(this);
    else if (IsEqualIID(iid, IID_IHostPrintFrame))
      *out = static_cast<IHostPrintFrame*>(this);
    else if (IsEqualIID(iid, IID_IHostLanguage))
      *out = static_cast<IHostLanguage*>(this);
    else if (IsEqualIID(iid, IID_IHostFrameHelp))
      *out = static_cast<IHostFrameHelp*>(this);
    else if (IsEqualIID(iid, IID_IHostHelp))
      *out = static_cast<IHostHelp*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  // A static object: counting does nothing.
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE GetPrintService(IHostPrintService** service) noexcept override {
    if (!service) return E_POINTER;
    *service = nullptr;
    return PrintServiceObject()->QueryInterface(IID_IHostPrintService,
                                                reinterpret_cast<void**>(service));
  }
  HRESULT STDMETHODCALLTYPE ShowHelpTopic(const wchar_t* topic, uint32_t) noexcept override {
    return Help(L"", topic);
  }
  HRESULT STDMETHODCALLTYPE ShowHelp(const wchar_t* helpFile, const wchar_t* topic) noexcept override {
    return helpFile ? Help(helpFile, topic) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE GetLanguage(uint16_t* language) noexcept override {
    if (!language) return E_POINTER;
    *language = HostLanguage();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved36() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved37() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved42() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved43() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved44() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved45() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved46() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved47() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved48() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved49() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved50() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved52() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved53() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved54() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved55() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved56() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) noexcept override {
    if (!window) return E_POINTER;
    // The stand-in application has no main window.
    *window = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowMessageBox(HWND, const wchar_t* text, const wchar_t* caption,
                                           uint32_t style, int32_t* button) noexcept override {
    if (!button) return E_POINTER;
    try {
      RecordMessageBox(text ? text : L"", caption ? caption : L"", style);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    *button = IDOK;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFieldValue(uint32_t field, int32_t* value) noexcept override {
    if (!value) return E_POINTER;
    if (field != 0) return E_INVALIDARG;
    *value = static_cast<int32_t>(VersionTextCount());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReportVersionText(const wchar_t* text, uint32_t field) noexcept override {
    if (!text) return E_POINTER;
    if (field != 0) return E_INVALIDARG;
    try {
      RecordVersionText(text);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
};

HRESULT Help(const wchar_t* file, const wchar_t* topic) noexcept {
  if (!topic) return E_POINTER;
  try {
    RecordHelpRequest(file, topic);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HostApplication gHostApplication;

}  // namespace

IUnknown* HostApplicationObject() noexcept {
  return static_cast<IHostApplication*>(&gHostApplication);
}

}  // namespace lumo
