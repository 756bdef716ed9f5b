// The class registry service: registering class objects, handing out class objects, services and instances.
#include "host/framework/ClassRegistry.h"

#include "host/common/HostString.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "host/framework/TypeRegistry.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/DocView.h"

#include <oleauto.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace lumo {

namespace {

// Service ids have the top bit set; type ids never do (class indexes stay below 0x8000).
constexpr uint32_t kServiceIdBit = 0x80000000u;

struct RegisteredClass {
  ILumoClassObject* object;  // one reference held for the process
  uint32_t typeId;
  std::vector<std::wstring> names;  // lower-case formula name and aliases (enumerator classes)
};

// The host calls the framework on its user-interface thread only; no lock.
std::vector<RegisteredClass>& Classes() {
  static std::vector<RegisteredClass> classes;
  return classes;
}

const HostClassRegistration* gHostClassHead = nullptr;

std::wstring Lower(std::wstring text) {
  for (wchar_t& ch : text) ch = static_cast<wchar_t>(std::towlower(ch));
  return text;
}

// The formula name and aliases of a calculation-enumerator class; none for other classes.
std::vector<std::wstring> EnumeratorNames(ILumoClassObject* object) {
  std::vector<std::wstring> names;
  ICalcEnumClass2* enumClass = nullptr;
  if (FAILED(object->QueryInterface(IID_ICalcEnumClass2, reinterpret_cast<void**>(&enumClass))) ||
      !enumClass)
    return names;
  QOR::IQORString* name = nullptr;
  if (SUCCEEDED(enumClass->GetName(&name)) && name) {
    names.push_back(Lower(host::StringText(name)));
    name->Release();
  }
  enumClass->Release();
  ICalcNumericParamsFuncClass* params = nullptr;
  if (FAILED(object->QueryInterface(IID_ICalcNumericParamsFuncClass,
                                    reinterpret_cast<void**>(&params))) ||
      !params)
    return names;
  int32_t count = 0;
  if (SUCCEEDED(params->GetAliasCount(&count))) {
    for (int32_t i = 0; i < count; ++i) {
      QOR::IQORString* alias = nullptr;
      if (FAILED(params->GetAlias(i, &alias)) || !alias) continue;
      names.push_back(Lower(host::StringText(alias)));
      alias->Release();
    }
  }
  params->Release();
  return names;
}

// The object answering typeId: a registered class object, else a host object.
IUnknown* ObjectOfType(uint32_t typeId) noexcept {
  if (ILumoClassObject* const registered = FindRegisteredClass(typeId)) return registered;
  const HostClassRegistration* const host = HostClassRegistration::Find(typeId);
  return host ? host->Object() : nullptr;
}

HRESULT CreateFromClassObject(IUnknown* classObject, IUnknown* outer, REFIID iid, void** out) {
  IClassFactory* factory = nullptr;
  if (SUCCEEDED(classObject->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&factory))) &&
      factory) {
    const HRESULT hr = factory->CreateInstance(outer, iid, out);
    factory->Release();
    return hr;
  }
  ICalcEnumClass2* enumClass = nullptr;
  if (FAILED(classObject->QueryInterface(IID_ICalcEnumClass2, reinterpret_cast<void**>(&enumClass))) ||
      !enumClass)
    return E_NOINTERFACE;
  IUnknown* instance = nullptr;
  HRESULT hr = enumClass->CreateAggregatedEnum(outer, nullptr, &instance);
  enumClass->Release();
  if (FAILED(hr) || !instance) return FAILED(hr) ? hr : E_FAIL;
  if (outer) {
    // The aggregate's inner unknown goes to the outer object as it is.
    *out = instance;
    return S_OK;
  }
  hr = instance->QueryInterface(iid, out);
  instance->Release();
  return hr;
}

// A view class sets up its companion and menus once it is registered.
void InitialiseViewClass(ILumoClassObject* object) noexcept {
  IViewClass* viewClass = nullptr;
  if (FAILED(object->QueryInterface(IID_IViewClass, reinterpret_cast<void**>(&viewClass))) ||
      !viewClass)
    return;
  viewClass->Initialise();  // a class that fails to set up is still registered
  viewClass->Release();
}

class ClassRegistry final : public StaticService<IClassRegistry, IID_IClassRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(uint32_t classId, IUnknown* outer, REFIID iid,
                                           void** object) noexcept override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
    try {
      const HostClassRegistration* const host = HostClassRegistration::Find(classId);
      if (host && host->Create()) return host->Create()(outer, iid, object);
      IUnknown* const classObject = ObjectOfType(classId);
      if (!classObject) return CLASS_E_CLASSNOTAVAILABLE;
      return CreateFromClassObject(classObject, outer, iid, object);
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassObject(uint32_t id, REFIID iid, void** object) noexcept override {
    if (!object) return E_POINTER;
    *object = nullptr;
    IUnknown* const target = (id & kServiceIdBit) ? ServiceRegistration::FindById(id) : ObjectOfType(id);
    if (!target) return CLASS_E_CLASSNOTAVAILABLE;
    return target->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE RegisterClassObject(ILumoClassObject* classObject) noexcept override {
    if (!classObject) return E_POINTER;
    try {
      uint32_t typeId = 0;
      const HRESULT hr = classObject->GetTypeId(&typeId);
      if (FAILED(hr)) return hr;
      std::vector<std::wstring> names = EnumeratorNames(classObject);
      classObject->AddRef();
      auto& classes = Classes();
      const auto same = std::find_if(classes.begin(), classes.end(),
                                     [typeId](const RegisteredClass& c) { return c.typeId == typeId; });
      if (same == classes.end()) {
        classes.push_back(RegisteredClass{classObject, typeId, std::move(names)});
      } else {
        ILumoClassObject* const replaced = same->object;
        *same = RegisteredClass{classObject, typeId, std::move(names)};
        replaced->Release();
      }
      InitialiseViewClass(classObject);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE GetClassCount(uint32_t* count) noexcept override {
    if (!count) return E_POINTER;
    *count = static_cast<uint32_t>(Classes().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClassAt(uint32_t index, ILumoClassObject** classObject) noexcept override {
    if (!classObject) return E_POINTER;
    *classObject = nullptr;
    if (index >= Classes().size()) return E_INVALIDARG;
    *classObject = Classes()[index].object;
    (*classObject)->AddRef();
    return S_OK;
  }
};

ClassRegistry gClassRegistry;
ServiceRegistration gClassRegistryEntry(IID_IClassRegistry, 0, &gClassRegistry);

}  // namespace

HostClassRegistration::HostClassRegistration(const GUID& guid, uint16_t number, IUnknown* object,
                                             HostClassCreateFn create) noexcept
    : mGuid(guid), mNumber(number), mObject(object), mCreate(create), mNext(gHostClassHead) {
  gHostClassHead = this;
}

const HostClassRegistration* HostClassRegistration::Find(uint32_t typeId) noexcept {
  for (const HostClassRegistration* entry = gHostClassHead; entry; entry = entry->mNext) {
    const uint32_t id = (static_cast<uint32_t>(ClassIndexOf(entry->mGuid)) << 16) | entry->mNumber;
    if (id == typeId) return entry;
  }
  return nullptr;
}

ILumoClassObject* FindRegisteredClass(uint32_t typeId) noexcept {
  for (const RegisteredClass& c : Classes()) {
    if (c.typeId == typeId) return c.object;
  }
  return nullptr;
}

ILumoClassObject* FindCalcEnumClass(const std::wstring& name) noexcept {
  try {
    const std::wstring key = Lower(name);
    for (const RegisteredClass& c : Classes()) {
      if (std::find(c.names.begin(), c.names.end(), key) != c.names.end()) return c.object;
    }
  } catch (...) {
  }
  return nullptr;
}

bool RegisteredClassName(uint32_t typeId, std::wstring& name) {
  ILumoClassObject* const object = FindRegisteredClass(typeId);
  if (!object) return false;
  BSTR bstr = nullptr;
  if (FAILED(object->GetNameBstr(&bstr))) return false;
  name.assign(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0);
  SysFreeString(bstr);
  return !name.empty();
}

bool RegisteredClassId(const std::wstring& name, uint32_t& typeId) {
  const std::wstring key = Lower(name);
  for (const RegisteredClass& c : Classes()) {
    std::wstring own;
    if (RegisteredClassName(c.typeId, own) && Lower(own) == key) {
      typeId = c.typeId;
      return true;
    }
  }
  return false;
}

}  // namespace lumo
