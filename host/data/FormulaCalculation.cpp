// The host's formula calculation classes.
#include "host/data/FormulaCalculation.h"

#include "host/common/HostClassObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "host/formula/ChannelCalcEngine.h"
#include "host/data/DataObjectsPart.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DataObjects.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/HostCalculation.h"

#include <new>
#include <string>

namespace host {

namespace {

// The stand-in's own id under which a settings object answers itself to the calculation.
// {0E7A4B19-6C3D-4F52-8B1E-9D2C7A5F3E60}
constexpr GUID IID_HostFormulaSettings = {
    0x0E7A4B19, 0x6C3D, 0x4F52, {0x8B, 0x1E, 0x9D, 0x2C, 0x7A, 0x5F, 0x3E, 0x60}};

class FormulaSettings final : public HostObject<IPersistObject, IFormulaCalcSettings> {
 public:
  HRESULT STDMETHODCALLTYPE SetFormulas(QOR::IQORString* first, QOR::IQORString* second,
                                        VARIANT_BOOL) noexcept override {
    try {
      mFirst = StringText(first);
      mSecond = StringText(second);
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString* formula, QOR::IQORString* second, double top, double bottom,
                                    int32_t decimalPlaces, uint32_t flags) noexcept override {
    const HRESULT hr = SetFormulas(formula, second, VARIANT_FALSE);
    mTop = top;
    mBottom = bottom;
    mDecimalPlaces = decimalPlaces;
    mFlags = flags;
    return hr;
  }
  // The formula texts live with the data object they are applied to, never in a text store.
  HRESULT STDMETHODCALLTYPE Load(IHostTextStore*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(IHostTextStore*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t*) noexcept override { return E_NOTIMPL; }
  const std::wstring& First() const noexcept { return mFirst; }
  const std::wstring& Second() const noexcept { return mSecond; }

 private:
  ~FormulaSettings() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IPersistObject) return static_cast<IPersistObject*>(this);
    if (iid == IID_IFormulaCalcSettings || iid == IID_HostFormulaSettings)
      return static_cast<IFormulaCalcSettings*>(this);
    return nullptr;
  }

  std::wstring mFirst;
  std::wstring mSecond;
  double mTop = 1.0;
  double mBottom = -1.0;
  int32_t mDecimalPlaces = 3;
  uint32_t mFlags = 0;
};

// A formula calculation on a channel of its own: the host's engine, aggregated, evaluates the
// formula; the calculation keeps the settings object it was given.
class ChannelCalculation final : public HostObject<IHostChannelCalc, IChannelCalc> {
 public:
  // The engine's interfaces are reached through its inner unknown; they count on this object.
  HRESULT Init() {
    HRESULT hr = CreateChannelCalcEngine(static_cast<IHostChannelCalc*>(this), mEngine.Out());
    if (FAILED(hr)) return hr;
    hr = mEngine->QueryInterface(IID_IHostChannelCalcEngine, reinterpret_cast<void**>(&mEngineInterface));
    if (SUCCEEDED(hr)) Release();  // the query counted on this object
    return hr;
  }

  // IHostChannelCalc
  HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown* settings, VARIANT_BOOL) noexcept override {
    mSettings.Reset();
    if (settings) settings->QueryInterface(IID_IPersistObject, reinterpret_cast<void**>(mSettings.Out()));
    return mSettings ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE Reset() noexcept override { return mEngineInterface ? mEngineInterface->Finish() : S_OK; }

  // IChannelCalc: the stand-in makes no output source of its own.
  HRESULT STDMETHODCALLTYPE Setup(int32_t, uint32_t, uint32_t, IUnknown** outputSource, ChannelCalcTimeBase*, int32_t,
                                  uint32_t*) noexcept override {
    if (outputSource) *outputSource = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ApplySettings(IPersistObject* settings, uint32_t) noexcept override {
    mSettings = HostPtr<IPersistObject>(settings);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TakeSettings(uint32_t, IPersistObject* settings) noexcept override {
    mSettings = HostPtr<IPersistObject>(settings);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSettings(IPersistObject** settings) noexcept override {
    if (!settings) return E_POINTER;
    *settings = mSettings.Get();
    if (*settings) (*settings)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    if (!flags) return E_POINTER;
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved8(uint32_t, void** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetTitle(uint32_t, QOR::IQORString** title) noexcept override {
    if (title) *title = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved10(uint32_t) noexcept override { return S_OK; }

 private:
  ~ChannelCalculation() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostChannelCalc) return static_cast<IHostChannelCalc*>(this);
    if (iid == IID_IChannelCalc) return static_cast<IChannelCalc*>(this);
    if (iid == IID_IHostChannelCalcEngine) return mEngineInterface;
    return nullptr;
  }

  HostPtr<IUnknown> mEngine;  // the engine's inner unknown
  IHostChannelCalcEngine* mEngineInterface = nullptr;  // counts on this object, so not held
  HostPtr<IPersistObject> mSettings;
};

// A calculation bound to one data object of a document: applying settings stores their texts
// as the object's formula.
class ObjectCalculation final : public HostObject<IHostChannelCalc> {
 public:
  ObjectCalculation(HostPtr<IHostDataObjects> objects, int32_t id) : mObjects(std::move(objects)), mId(id) {}

  HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown* settings, VARIANT_BOOL apply) noexcept override {
    if (!settings) return E_POINTER;
    HostPtr<IFormulaCalcSettings> formulas;
    if (FAILED(settings->QueryInterface(IID_HostFormulaSettings, reinterpret_cast<void**>(formulas.Out()))))
      return E_INVALIDARG;  // settings of another class
    if (apply == VARIANT_FALSE) return S_OK;
    const auto* const texts = static_cast<FormulaSettings*>(formulas.Get());
    try {
      return static_cast<DataObjectsPart*>(mObjects.Get())
          ->SetFormula(mId, kMarkerObjectKind, texts->First(), texts->Second());
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE Reset() noexcept override { return S_OK; }

 private:
  ~ObjectCalculation() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostChannelCalc) return static_cast<IHostChannelCalc*>(this);
    return nullptr;
  }

  HostPtr<IHostDataObjects> mObjects;
  int32_t mId;
};

class FormulaCalculationClass final : public HostClassObject<ICalculationClass> {
 public:
  explicit FormulaCalculationClass(uint32_t typeId) : HostClassObject(typeId, L"Formula Calculation") {}

  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override {
    if (name) *name = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) noexcept override {
    if (description) *description = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override {
    if (!flags) return E_POINTER;
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RunSettingsDialog(HWND, uint32_t, IUnknown*, IUnknown*, int32_t, uint32_t,
                                              IPersistObject*, IPersistObject** edited) noexcept override {
    if (edited) *edited = nullptr;
    return S_FALSE;  // formulas are edited where the data object is made
  }
  // Formula calculations on data objects, addressed by the kind modules use or the one NewObject
  // answered; any other flags make a calculation on the channel itself, which evaluates its
  // formula through the host's engine.
  HRESULT STDMETHODCALLTYPE CreateCalculation(int32_t channel, uint32_t flags, IHostDataDocument* document,
                                              IHostChannelCalc** calculation) noexcept override {
    if (!calculation) return E_POINTER;
    *calculation = nullptr;
    if (!document) return E_INVALIDARG;
    if (flags != kMarkerObjectKind && flags != kDataObjectRequestKind) {
      HostPtr<ChannelCalculation> made;
      made.Attach(new (std::nothrow) ChannelCalculation);
      if (!made) return E_OUTOFMEMORY;
      const HRESULT hr = made->Init();
      if (FAILED(hr)) return hr;
      *calculation = made.Detach();
      return S_OK;
    }
    HostPtr<IHostDataObjects> objects;
    if (FAILED(document->QueryInterface(IID_HostDataObjectsPart, reinterpret_cast<void**>(objects.Out()))))
      return E_INVALIDARG;
    if (!static_cast<DataObjectsPart*>(objects.Get())->Find(channel, flags)) return E_INVALIDARG;
    ObjectCalculation* const made = new (std::nothrow) ObjectCalculation(std::move(objects), channel);
    if (!made) return E_OUTOFMEMORY;
    *calculation = made;
    return S_OK;
  }

 private:
  ~FormulaCalculationClass() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject || iid == IID_ICalculationClass)
      return static_cast<ICalculationClass*>(this);
    return nullptr;
  }
};

HRESULT TypeIdOf(ITypeRegistry* types, uint16_t number, uint32_t* typeId) {
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kHostCalcClassGuid, &index);
  if (FAILED(hr)) return hr;
  *typeId = (static_cast<uint32_t>(index) << 16) | number;
  return S_OK;
}

}  // namespace

HRESULT RegisterFormulaCalculationClasses(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry || !types) return E_POINTER;
  uint32_t settingsId = 0;
  uint32_t calculationId = 0;
  HRESULT hr = TypeIdOf(types, kFormulaSettingsClassNumber, &settingsId);
  if (SUCCEEDED(hr)) hr = TypeIdOf(types, kFormulaCalculationClassNumber, &calculationId);
  if (FAILED(hr)) return hr;
  HostPtr<ILumoClassObject> settings;
  HostPtr<ICalculationClass> calculation;
  settings.Attach(new (std::nothrow) HostFactoryClass<FormulaSettings>(settingsId, L"Formula Settings"));
  calculation.Attach(new (std::nothrow) FormulaCalculationClass(calculationId));
  if (!settings || !calculation) return E_OUTOFMEMORY;
  hr = registry->RegisterClassObject(settings.Get());
  return SUCCEEDED(hr) ? registry->RegisterClassObject(calculation.Get()) : hr;
}

}  // namespace host
