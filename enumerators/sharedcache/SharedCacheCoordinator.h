// The shared result cache of a data file: child data of the host data file that keeps, per calculation, the full
// measurement records of every record, so that any number of selectors read one calculation.
// Ownership: the data file holds the coordinator; GetOrCreate hands out one reference for the caller.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/String.h"
#include "base/EventRecords.h"
#include "enumerators/sharedcache/CachedRecords.h"
#include "hostapi/ChildData.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"
#include "hostclient/SimpleUnknownImp.h"
#include "hostclient/TypeIds.h"

namespace EEH {

// A source of a cached calculation: a channel, marked when the calculation reads it as calculated data.
struct CacheSource {
  int32_t channel = 0;
  bool marked = false;

  bool operator==(const CacheSource& other) const noexcept {
    return channel == other.channel && marked == other.marked;
  }
};

// The host file behind any interface of the host data-file object; null when there is none. Not counted.
IUnknown* DataFileOf(IUnknown* hostObject) noexcept;
// Whether the data file's channel lacks an object of its own (a calculation): then a change of its data reaches
// every calculation that reads it.
bool ChannelHasNoOwnObject(IUnknown* dataFile, int32_t channel) noexcept;
// Whether a change of kind flags to the channel's data concerns a cache with these sources.
bool ChannelChangeConcerns(IUnknown* dataFile, const std::vector<CacheSource>& sources, int32_t channel,
                           uint32_t flags) noexcept;
// The child the file keeps under typeId (one reference), or the one create() makes and the file then keeps;
// null without a file, on a failed lookup, or when the file refuses the new child.
ComPtr<IScrivoDataChildData> FindOrAddChild(IUnknown* dataFile, uint32_t typeId,
                                            IScrivoDataChildData* (*create)(IUnknown* dataFile));

// Algorithm names the calculation's State; KindGuid is the coordinator kind's type registry class.
template <class Algorithm, const GUID* KindGuid>
class SharedCacheCoordinator final : public QOR::SimpleUnknownImp1<IScrivoDataChildData, IID_IScrivoDataChildData> {
 public:
  using State = typename Algorithm::State;
  using Records = RecordList<State, EventFCalc>;

  // The coordinator kind's type id: class index of KindGuid << 16, number 0.
  static uint32_t KindTypeId() noexcept { return TypeIdClass<KindGuid, 0>::Id(); }

  // The coordinator the data file behind hostObject keeps, made and kept by the file when it has none.
  static ComPtr<SharedCacheCoordinator> GetOrCreate(IUnknown* hostObject) noexcept {
    IUnknown* const file = DataFileOf(hostObject);
    ComPtr<IScrivoDataChildData> child = FindOrAddChild(file, KindTypeId(), &CreateChild);
    ComPtr<SharedCacheCoordinator> coordinator;
    // Every child kept under the kind's type id is a coordinator of this kind.
    if (child) coordinator = ComPtr<SharedCacheCoordinator>(static_cast<SharedCacheCoordinator*>(child.Get()));
    return coordinator;
  }

  // Adds the cache of one calculation as the newest; the caller fills its records.
  std::shared_ptr<Records> AddCache(std::vector<CacheSource> sources, const QOR::String& settings) {
    mCaches.push_back(Item{std::move(sources), settings, std::make_shared<Records>()});
    return mCaches.back().records;
  }
  // The cache of the calculation with these sources and settings: the newest when it is that calculation's,
  // else a new empty one added as the newest.
  std::shared_ptr<Records> CacheFor(const std::vector<CacheSource>& sources, const QOR::String& settings) {
    if (!mCaches.empty() && mCaches.back().sources == sources && mCaches.back().settings == settings)
      return mCaches.back().records;
    return AddCache(sources, settings);
  }
  // The newest cache, the older ones discarded; empty without any.
  std::shared_ptr<Records> CurrentCache() {
    if (mCaches.empty()) return nullptr;
    mCaches.erase(mCaches.begin(), mCaches.end() - 1);
    return mCaches.back().records;
  }
  size_t CacheCount() const noexcept { return mCaches.size(); }
  IUnknown* DataFile() const noexcept { return mDataFile; }

  // IScrivoDataChildData
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = KindTypeId();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, int32_t, int32_t, int32_t, int32_t, IUnknown* targetFile,
                                  IScrivoDataChildData** clone) noexcept override {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    return ComTry([&] { *clone = ComPtr<IScrivoDataChildData>(CreateChild(DataFileOf(targetFile))).Detach(); });
  }
  HRESULT STDMETHODCALLTYPE OnRecordsChanged(IUnknown*, int32_t, int32_t, int32_t, int32_t, int32_t first,
                                             int32_t end) noexcept override {
    if (end > first)
      for (Item& item : mCaches) item.records->Drop(first, end);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRecordsMoved(IUnknown*, int32_t first, int32_t second) noexcept override {
    return ComTry([&] {
      for (Item& item : mCaches) item.records->Move(first, second);
    });
  }
  HRESULT STDMETHODCALLTYPE OnChannelDataChanged(IUnknown*, int32_t, int32_t channel, uint32_t flags, int32_t,
                                                 int32_t, int32_t, int32_t, int32_t, int32_t first, int32_t end,
                                                 int32_t) noexcept override {
    if (end <= first) return S_OK;
    for (Item& item : mCaches)
      if (ChannelChangeConcerns(mDataFile, item.sources, channel, flags)) item.records->Drop(first, end);
    return S_OK;
  }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override {
    if (flags & 1) {
      delete this;
      return nullptr;
    }
    return this;
  }

 private:
  struct Item {
    std::vector<CacheSource> sources;
    QOR::String settings;
    std::shared_ptr<Records> records;
  };

  explicit SharedCacheCoordinator(IUnknown* dataFile) noexcept : mDataFile(dataFile) {}
  ~SharedCacheCoordinator() override = default;

  static IScrivoDataChildData* CreateChild(IUnknown* dataFile) { return new SharedCacheCoordinator(dataFile); }

  IUnknown* mDataFile;  // the file that keeps the coordinator: not counted
  std::vector<Item> mCaches;  // oldest first
};

}  // namespace EEH
