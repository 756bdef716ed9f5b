// ZR::Doc::ScrivoDataChildData: what the module keeps with one open host data file.
// Ownership: the data file's child-data list holds the object; GetOrCreate lends it out.
#pragma once

#include "base/CIArray.h"
#include "base/EventRecords.h"
#include "hostapi/ChildData.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/SettingsChildData.h"

#include <cstdint>
#include <map>
#include <memory>

namespace ZR::Doc {

class SettingsStore;

// Orders positions by record, then tick.
struct TickPositionLess {
  bool operator()(const TickPosition& a, const TickPosition& b) const noexcept {
    return a.record != b.record ? a.record < b.record : a.tick < b.tick;
  }
};

// Event number (counted from 0 across all records of one analysis) by the event's position.
using RecordEventMap = std::map<TickPosition, long, TickPositionLess>;

class ScrivoDataChildData final
    : public QOR::SimpleUnknownImp2<IScrivoDataChildData, IID_IScrivoDataChildData,
                                    IZRSettingsChildData, IID_IZRSettingsChildData> {
 public:
  // The child data the file behind `dataFile` (any interface of the host data-file object)
  // keeps, made and added to the file's list when it has none. Null when there is no file,
  // the list refuses the new child, or the child kept under the module's type id is not of
  // this class. The pointer is lent: the file's list holds the reference.
  static ScrivoDataChildData* GetOrCreate(IUnknown* dataFile) noexcept;
  // A new child data with a count of 0 (the first AddRef takes ownership).
  static ScrivoDataChildData* Create();

  // IScrivoDataChildData
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* sourceFile, int32_t firstRecord, int32_t endRecord,
                                  int32_t firstChannel, int32_t endChannel, IUnknown* targetFile,
                                  IScrivoDataChildData** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordsChanged(IUnknown* file, int32_t firstChannel,
                                             int32_t endChannel, int32_t firstTick,
                                             int32_t endTick, int32_t firstRecord,
                                             int32_t endRecord) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordsMoved(IUnknown* file, int32_t first,
                                           int32_t second) noexcept override;
  HRESULT STDMETHODCALLTYPE OnChannelDataChanged(IUnknown* file, int32_t reserved1, int32_t channel,
                                                 uint32_t flags, int32_t firstTick, int32_t endTick,
                                                 int32_t reserved2, int32_t reserved3,
                                                 int32_t reserved4, int32_t firstRecord,
                                                 int32_t endRecord, int32_t reserved5) noexcept override;
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override;

  // IZRSettingsChildData
  HRESULT STDMETHODCALLTYPE GetValues(SettingsValues* values) noexcept override;
  HRESULT STDMETHODCALLTYPE SetValues(int32_t first, int32_t second) noexcept override;

  // The settings store of the file, or null before the document's settings part made one.
  SettingsStore* GetSettings() const noexcept { return mSettings.get(); }
  // Takes the store (replacing and deleting the one held).
  void SetSettings(std::unique_ptr<SettingsStore> settings) noexcept;

  // Records beyond this index are never mapped: no recording has that many, and an index from a
  // corrupt position would otherwise grow the array to gigabytes.
  static constexpr int32_t kMaxRecordIndex = (1 << 20) - 1;
  // The record's map, the array grown to at least record + 1 entries and the map made when
  // the entry is empty. Throws XQOR(E_INVALIDARG) for a negative record or one above
  // kMaxRecordIndex.
  RecordEventMap& GetRecordMap(int32_t record);
  // The record's map without growing anything: null for an empty entry or a record outside
  // the array (a lookup never makes storage for a record nobody analysed).
  const RecordEventMap* FindRecordMap(int32_t record) const noexcept;
  // Entries in the per-record array (empty ones included).
  uint32_t RecordMapCount() const noexcept { return mRecordMaps.Count(); }
  // Deletes every map, last entry first, and empties the array.
  void RemoveAllRecordMaps() noexcept;
  // Bit 0: the channel calculation's auto-scale request, consumed by its next successful apply.
  uint32_t& FlagWord() noexcept { return mFlagWord; }

 private:
  ScrivoDataChildData();
  ~ScrivoDataChildData() override;

  std::unique_ptr<SettingsStore> mSettings;
  CIArray<RecordEventMap> mRecordMaps;
  SettingsValues mValues;
  uint32_t mFlagWord = 0;
};

}  // namespace ZR::Doc
