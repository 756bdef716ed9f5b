// The interface slots every enumerator answers alike.
#include "enumerators/framework/CalcEnumEventBase.h"

#include "enumerators/framework/ClassTypeIndex.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComBoundary.h"

namespace CalcEnums {

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::GetSourceInfo(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = 0;
  if (!mClassObject) return S_OK;
  mClassObject->GetTypeId(typeId);  // the class's own type id; a failure leaves 0
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::GetDataSource(IUnknown** classObject) noexcept {
  if (!classObject) return E_POINTER;
  *classObject = mClassObject;
  if (mClassObject) mClassObject->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::GetParamKind(int32_t, int32_t which, uint32_t* kind) noexcept {
  if (!kind) return E_POINTER;
  *kind = which != 0 ? 0x40000000u : 0u;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::GetCapabilities(uint32_t* capabilities) noexcept {
  if (!capabilities) return E_POINTER;
  *capabilities = 0x10008000u;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::GetResultKind(uint32_t* kind) noexcept {
  if (!kind) return E_POINTER;
  *kind = 0x801B0002u;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::Reserved6(void** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CalcEnumEventBase::Reserved10(void** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

uint32_t CalcEnumEventBase::EventTypeId(uint32_t number) {
  static ClassIndexCache cache;
  const uint32_t classIndex = cache.Get(ZREventDrawGUID, RegisteredIndexOf);
  return (classIndex << 16) | (number & 0xFFFFu);
}

}  // namespace CalcEnums
