// A test enumerator that answers every ICalcEnum and IEnumEventEx slot with nothing: no events,
// record end at once, 24-byte records. Test fakes derive from it and override what they watch.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/CalcEnum.h"

namespace testing_support {

class InertEnumerator : public host::HostObject<ICalcEnum, IEnumEventEx> {
 public:
  HRESULT STDMETHODCALLTYPE GetSourceInfo(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataSource(IUnknown**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString*, uint32_t* kind) noexcept override {
    if (kind) *kind = 0x40000000;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, ICalcEnum**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSources(int32_t, int32_t, IUnknown**, IUnknown**, double,
                                       uint32_t) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetParamKind(int32_t, int32_t, uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double*, IUnknown**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetResultKind(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Next(int32_t, int32_t, void*, int32_t* returned, int32_t* next) noexcept override {
    *returned = 0;
    *next = kEnumRecordEnd;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Find(int32_t, int32_t, int32_t, int32_t) noexcept override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    *tick = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved6(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    *bytes = 24;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10(void**) noexcept override { return E_NOTIMPL; }

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ICalcEnum)) return static_cast<ICalcEnum*>(this);
    if (IsEqualIID(iid, IID_IEnumEventEx)) return static_cast<IEnumEventEx*>(this);
    return nullptr;
  }
};

}  // namespace testing_support
