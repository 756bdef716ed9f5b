// The filler of the shared result cache over either coordinator kind.
#include "enumerators/cacheselector/ResultCacheFiller.h"

#include "enumerators/cacheselector/CacheSelector.h"

namespace ZR::Enum::CacheSelector {

// The record entry being filled, whatever the coordinator kind.
class ResultCacheFiller::Target {
 public:
  virtual ~Target() = default;
  virtual void Add(const EventFCalc& event) = 0;
  virtual void DropAll() = 0;
};

template <class Coordinator>
class ResultCacheFiller::TargetOf final : public Target {
 public:
  TargetOf(std::shared_ptr<typename Coordinator::Records> records, int32_t record)
      : mRecords(std::move(records)), mRecord(record) {
    mRecords->EntryFor(mRecord).Clear();
  }
  // The entry is looked up for each record: the host may insert or remove record entries meanwhile.
  void Add(const EventFCalc& event) override { mRecords->EntryFor(mRecord).Add(event); }
  void DropAll() override { mRecords->Drop(0, -1); }

 private:
  std::shared_ptr<typename Coordinator::Records> mRecords;
  int32_t mRecord;
};

ResultCacheFiller::ResultCacheFiller() = default;
ResultCacheFiller::~ResultCacheFiller() = default;

namespace {

template <class Coordinator, class Target>
std::unique_ptr<Target> OpenTarget(IUnknown* hostObject, const std::vector<EEH::CacheSource>& sources,
                                   const QOR::String& settings, int32_t record) {
  const ComPtr<Coordinator> coordinator = Coordinator::GetOrCreate(hostObject);
  if (!coordinator || record < 0) return nullptr;
  return std::make_unique<Target>(coordinator->CacheFor(sources, settings), record);
}

}  // namespace

void ResultCacheFiller::Begin(IUnknown* hostObject, bool populationSpike, const std::vector<EEH::CacheSource>& sources,
                              const QOR::String& settings, int32_t record) {
  mTarget.reset();
  if (populationSpike) {
    using Coordinator = PSPolicy::Coordinator;
    mTarget = OpenTarget<Coordinator, TargetOf<Coordinator>>(hostObject, sources, settings, record);
  } else {
    using Coordinator = StandardPolicy::Coordinator;
    mTarget = OpenTarget<Coordinator, TargetOf<Coordinator>>(hostObject, sources, settings, record);
  }
}

void ResultCacheFiller::Add(const EventFCalc& event) {
  if (mTarget) mTarget->Add(event);
}

void ResultCacheFiller::DropAll() {
  if (mTarget) mTarget->DropAll();
  mTarget.reset();
}

}  // namespace ZR::Enum::CacheSelector
