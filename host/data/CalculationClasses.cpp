// The host's formula calculation classes.
#include "host/data/CalculationClasses.h"

#include "host/common/HostClassObject.h"
#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "host/data/DataDocument.h"
#include "host/formula/FormulaSyntax.h"
#include "hostapi/HostCalculation.h"


#include <new>
#include <string>

namespace host {

const GUID kHostCalculationClassGuid = {
    0xC3397303, 0x5AAD, 0x11D3, {0xAB, 0x07, 0x00, 0xA0, 0xCC, 0x40, 0xB4, 0xCE}};

namespace {

constexpr uint16_t kCalculationClassNumber = 0;
constexpr uint16_t kSettingsClassNumber = 1;

// The two formula texts of a calculation; the first is the formula, the second its units.
class FormulaSettings final : public HostObject<IPersistObject, IFormulaCalcSettings> {
 public:
  HRESULT STDMETHODCALLTYPE SetFormulas(QOR::IQORString* first, QOR::IQORString* second,
                                        VARIANT_BOOL) noexcept override {
    try {
      mFormula = StringText(first);
      mUnits = StringText(second);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  const std::wstring& Formula() const { return mFormula; }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IPersistObject) return static_cast<IPersistObject*>(this);
    if (iid == IID_IFormulaCalcSettings) return static_cast<IFormulaCalcSettings*>(this);
    return nullptr;
  }
  std::wstring mFormula;
  std::wstring mUnits;
};

// A calculation made for one channel of one document; applying settings binds their formula.
class ChannelCalculation final : public HostObject<IHostChannelCalc, IHostChannelCalcInfo> {
 public:
  ChannelCalculation(DataDocument* document, int32_t channel, uint32_t typeId)
      : mDocument(document), mChannel(channel), mTypeId(typeId) {}

  HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown* settings, VARIANT_BOOL apply) noexcept override {
    HostPtr<IPersistObject> persist;
    if (!settings ||
        FAILED(settings->QueryInterface(IID_IPersistObject, reinterpret_cast<void**>(persist.Out()))))
      return E_INVALIDARG;
    auto* const own = dynamic_cast<FormulaSettings*>(persist.Get());
    if (!own) return E_INVALIDARG;
    if (apply != VARIANT_TRUE) return S_FALSE;
    try {
      return mDocument->AttachCalculation(mChannel, own->Formula());
    } catch (const FormulaError&) {
      return E_INVALIDARG;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT STDMETHODCALLTYPE Reset() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetClassTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = mTypeId;
    return S_OK;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostChannelCalc) return static_cast<IHostChannelCalc*>(this);
    if (iid == IID_IHostChannelCalcInfo) return static_cast<IHostChannelCalcInfo*>(this);
    return nullptr;
  }
  HostPtr<DataDocument> mDocument;
  int32_t mChannel;
  uint32_t mTypeId;
};

class SettingsClass final : public HostClassObject<ILumoClassObject, IClassFactory> {
 public:
  explicit SettingsClass(uint32_t typeId) : HostClassObject(typeId, L"Formula Settings", nullptr) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      HostPtr<IPersistObject> settings;
      settings.Attach(new FormulaSettings);
      return settings->QueryInterface(iid, out);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject) return static_cast<ILumoClassObject*>(this);
    if (iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
  }
};

class CalculationClass final : public HostClassObject<ICalculationClass> {
 public:
  explicit CalculationClass(uint32_t typeId) : HostClassObject(typeId, L"Formula Calculation", nullptr) {}
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  // Only this host's own documents take calculations.
  HRESULT STDMETHODCALLTYPE CreateCalculation(int32_t channel, uint32_t, IHostDataDocument* document,
                                              IHostChannelCalc** calculation) noexcept override {
    if (!calculation) return E_POINTER;
    *calculation = nullptr;
    auto* const own = dynamic_cast<DataDocument*>(document);
    if (!own || channel < 0) return E_INVALIDARG;
    try {
      *calculation = new ChannelCalculation(own, channel, mTypeId);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject || iid == IID_ICalculationClass)
      return static_cast<ICalculationClass*>(this);
    return nullptr;
  }
};

}  // namespace

HRESULT RegisterCalculationClasses(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry || !types) return E_POINTER;
  uint16_t index = 0;
  HRESULT hr = types->RegisterGuid(&kHostCalculationClassGuid, &index);
  if (FAILED(hr)) return hr;
  const uint32_t base = static_cast<uint32_t>(index) << 16;
  try {
    HostPtr<ILumoClassObject> settings;
    settings.Attach(new SettingsClass(base | kSettingsClassNumber));
    hr = registry->RegisterClassObject(settings.Get());
    if (FAILED(hr)) return hr;
    HostPtr<ILumoClassObject> calculation;
    calculation.Attach(new CalculationClass(base | kCalculationClassNumber));
    return registry->RegisterClassObject(calculation.Get());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
