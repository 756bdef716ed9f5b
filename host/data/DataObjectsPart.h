// The data-object service of the stand-in data document: the objects modules keep in the file.
#pragma once

#include "hostapi/DataObjects.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

class DataDocument;

// The stand-in's own id under which its data document answers the part itself, so that the
// host's calculation classes can store a formula on an object. Never asked by modules.
// {6B0F5C3E-1D2A-4E8B-A7C4-35D9E0F1B2A6}
inline constexpr GUID IID_HostDataObjectsPart = {
    0x6B0F5C3E, 0x1D2A, 0x4E8B, {0xA7, 0xC4, 0x35, 0xD9, 0xE0, 0xF1, 0xB2, 0xA6}};

struct DataObject {
  int32_t id = 0;
  std::wstring name;
  bool on = true;
  std::wstring formula;  // the first text of the object's calculation
  std::wstring second;   // its second text
  std::vector<int32_t> channels;  // attached to, in attaching order
};

// Lives inside its document: QueryInterface and the count are the document's. Ids count from 0
// and are never reused while the document lives.
class DataObjectsPart final : public IHostDataObjects {
 public:
  explicit DataObjectsPart(DataDocument& owner) noexcept : mOwner(owner) {}
  DataObjectsPart(const DataObjectsPart&) = delete;
  DataObjectsPart& operator=(const DataObjectsPart&) = delete;

  // Stores the texts of a calculation given to the object (id, kind). E_INVALIDARG for an
  // object that does not exist.
  HRESULT SetFormula(int32_t id, uint32_t kind, const std::wstring& first, const std::wstring& second);
  // The object, or null.
  const DataObject* Find(int32_t id, uint32_t kind) const noexcept;
  const std::vector<DataObject>& Objects() const noexcept { return mObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE NewObject(int32_t reserved, int16_t reserved2, int32_t reserved3,
                                      QOR::IQORString** name, DataObjectId* object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetObjectName(int32_t id, uint32_t kind, QOR::IQORString** name) noexcept override;
  HRESULT STDMETHODCALLTYPE RenameObject(int32_t id, uint32_t kind, QOR::IQORString* name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFormulaText(int32_t reserved, int32_t id, uint32_t kind,
                                           QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  // The objects the view draws: switched on, attached to a channel and given a formula, in the
  // order they were made; each read as the calculated channel whose index is its id.
  HRESULT STDMETHODCALLTYPE GetDrawnSource(int32_t reserved, int32_t record, int32_t position, int32_t index,
                                           DrawnSource* source, int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetObjectState(int32_t id, uint32_t kind, VARIANT_BOOL* on) noexcept override;
  HRESULT STDMETHODCALLTYPE SetObjectState(int32_t id, uint32_t kind, VARIANT_BOOL on) noexcept override;
  HRESULT STDMETHODCALLTYPE RemoveObject(QOR::IQORString* name) noexcept override;
  HRESULT STDMETHODCALLTYPE AttachObject(int32_t id, uint32_t kind, int32_t channel) noexcept override;
  HRESULT STDMETHODCALLTYPE DetachObject(int32_t id, uint32_t kind, int32_t channel) noexcept override;

 private:
  DataObject* FindMutable(int32_t id, uint32_t kind) noexcept;
  bool NameTaken(const std::wstring& name) const noexcept;

  DataDocument& mOwner;
  std::vector<DataObject> mObjects;
  int32_t mNextId = 0;
};

}  // namespace host
