// The host's test-document class.
#include "host/data/TestDocumentClass.h"

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/TestDocument.h"

#include <oleauto.h>

namespace host {

namespace {

bool gRefuse = false;

class TestDocumentClass final : public HostObject<IGenericClassObject> {
 public:
  TestDocumentClass(uint32_t typeId, ICalcEnumClass2* formulaClass) : mTypeId(typeId), mFormulaClass(formulaClass) {}

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override {
    if (!category) return E_POINTER;
    *category = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    if (!name) return E_POINTER;
    SysFreeString(*name);
    *name = SysAllocString(L"Test Document");
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) noexcept override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE CreateObject(IUnknown* outer, REFIID iid, void** object) noexcept override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (gRefuse) return E_OUTOFMEMORY;
    try {
      HostPtr<DataDocument> document = DataDocument::Create(Recording());
      document->SetFormulaClass(mFormulaClass.Get());
      return document->QueryInterface(iid, object);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject || iid == IID_IGenericClassObject)
      return static_cast<IGenericClassObject*>(this);
    return nullptr;
  }

  uint32_t mTypeId;
  HostPtr<ICalcEnumClass2> mFormulaClass;
};

}  // namespace

void RefuseTestDocuments(bool refuse) noexcept { gRefuse = refuse; }

HRESULT RegisterTestDocumentClass(IClassRegistry* registry, ITypeRegistry* types, ICalcEnumClass2* formulaClass) {
  if (!registry || !types) return E_POINTER;
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kTestDocumentClassGuid, &index);
  if (FAILED(hr)) return hr;
  try {
    HostPtr<IGenericClassObject> object;
    object.Attach(new TestDocumentClass(static_cast<uint32_t>(index) << 16, formulaClass));
    return registry->RegisterClassObject(object.Get());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
