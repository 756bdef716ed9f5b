// ZR::Doc::ScrivoDataChildData: what the module keeps with one open host data file.
#include "document/ScrivoDataChildData.h"

#include "base/XQOR.h"
#include "document/SettingsStore.h"
#include "hostapi/DataFile.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"

#include <new>
#include <set>
#include <utility>

namespace ZR::Doc {

namespace {

// The objects of this class now alive, as the file's list hands them out. The list gives a
// child by type id only, so this tells the module's own objects from any other object that
// answers the same id.
std::set<const IScrivoDataChildData*>& LiveChildren() {
  // Never destroyed: a file released while the process ends may still delete its children.
  static auto* const children = new std::set<const IScrivoDataChildData*>();
  return *children;
}

ScrivoDataChildData* FindLive(IScrivoDataChildData* child) noexcept {
  if (LiveChildren().count(child) == 0) return nullptr;
  return static_cast<ScrivoDataChildData*>(child);
}

}  // namespace

ScrivoDataChildData::ScrivoDataChildData() {
  LiveChildren().insert(static_cast<IScrivoDataChildData*>(this));
}

ScrivoDataChildData::~ScrivoDataChildData() {
  LiveChildren().erase(static_cast<IScrivoDataChildData*>(this));
}

ScrivoDataChildData* ScrivoDataChildData::Create() { return new ScrivoDataChildData(); }

ScrivoDataChildData* ScrivoDataChildData::GetOrCreate(IUnknown* dataFile) noexcept {
  if (!dataFile) return nullptr;
  try {
    QOR::ComPtr<IHostDataFile> file;
    if (FAILED(dataFile->QueryInterface(IID_IHostDataFile, file.OutVoid())) || !file) return nullptr;
    QOR::ComPtr<IScrivoDataChildData> kept;
    const HRESULT found = file->FindChildData(0, ChildDataTypeId(), kept.Out());
    if (found == S_OK && kept) return FindLive(kept.Get());
    // A failed lookup may hide a child the file keeps: adding one could make a second.
    if (FAILED(found)) return nullptr;
    QOR::ComPtr<IScrivoDataChildData> child(Create());
    if (FAILED(file->AddChildData(0, child.Get()))) return nullptr;
    return static_cast<ScrivoDataChildData*>(child.Get());
  } catch (...) {
    return nullptr;
  }
}

// IScrivoDataChildData

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::GetTypeId(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = ChildDataTypeId();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::Clone(IUnknown* sourceFile, int32_t, int32_t, int32_t,
                                                     int32_t, IUnknown*,
                                                     IScrivoDataChildData** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  if (sourceFile) {
    // Asked as the host expects; the copy depends on nothing the file answers.
    QOR::ComPtr<IHostDataFile> file;
    sourceFile->QueryInterface(IID_IHostDataFile, file.OutVoid());
  }
  // The copy starts without maps and with the default values: both belong to an analysis of
  // the original file. The settings go with the copy.
  return ComTry([&] {
    QOR::ComPtr<IScrivoDataChildData> copy(Create());
    if (mSettings)
      static_cast<ScrivoDataChildData*>(copy.Get())->SetSettings(std::make_unique<SettingsStore>(*mSettings));
    *clone = copy.Detach();
  });
}

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::OnRecordsChanged(IUnknown*, int32_t, int32_t, int32_t,
                                                                int32_t, int32_t, int32_t) noexcept {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::OnRecordsMoved(IUnknown*, int32_t, int32_t) noexcept {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::OnChannelDataChanged(IUnknown*, int32_t, int32_t, uint32_t,
                                                                    int32_t, int32_t, int32_t, int32_t,
                                                                    int32_t, int32_t, int32_t,
                                                                    int32_t) noexcept {
  return S_OK;
}

void* STDMETHODCALLTYPE ScrivoDataChildData::DeletingDestructor(unsigned int flags) noexcept {
  // The file's list releases the child; the host never calls this slot.
  if (flags & 1) {
    delete this;
    return nullptr;
  }
  return this;
}

// IZRSettingsChildData

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::GetValues(SettingsValues* values) noexcept {
  if (!values) return E_POINTER;
  *values = mValues;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ScrivoDataChildData::SetValues(int32_t first, int32_t second) noexcept {
  mValues.first = first;
  mValues.second = second;
  return S_OK;
}

// Record maps

void ScrivoDataChildData::SetSettings(std::unique_ptr<SettingsStore> settings) noexcept {
  mSettings = std::move(settings);
}

RecordEventMap& ScrivoDataChildData::GetRecordMap(int32_t record) {
  if (record < 0 || record > kMaxRecordIndex) throw XQOR(E_INVALIDARG);
  RecordEventMap*& entry = mRecordMaps.ElementAt(static_cast<uint32_t>(record));
  if (!entry) entry = new RecordEventMap();
  return *entry;
}

const RecordEventMap* ScrivoDataChildData::FindRecordMap(int32_t record) const noexcept {
  if (record < 0 || static_cast<uint32_t>(record) >= mRecordMaps.Count()) return nullptr;
  return mRecordMaps.At(static_cast<uint32_t>(record));
}

void ScrivoDataChildData::RemoveAllRecordMaps() noexcept {
  mRecordMaps.RemoveRange(0, mRecordMaps.Count());
}

}  // namespace ZR::Doc
