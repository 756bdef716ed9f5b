// The record-data interface of the stand-in data document, a part of the document object.
#pragma once

#include "hostapi/RecordData.h"

namespace host {

class DataDocument;

// Lives inside its document: QueryInterface and the count are the document's.
class RecordDataPart final : public IHostRecordData {
 public:
  explicit RecordDataPart(DataDocument& owner) noexcept : mOwner(owner) {}
  RecordDataPart(const RecordDataPart&) = delete;
  RecordDataPart& operator=(const RecordDataPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE GetEndPosition(int32_t reserved, DataPosition* position) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordValue(int32_t reserved, int32_t* value) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryChannel(uint32_t request, int32_t record, int32_t channel,
                                         IUnknown** result) noexcept override;
  HRESULT STDMETHODCALLTYPE CreatePointReader(uint32_t request, int32_t channel, IUnknown* scale,
                                              const PointReaderArea* area, uint32_t style,
                                              IPointReader** reader) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnits(uint32_t request, int32_t record, int32_t channel,
                                     QOR::IQORString** units) noexcept override;
  HRESULT STDMETHODCALLTYPE GetValidity(uint32_t request, int32_t record, int32_t channel,
                                        VARIANT_BOOL* valid) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsObject(uint32_t request, int32_t record, int32_t channel,
                                           IChannelUnits** units) noexcept override;
  HRESULT STDMETHODCALLTYPE CreateEventReader(uint32_t request, uint32_t kindMask, int32_t channel, int32_t record,
                                              int32_t startTick, int32_t endTick, IUnknown** reader) noexcept override;
  // Every sample of a recording is in memory: a request only names a channel that must exist.
  HRESULT STDMETHODCALLTYPE RequestData(uint32_t request, int32_t channel, int32_t a, int32_t b, int32_t c, int32_t d,
                                        int32_t, int32_t, int32_t, void* e) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelTimeBase(int32_t reserved, int32_t record, int32_t channel,
                                               TimeBase* timeBase) noexcept override;

 private:
  DataDocument& mOwner;
};

}  // namespace host
