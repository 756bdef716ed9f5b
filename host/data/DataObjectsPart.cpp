// The data-object service of the stand-in data document.
#include "host/data/DataObjectsPart.h"

#include "host/common/HostString.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/CalcEnum.h"

#include <algorithm>
#include <new>

namespace host {

namespace {

HRESULT ReturnString(const std::wstring& text, QOR::IQORString** out) {
  try {
    *out = MakeHostString(text).Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace

HRESULT STDMETHODCALLTYPE DataObjectsPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE DataObjectsPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE DataObjectsPart::Release() noexcept { return mOwner.Release(); }

const DataObject* DataObjectsPart::Find(int32_t id, uint32_t kind) const noexcept {
  // Objects are addressed by the kind modules use, or by the kind NewObject answered.
  if (kind != kMarkerObjectKind && kind != kDataObjectRequestKind) return nullptr;
  const auto it = std::find_if(mObjects.begin(), mObjects.end(), [id](const DataObject& o) { return o.id == id; });
  return it == mObjects.end() ? nullptr : &*it;
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::GetDrawnSource(int32_t, int32_t record, int32_t position, int32_t index,
                                                          DrawnSource* source, int32_t* count) noexcept {
  if (!source || !count) return E_POINTER;
  std::vector<const DataObject*> drawn;
  for (const DataObject& object : mObjects)
    if (object.on && !object.channels.empty() && !object.formula.empty()) drawn.push_back(&object);
  *count = static_cast<int32_t>(drawn.size());
  if (index < 0 || index >= *count) return S_OK;
  const DataObject& object = *drawn[static_cast<size_t>(index)];
  DrawnSource answer{object.id, kChannelRequestCalculated, 0};
  HostPtr<IUnknown> made;
  if (mOwner.GetChannelSource(answer.channel, kChannelRequestCalculated | kChannelRequestSource, record, position,
                              kEnumRecordEnd, made.Out()) == S_OK &&
      made && made.As<IEnumEventEx>(IID_IEnumEventEx))
    answer.kind = kEventSourceKind;
  *source = answer;
  return S_OK;
}

DataObject* DataObjectsPart::FindMutable(int32_t id, uint32_t kind) noexcept {
  return const_cast<DataObject*>(Find(id, kind));
}

bool DataObjectsPart::NameTaken(const std::wstring& name) const noexcept {
  return std::any_of(mObjects.begin(), mObjects.end(), [&name](const DataObject& o) { return o.name == name; });
}

HRESULT DataObjectsPart::SetFormula(int32_t id, uint32_t kind, const std::wstring& first,
                                    const std::wstring& second) {
  DataObject* const object = FindMutable(id, kind);
  if (!object) return E_INVALIDARG;
  object->formula = first;
  object->second = second;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::NewObject(int32_t, int16_t, int32_t, QOR::IQORString** name,
                                                     DataObjectId* object) noexcept {
  if (!name || !object) return E_POINTER;
  *name = nullptr;
  try {
    DataObject made;
    made.id = mNextId;
    int32_t suffix = mNextId + 1;
    do {
      made.name = L"Object " + std::to_wstring(suffix++);
    } while (NameTaken(made.name));
    HostPtr<QOR::IQORString> text = MakeHostString(made.name);
    mObjects.push_back(std::move(made));
    ++mNextId;
    object->id = mObjects.back().id;
    object->kind = kDataObjectRequestKind;
    *name = text.Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::GetObjectName(int32_t id, uint32_t kind,
                                                         QOR::IQORString** name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  const DataObject* const object = Find(id, kind);
  if (!object) return E_INVALIDARG;
  return ReturnString(object->name, name);
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::RenameObject(int32_t id, uint32_t kind,
                                                        QOR::IQORString* name) noexcept {
  DataObject* const object = FindMutable(id, kind);
  if (!object || !name) return E_INVALIDARG;
  try {
    std::wstring text = StringText(name);
    if (text.empty()) return E_INVALIDARG;
    if (text == object->name) return S_OK;
    if (NameTaken(text)) return E_INVALIDARG;
    object->name = std::move(text);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::GetFormulaText(int32_t, int32_t id, uint32_t kind,
                                                          QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  const DataObject* const object = Find(id, kind);
  if (!object) return E_INVALIDARG;
  const HRESULT hr = ReturnString(object->formula, text);
  if (FAILED(hr)) return hr;
  return object->formula.empty() ? S_FALSE : S_OK;
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::GetObjectState(int32_t id, uint32_t kind, VARIANT_BOOL* on) noexcept {
  if (!on) return E_POINTER;
  const DataObject* const object = Find(id, kind);
  if (!object) return E_INVALIDARG;
  *on = object->on ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::SetObjectState(int32_t id, uint32_t kind, VARIANT_BOOL on) noexcept {
  DataObject* const object = FindMutable(id, kind);
  if (!object) return E_INVALIDARG;
  object->on = on != VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::RemoveObject(QOR::IQORString* name) noexcept {
  if (!name) return E_INVALIDARG;
  try {
    const std::wstring text = StringText(name);
    const auto it =
        std::find_if(mObjects.begin(), mObjects.end(), [&text](const DataObject& o) { return o.name == text; });
    if (it == mObjects.end()) return S_FALSE;
    mObjects.erase(it);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::AttachObject(int32_t id, uint32_t kind, int32_t channel) noexcept {
  DataObject* const object = FindMutable(id, kind);
  int32_t channels = 0;
  mOwner.GetChannelCount(&channels);
  if (!object || channel < 0 || channel >= channels) return E_INVALIDARG;
  if (std::find(object->channels.begin(), object->channels.end(), channel) != object->channels.end())
    return S_FALSE;
  try {
    object->channels.push_back(channel);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataObjectsPart::DetachObject(int32_t id, uint32_t kind, int32_t channel) noexcept {
  DataObject* const object = FindMutable(id, kind);
  if (!object) return E_INVALIDARG;
  const auto it = std::find(object->channels.begin(), object->channels.end(), channel);
  if (it == object->channels.end()) return S_FALSE;
  object->channels.erase(it);
  return S_OK;
}

}  // namespace host
