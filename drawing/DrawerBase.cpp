// ScrivoDraw::DrawerBase: the defaults of every drawer operation.
#include "drawing/DrawerBase.h"

#include "hostapi/DataDocument.h"
#include "hostapi/HostDocument.h"
#include "hostapi/RecordData.h"
#include "hostapi/RecordDataPixMap.h"
#include "hostclient/ComBoundary.h"

namespace ScrivoDraw {

DrawerBase::~DrawerBase() {
  mHostData = nullptr;
  mSource = nullptr;
}

// The host data file behind a source: the source's data document, asked for its record data.
static QOR::ComPtr<IHostRecordData> HostDataOf(IUnknown* source) noexcept {
  QOR::ComPtr<IHostRecordData> data;
  // The pane's horizontal scale object names the data it lays out.
  QOR::ComPtr<IRecordDataPixMap> scale;
  if (SUCCEEDED(source->QueryInterface(IID_IRecordDataPixMap, scale.OutVoid())) && scale) {
    QOR::ComPtr<IUnknown> object;
    if (SUCCEEDED(scale->GetDataObject(object.Out())) && object &&
        FAILED(object->QueryInterface(IID_IHostRecordData, data.OutVoid())))
      data = nullptr;
    return data;
  }
  QOR::ComPtr<IHostDocument> document;
  if (FAILED(source->QueryInterface(IID_IHostDocument, document.OutVoid())) || !document) return data;
  QOR::ComPtr<IHostDataDocument> dataDocument;
  if (FAILED(document->GetDataDocument(dataDocument.Out())) || !dataDocument) return data;
  if (FAILED(dataDocument->QueryInterface(IID_IHostRecordData, data.OutVoid()))) data = nullptr;
  return data;
}

HRESULT STDMETHODCALLTYPE DrawerBase::AttachPane(int32_t, IUnknown* source) noexcept {
  return ComTry([&]() -> HRESULT {
    if (source != mSource.Get()) mSource = QOR::ComPtr<IUnknown>(source);
    mSampling = false;
    mInRecord = false;
    mHostData = source ? HostDataOf(source) : nullptr;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DrawerBase::SetBounds(int32_t context, const RECT* bounds) noexcept {
  if (!bounds) return E_POINTER;
  mBoundsContext = context;
  mBounds = *bounds;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::GetKind(int32_t* kind) noexcept {
  if (!kind) return E_POINTER;
  *kind = mKind;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                                    int32_t* rightExtra) noexcept {
  if (!traits || !leftExtra || !rightExtra) return E_POINTER;
  *traits = 0;
  *leftExtra = 0;
  *rightExtra = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::GetChannelPair(ChannelPair* pair) noexcept {
  if (!pair) return E_POINTER;
  *pair = mChannel;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::QueryChannel(int32_t argument, IUnknown** result) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (mChannel.channel < 0) return S_FALSE;
    // Reached only while a data source is attached.
    if (!mHostData) return E_UNEXPECTED;
    return mHostData->QueryChannel(RequestWord(), argument, mChannel.channel, result);
  });
}

HRESULT STDMETHODCALLTYPE DrawerBase::OnSamplingStart(int32_t) noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE DrawerBase::OnRecordStart(int32_t, VARIANT_BOOL sampling) noexcept {
  return ComTry([&]() -> HRESULT {
    mSampling = sampling != VARIANT_FALSE;
    mInRecord = true;
    int32_t value = mRecordValue;
    if (mHostData && mHostData->GetRecordValue(0, &value) == S_OK) mRecordValue = value;
    // Whatever the drawer makes of the refresh is its own business here.
    Refresh(kRecordStartRefresh);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE DrawerBase::OnNewData(int64_t, int64_t, int64_t*) noexcept { return S_FALSE; }

HRESULT STDMETHODCALLTYPE DrawerBase::OnRecordEnd(int32_t, IUnknown*) noexcept {
  mInRecord = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::OnSamplingStop(int32_t) noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE DrawerBase::OnSinkNotify(int32_t, int32_t) noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE DrawerBase::GetSourceId(int32_t*) noexcept { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE DrawerBase::ReleasePointCache(int32_t) noexcept { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE DrawerBase::GetLayerPair(LayerPair* pair) noexcept {
  if (!pair) return E_POINTER;
  if (mLayer.first == kLayerPairAll) {
    *pair = LayerPair{static_cast<uint32_t>(mChannel.channel), mChannel.selector};
  } else {
    *pair = mLayer;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::SetLaneIndex(int32_t, int32_t index) noexcept {
  mLaneIndex = index;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::OnSourceChanged(IUnknown*, int32_t, int32_t) noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE DrawerBase::GetUnitsInfo(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                                   VARIANT_BOOL* valid, double*, double*, double*) noexcept {
  return ComTry([&]() -> HRESULT {
    return GetUnitsText(sourceId, record, units, valid);
  });
}

HRESULT STDMETHODCALLTYPE DrawerBase::SetDataPane(IDrawerDataPane* pane) noexcept {
  mDataPane = pane;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DrawerBase::ExtraOperation(int32_t, int32_t, int32_t, int32_t, void*) noexcept {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DrawerBase::PaneBroadcast(int32_t) noexcept { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE DrawerBase::CloneForOutput(uint32_t, IScrivoRecordDrawer** copy) noexcept {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DrawerBase::SetDisplayMode(int32_t mode) noexcept {
  mDisplayMode = mode;
  return S_OK;
}

}  // namespace ScrivoDraw
