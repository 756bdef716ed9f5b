// ResultCacheFiller: fills the data file's shared result cache with the full measurement records of the
// calculation kept with it, record by record as the calculation runs, so that the cache selectors hand them out.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/String.h"
#include "base/EventRecords.h"
#include "enumerators/sharedcache/SharedCacheCoordinator.h"

namespace ZR::Enum::CacheSelector {

class ResultCacheFiller {
 public:
  ResultCacheFiller();
  ~ResultCacheFiller();
  ResultCacheFiller(const ResultCacheFiller&) = delete;
  ResultCacheFiller& operator=(const ResultCacheFiller&) = delete;

  // Starts record (from 0) afresh in the cache of the calculation (sources and settings text) that the data file
  // behind hostObject keeps: the population-spike cache when populationSpike, else the standard one. The cache
  // is the coordinator's newest when it is that calculation's, else a new one. Without a data file nothing is
  // filled until the next Begin.
  void Begin(IUnknown* hostObject, bool populationSpike, const std::vector<EEH::CacheSource>& sources,
             const QOR::String& settings, int32_t record);
  // Adds a calculated record of the current record, by its tick.
  void Add(const EventFCalc& event);
  // Empties every record of the cache filled last and stops filling: its results are gone.
  void DropAll();

 private:
  class Target;
  template <class Coordinator>
  class TargetOf;

  std::unique_ptr<Target> mTarget;
};

}  // namespace ZR::Enum::CacheSelector
