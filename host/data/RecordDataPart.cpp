// The record-data interface of the stand-in data document.
#include "host/data/RecordDataPart.h"

#include "host/data/DataDocument.h"
#include "hostapi/CalcEnum.h"

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
