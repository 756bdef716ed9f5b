// The host's test-document class.
#include "host/data/TestDocumentClass.h"

#include "host/common/HostClassObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "host/formula/FormulaEnumClass.h"
#include "hostapi/TestDocument.h"


namespace host {

namespace {

bool gRefuse = false;

class TestDocumentClass final : public HostClassObject<IGenericClassObject> {
 public:
  TestDocumentClass(uint32_t typeId, IClassRegistry* registry, ITypeRegistry* types)
      : HostClassObject(typeId, L"Test Document"), mRegistry(registry), mTypes(types) {}

  HRESULT STDMETHODCALLTYPE CreateObject(IUnknown* outer, REFIID iid, void** object) noexcept override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (gRefuse) return E_OUTOFMEMORY;
    try {
      HostPtr<DataDocument> document = DataDocument::Create(Recording());
      uint32_t formulaTypeId = 0;
      HostPtr<ICalcEnumClass2> formulaClass;
      if (SUCCEEDED(FormulaEnumClassTypeId(mTypes.Get(), &formulaTypeId)))
        mRegistry->GetClassObject(formulaTypeId, IID_ICalcEnumClass2, reinterpret_cast<void**>(formulaClass.Out()));
      if (formulaClass) document->SetFormulaClass(formulaClass.Get());
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

  HostPtr<IClassRegistry> mRegistry;
  HostPtr<ITypeRegistry> mTypes;
};

}  // namespace

void RefuseTestDocuments(bool refuse) noexcept { gRefuse = refuse; }

HRESULT RegisterTestDocumentClass(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry || !types) return E_POINTER;
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kTestDocumentClassGuid, &index);
  if (FAILED(hr)) return hr;
  try {
    HostPtr<IGenericClassObject> object;
    object.Attach(new TestDocumentClass(static_cast<uint32_t>(index) << 16, registry, types));
    return registry->RegisterClassObject(object.Get());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
