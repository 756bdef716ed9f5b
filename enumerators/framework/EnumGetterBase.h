// The enumerator getter: turns formula text into a running enumerator chain over a data document.
#pragma once

// Before the host headers, some of which use IUnknown without declaring it.
#include <unknwn.h>

#include "enumerators/framework/ChannelRefs.h"
#include "base/EventRecords.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/DataDocument.h"
#include "hostapi/HostDocument.h"
#include "hostapi/OnlineData.h"
#include "hostclient/ComPtr.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace ExtLib {

// Getter modes.
enum GetterMode : int32_t {
  kGetterRegistersAsSink = 0,  // registers with the document's online-data service
  kGetterOffline = 1,
  kGetterOnline = 2,  // driven by its owner while the host samples
};

// Owns one chain made by the host's classes from formula text, its channel sources, and, in
// mode 0, a registration as online-data sink. The sink's AddRef and Release do not count: the
// creator owns the getter and deletes it. Used on the host's user-interface thread only.
class EnumGetterBase : public IOnlineDataSink {
 public:
  // dataDocument: any interface of the host's data file or document (may be null).
  EnumGetterBase(IUnknown* dataDocument, std::function<void()> stopCallback, int32_t mode);
  EnumGetterBase(IUnknown* dataDocument, int32_t mode);
  // Over the data document that the host document holds (none when it holds none).
  EnumGetterBase(IHostDocument* hostDocument, int32_t mode);
  EnumGetterBase(const EnumGetterBase&) = delete;
  EnumGetterBase& operator=(const EnumGetterBase&) = delete;
  virtual ~EnumGetterBase();

  // Has the class registered under enumId make the chain and load the text as its settings.
  // The previous chain is released as soon as creation is attempted.
  bool CreateEnum(uint32_t enumId, const wchar_t* arithString, bool noDataDocument = false);
  // Sets the chain's sources for the record at start; tickPeriod -1 asks the document.
  // complete: the record's data is complete (false while it may still grow).
  bool SetSources(bool complete, TickPosition start, double tickPeriod = -1.0);
  bool DoSetSources(bool complete, TickPosition start, double tickPeriod);
  // The chain's events, or null when there is no chain.
  QOR::ComPtr<IEnumEventEx> GetEventEnum() const;
  // Ends a run: the chain lets go of its sources and the channel sources are released.
  void Stop();
  void ClearSources() { mChannelRefs.clear(); }

  const std::vector<ChannelRef>& ChannelRefs() const noexcept { return mChannelRefs; }
  ICalcEnum* Enumerator() const noexcept { return mEnumerator.Get(); }
  bool Started() const noexcept { return mStarted; }
  bool RegisteredAsSink() const noexcept { return mRegisteredAsSink; }

  // IOnlineDataSink
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t* options, uint16_t* channelMask) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStart() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t, VARIANT_BOOL) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnNewData(int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t record, int32_t tickCount) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStop() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(int32_t* priority) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t* percent) noexcept override;
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override;

 private:
  void RegisterAsSink();
  double ChainTickPeriod(bool complete, TickPosition start, double tickPeriod) const;

  QOR::ComPtr<ICalcEnum> mEnumerator;
  QOR::ComPtr<IHostDataDocument> mDataDocument;
  std::vector<ChannelRef> mChannelRefs;
  bool mRegisteredAsSink = false;
  int32_t mMode;
  bool mStarted = false;
  std::vector<QOR::ComPtr<IUnknown>> mChannelSources;  // one reference each
  bool mHasStopCallback = false;
  std::function<void()> mStopCallback;
};

// Request flags for a channel reference's source.
uint32_t ChannelRequestFlags(const ChannelRef& ref, bool complete) noexcept;

}  // namespace ExtLib
