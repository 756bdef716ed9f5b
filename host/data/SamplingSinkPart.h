// The sampling sink of the stand-in data document: records what a data source serves, record by
// record, as if the host were sampling, and tells the document's online sinks as it goes.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/DataSampling.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {

class DataDocument;
class Sampler;

// Lives inside its document: QueryInterface and the count are the document's. Every declared
// channel is kept at the record's tick: a channel sampled more slowly than the tick holds its
// last sample until its next one; a channel switched off, or not declared in this run, records
// zeros. Sources that fail or
// serve fewer samples than asked make NewData answer E_FAIL with the record unchanged.
class SamplingSinkPart final : public IScrivoDataSink, public IHostSamplingTarget {
 public:
  explicit SamplingSinkPart(DataDocument& owner);
  ~SamplingSinkPart();
  SamplingSinkPart(const SamplingSinkPart&) = delete;
  SamplingSinkPart& operator=(const SamplingSinkPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE DeclareChannel(int32_t channel, int32_t on, VARIANT_BOOL onFlag, IUnknown* unit,
                                           HostRational64 channelPeriod, const HostRational64* tickPeriod,
                                           uint32_t flags, IScrivoDataSource* source) noexcept override;
  HRESULT STDMETHODCALLTYPE MaySamplingStart(QOR::IQORString** reason, VARIANT_BOOL* may) noexcept override;
  HRESULT STDMETHODCALLTYPE StartSampling(int32_t reserved) noexcept override;
  HRESULT STDMETHODCALLTYPE StartRecord(int32_t reserved, IScrivoDataSource* source, double tickPeriod,
                                        double startTime, double reserved2, int32_t reserved3, int32_t reserved4,
                                        uint32_t recordFlag, VARIANT_BOOL sampled) noexcept override;
  HRESULT STDMETHODCALLTYPE NewData(int32_t ticks) noexcept override;
  HRESULT STDMETHODCALLTYPE EndRecord(int32_t reserved, int32_t* ticks) noexcept override;
  HRESULT STDMETHODCALLTYPE StopSampling(VARIANT_BOOL reserved) noexcept override;

 private:
  struct Channel {
    bool declared = false;
    bool on = false;
    HostRational64 period{1, 1};
    HostPtr<ISampleSource> reader;  // of the open record
    std::vector<float> read;        // what the reader gave in the open record
  };
  enum class State { Idle, Sampling, InRecord };

  // The samples of channel c for ticks [from, from + count) of the open record.
  std::vector<float> TickSamples(Channel& c, int32_t from, int32_t count);
  void CloseReaders() noexcept;

  DataDocument& mOwner;
  std::unique_ptr<Sampler> mSampler;
  State mState = State::Idle;
  std::vector<Channel> mChannels;
  double mTickPeriod = 0.0;
};

}  // namespace host
