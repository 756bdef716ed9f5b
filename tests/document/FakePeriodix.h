// A Periodix extension for the settings tests: detection-settings objects whose text is
// "px <valid> <channel>", the service that makes them and a host data document that lists it.
#pragma once

#include "base/String.h"
#include "host/common/HostObject.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/TypeIds.h"

#include <sstream>
#include <string>

namespace doctest {

class FakeDetectionSettings final : public host::HostObject<IPXDetectionSettings, IPXPreviewTrace> {
 public:
  bool valid = true;
  bool derived = false;  // the detector derives a trace of its own: "d(<reference>)" in "<unit>/s"
  int refreshes = 0;
  double channel = -1.0;
  int loads = 0;
  bool usesSource = false;

  HRESULT STDMETHODCALLTYPE IsValid(VARIANT_BOOL* v) noexcept override {
    *v = valid ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IPXDetectionSettings** clone) noexcept override {
    auto* copy = new FakeDetectionSettings;
    copy->valid = valid;
    copy->channel = channel;
    *clone = copy;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CopyFrom(IPXDetectionSettings*, VARIANT_BOOL) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetText(QOR::IQORString** text) noexcept override {
    std::wostringstream out;
    out << L"px " << (valid ? 1 : 0) << L' ' << channel;
    *text = QOR::String(out.str().c_str()).AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LoadText(QOR::IQORString* text) noexcept override {
    std::wistringstream in(text->GetText());
    std::wstring tag;
    int readValid = 0;
    double readChannel = 0.0;
    if (!(in >> tag >> readValid >> readChannel) || tag != L"px") return E_INVALIDARG;
    valid = readValid != 0;
    channel = readChannel;
    ++loads;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetToDefaults() noexcept override {
    valid = true;
    channel = -1.0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UsesSourceObject(VARIANT_BOOL* uses) noexcept override {
    *uses = usesSource ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  // "pxdetect( <reference>, <use source>, <id>, <kind in hex> )": every argument shows.
  HRESULT STDMETHODCALLTYPE GetDetectorFormula(QOR::IQORString* reference, VARIANT_BOOL useSource,
                                               int32_t id, uint32_t kind,
                                               QOR::IQORString** formula) noexcept override {
    std::wostringstream out;
    out << L"pxdetect( " << reference->GetText() << L", " << (useSource ? 1 : 0) << L", " << id
        << L", " << std::hex << kind << L" )";
    *formula = QOR::String(out.str().c_str()).AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceFormula(QOR::IQORString*, QOR::IQORString**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetParameter(int32_t, double*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetParameter(int32_t index, double value) noexcept override {
    if (index != kPXParamChannel) return E_INVALIDARG;
    channel = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCaption(QOR::IQORString**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetThresholdUnit(QOR::IQORString*, int32_t, QOR::IQORString**,
                                             int32_t*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved20() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsRelativeThreshold(VARIANT_BOOL*) noexcept override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE HasDerivedTrace(VARIANT_BOOL* d) noexcept override {
    *d = derived ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDerivedTraceText(QOR::IQORString* reference, QOR::IQORString** text) noexcept override {
    *text = QOR::String((L"d(" + std::wstring(reference->GetText()) + L")").c_str()).AddRefInterface();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDerivedTraceUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                                 int32_t* outPrefix) noexcept override {
    return GetAxisUnits(unit, prefix, outUnit, outPrefix);
  }
  HRESULT STDMETHODCALLTYPE GetAxisUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                         int32_t* outPrefix) noexcept override {
    *outUnit = QOR::String((std::wstring(unit->GetText()) + L"/s").c_str()).AddRefInterface();
    *outPrefix = prefix;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDerivedTraceRange(const double channelRange[2], int32_t,
                                                 double traceRange[2]) noexcept override {
    traceRange[0] = channelRange[0] * 10.0;
    traceRange[1] = channelRange[1] * 10.0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Refresh(int32_t, int32_t*) noexcept override {
    ++refreshes;
    return S_OK;
  }

 protected:
  void* FindInterface(REFIID iid) noexcept override {
    if (iid == IID_IUnknown || iid == IID_IPXDetectionSettings) {
      return static_cast<IPXDetectionSettings*>(this);
    }
    if (iid == IID_IPXPreviewTrace) return static_cast<IPXPreviewTrace*>(this);
    return nullptr;
  }
};

class FakePresetService final : public host::HostObject<IPXPresetService> {
 public:
  int created = 0;

  HRESULT STDMETHODCALLTYPE CreateSettings(IPXDetectionSettings** settings) noexcept override {
    *settings = new FakeDetectionSettings;
    ++created;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPresetCount(int32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindPresetBySettings(IPXDetectionSettings*, int32_t*,
                                                 VARIANT_BOOL*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindPresetByName(QOR::IQORString*, int32_t*,
                                             VARIANT_BOOL*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetPreset(int32_t, IPXDetectionSettings**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetPresetName(int32_t, VARIANT_BOOL,
                                          QOR::IQORString**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsPresetRemovable(int32_t, VARIANT_BOOL*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Customize(HWND, IPXDetectionSettings*, const int32_t*,
                                      QOR::IQORString*, QOR::IQORString*, QOR::IQORString*,
                                      IPXDetectionSettings**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SavePreset(HWND, IPXDetectionSettings*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DeletePreset(HWND, QOR::IQORString*) noexcept override {
    return E_NOTIMPL;
  }

 protected:
  void* FindInterface(REFIID iid) noexcept override {
    if (iid == IID_IUnknown || iid == IID_IPXPresetService) {
      return static_cast<IPXPresetService*>(this);
    }
    return nullptr;
  }
};

// A host data document whose child list holds the service under the Periodix class's type id.
class FakeHostDataDocument final : public host::HostObject<IHostChildDocumentList> {
 public:
  FakeHostDataDocument() : service(new FakePresetService) {}
  ~FakeHostDataDocument() override { service->Release(); }

  FakePresetService* service;

#define ONDARA_RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() noexcept override { return E_NOTIMPL; }
  ONDARA_RESERVED(3) ONDARA_RESERVED(4) ONDARA_RESERVED(6)
  ONDARA_RESERVED(7) ONDARA_RESERVED(8) ONDARA_RESERVED(9) ONDARA_RESERVED(10)
  ONDARA_RESERVED(11) ONDARA_RESERVED(12) ONDARA_RESERVED(13) ONDARA_RESERVED(14)
  ONDARA_RESERVED(15) ONDARA_RESERVED(16) ONDARA_RESERVED(17) ONDARA_RESERVED(18)
  ONDARA_RESERVED(19) ONDARA_RESERVED(20) ONDARA_RESERVED(21) ONDARA_RESERVED(22)
  ONDARA_RESERVED(23) ONDARA_RESERVED(24)
#undef ONDARA_RESERVED
  HRESULT STDMETHODCALLTYPE GetFrameInterface(IUnknown** frame) noexcept override {
    *frame = nullptr;
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE GetChildObject(uint32_t typeId, int32_t index,
                                           IUnknown** child) noexcept override {
    *child = nullptr;
    if (typeId != TypeIdClass<&PXChildClassGUID, 0>::Id() || index != 0) return E_FAIL;
    *child = service;
    service->AddRef();
    return S_OK;
  }

 protected:
  void* FindInterface(REFIID iid) noexcept override {
    if (iid == IID_IUnknown || iid == IID_IHostChildDocumentList) {
      return static_cast<IHostChildDocumentList*>(this);
    }
    return nullptr;
  }
};

}  // namespace doctest
