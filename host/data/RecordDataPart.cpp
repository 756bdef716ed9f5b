// The record-data interface of the stand-in data document.
#include "host/data/RecordDataPart.h"

#include "host/common/UnitText.h"

#include "host/data/DataDocument.h"
#include "host/common/HostString.h"
#include "host/view/EventReader.h"
#include "host/data/PointReader.h"
#include "hostapi/DataDocument.h"
#include "hostapi/CalcEnum.h"

#include <algorithm>
#include <new>

namespace host {

HRESULT STDMETHODCALLTYPE RecordDataPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE RecordDataPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE RecordDataPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE RecordDataPart::GetEndPosition(int32_t, DataPosition* position) noexcept {
  if (!position) return E_POINTER;
  const Recording& data = mOwner.Data();
  if (data.records.empty()) return S_FALSE;
  // The last record, also while it is still empty: sampling writes there next.
  position->mRecord = static_cast<int32_t>(data.records.size()) - 1;
  position->mRecordOffset = data.records.back().length;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordDataPart::GetRecordValue(int32_t, int32_t* value) noexcept {
  if (!value) return E_POINTER;
  *value = static_cast<int32_t>(mOwner.Data().records.size()) - 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordDataPart::QueryChannel(uint32_t request, int32_t record, int32_t channel,
                                                       IUnknown** result) noexcept {
  return mOwner.GetChannelSource(channel, request, record, 0, kEnumRecordEnd, result);
}

HRESULT STDMETHODCALLTYPE RecordDataPart::GetChannelTimeBase(int32_t, int32_t record, int32_t channel,
                                                             TimeBase* timeBase) noexcept {
  if (!timeBase) return E_POINTER;
  const Recording& data = mOwner.Data();
  if (record < 0 || static_cast<size_t>(record) >= data.records.size()) return E_INVALIDARG;
  if (channel < 0 || static_cast<size_t>(channel) >= data.channels.size()) return E_INVALIDARG;
  // Every channel of a record, recorded or calculated, is sampled at the record's tick.
  *timeBase = TimeBase{1, 1, 0.0};
  return S_OK;
}

}  // namespace host

namespace host {

namespace {

// The channel's samples in the record, or null when it holds none.
const ChannelRecord* SamplesOf(const Recording& data, int32_t record, int32_t channel) noexcept {
  if (record < 0 || record >= static_cast<int32_t>(data.records.size())) return nullptr;
  const RecordData& r = data.records[static_cast<size_t>(record)];
  if (channel < 0 || static_cast<size_t>(channel) >= r.samples.size()) return nullptr;
  const ChannelRecord* samples = r.samples[static_cast<size_t>(channel)].get();
  return samples && samples->Length() > 0 ? samples : nullptr;
}

}  // namespace

HRESULT STDMETHODCALLTYPE RecordDataPart::CreatePointReader(uint32_t, int32_t channel, IUnknown* scale,
                                                            const PointReaderArea* area, uint32_t,
                                                            IPointReader** reader) noexcept {
  if (!reader || !area) return E_POINTER;
  *reader = nullptr;
  HostPtr<IRecordDataPixMap> map;
  if (!scale || FAILED(scale->QueryInterface(IID_IRecordDataPixMap, reinterpret_cast<void**>(map.Out()))) || !map)
    return E_INVALIDARG;
  if (channel < 0 || static_cast<size_t>(channel) >= mOwner.Data().channels.size()) return E_INVALIDARG;
  *reader = new (std::nothrow) PointReader(HostPtr<DataDocument>(&mOwner), channel, map.Get(), *area);
  return *reader ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE RecordDataPart::GetUnits(uint32_t, int32_t, int32_t channel, QOR::IQORString** units) noexcept {
  if (!units) return E_POINTER;
  *units = nullptr;
  const auto& channels = mOwner.Data().channels;
  if (channel < 0 || static_cast<size_t>(channel) >= channels.size()) return E_INVALIDARG;
  try {
    // The units query answers the base unit: a pane showing the values puts its own prefix before it.
    *units = MakeHostString(SplitUnitText(channels[static_cast<size_t>(channel)].units).baseUnit).Detach();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordDataPart::RequestData(uint32_t, int32_t channel, int32_t, int32_t, int32_t,
                                                      int32_t, int32_t, int32_t, int32_t, void*) noexcept {
  const auto& channels = mOwner.Data().channels;
  return channel >= 0 && static_cast<size_t>(channel) < channels.size() ? S_OK : E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE RecordDataPart::GetValidity(uint32_t, int32_t record, int32_t channel,
                                                      VARIANT_BOOL* valid) noexcept {
  if (!valid) return E_POINTER;
  *valid = SamplesOf(mOwner.Data(), record, channel) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordDataPart::GetUnitsObject(uint32_t, int32_t record, int32_t channel,
                                                         IChannelUnits** units) noexcept {
  if (!units) return E_POINTER;
  *units = nullptr;
  const ChannelRecord* const samples = SamplesOf(mOwner.Data(), record, channel);
  if (!samples) return E_INVALIDARG;
  if (samples->Length() == 0) return S_FALSE;  // a record sampling has only begun has no range yet
  const auto range = std::minmax_element(samples->Samples(), samples->Samples() + samples->Length());
  *units = new (std::nothrow) ChannelUnits(*range.first, *range.second);
  return *units ? S_OK : E_OUTOFMEMORY;
}

}  // namespace host

namespace host {

HRESULT STDMETHODCALLTYPE RecordDataPart::CreateEventReader(uint32_t request, uint32_t, int32_t channel, int32_t record,
                                                            int32_t startTick, int32_t endTick,
                                                            IUnknown** reader) noexcept {
  if (!reader) return E_POINTER;
  *reader = nullptr;
  // The channel's events as it shows them, unless the request names another kind of reading.
  uint32_t kind = request & (kChannelRequestCalculated | kChannelRequestRecorded | kChannelRequestDisplayed);
  if (kind != kChannelRequestCalculated && kind != kChannelRequestRecorded && kind != kChannelRequestDisplayed)
    kind = kChannelRequestDisplayed;
  startTick = std::max(startTick, 0);
  if (endTick < startTick) return E_INVALIDARG;
  HostPtr<IUnknown> source;
  const HRESULT made = mOwner.GetChannelSource(channel, kind | kChannelRequestSource, record, startTick, endTick,
                                               source.Out());
  if (made != S_OK) return made == S_FALSE ? S_FALSE : made;
  HostPtr<IEnumEventEx> events;
  if (FAILED(source->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(events.Out()))) || !events)
    return S_FALSE;  // a channel of samples has no events
  auto* const made2 = new (std::nothrow) EventReader(events, record, endTick);
  if (!made2) return E_OUTOFMEMORY;
  *reader = static_cast<IEventBuffer*>(made2);
  return S_OK;
}

}  // namespace host
