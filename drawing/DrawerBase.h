// ScrivoDraw::DrawerBase: the default drawer every concrete drawer derives from: its identity,
// its place in the lane, the source it is attached to and the host data file it reads through.
#pragma once

#include "drawing/IScrivoRecordDrawer.h"
#include "hostclient/ComPtr.h"
#include "hostclient/SimpleUnknownImp.h"
#include "hostapi/RecordData.h"



namespace ScrivoDraw {

// The flags every drawer of the module is made with (the host request word's bits).
inline constexpr uint32_t kDrawerFlags = 0x80001000u;

// The data part of a drawer, in the order the drawers keep it.
struct DrawerBaseInit {
  DrawerBaseInit(int32_t kind, uint32_t flags, ChannelPair channel, LayerPair layer) noexcept
      : mKind(kind), mFlags(flags), mChannel(channel), mLayer(layer) {}

  RECT mBounds{0, 0, 0, 0};
  int32_t mKind;
  uint32_t mFlags;  // bits 8 to 31 form the host request word
  int32_t mBoundsContext = 0;
  int32_t mLaneIndex = -2;
  ChannelPair mChannel;
  LayerPair mLayer;
  int32_t mRecordValue = -1;  // filled by the host data file at each record start
  int32_t mDisplayMode = 0;
  bool mSampling = false;
  bool mInRecord = false;
  QOR::ComPtr<IUnknown> mSource;
  QOR::ComPtr<IHostRecordData> mHostData;
  IDrawerDataPane* mDataPane = nullptr;  // not counted
};

class DrawerBase : public QOR::SimpleUnknownImp1<IScrivoRecordDrawer, IID_IScrivoRecordDrawer>,
                   protected DrawerBaseInit {
 public:
  // The mask OnRecordStart refreshes with.
  static constexpr uint32_t kRecordStartRefresh = 0xFF000000u;

  HRESULT STDMETHODCALLTYPE AttachPane(int32_t mode, IUnknown* source) noexcept override;
  HRESULT STDMETHODCALLTYPE SetBounds(int32_t context, const RECT* bounds) noexcept override;
  HRESULT STDMETHODCALLTYPE GetKind(int32_t* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t reserved, uint32_t* traits, int32_t* leftExtra,
                                          int32_t* rightExtra) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelPair(ChannelPair* pair) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryChannel(int32_t argument, IUnknown** result) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStart(int32_t argument) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept override;
  HRESULT STDMETHODCALLTYPE OnNewData(int64_t position, int64_t delta, int64_t* firstChanged) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t argument, IUnknown* pane) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStop(int32_t argument) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSinkNotify(int32_t a, int32_t b) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSourceId(int32_t* id) noexcept override;
  HRESULT STDMETHODCALLTYPE ReleasePointCache(int32_t reserved) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLayerPair(LayerPair* pair) noexcept override;
  HRESULT STDMETHODCALLTYPE SetLaneIndex(int32_t reserved, int32_t index) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSourceChanged(IUnknown* hostSource, int32_t a, int32_t channel) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsInfo(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                         VARIANT_BOOL* valid, double* scale, double* range,
                                         double* factor) noexcept override;
  HRESULT STDMETHODCALLTYPE SetDataPane(IDrawerDataPane* pane) noexcept override;
  HRESULT STDMETHODCALLTYPE ExtraOperation(int32_t a, int32_t b, int32_t c, int32_t d, void* e) noexcept override;
  HRESULT STDMETHODCALLTYPE PaneBroadcast(int32_t argument) noexcept override;
  HRESULT STDMETHODCALLTYPE CloneForOutput(uint32_t flags, IScrivoRecordDrawer** copy) noexcept override;
  HRESULT STDMETHODCALLTYPE SetDisplayMode(int32_t mode) noexcept override;

  // (flags AND 0xFFFFFF00) OR the channel selector: goes with every host data-file request.
  uint32_t RequestWord() const noexcept { return (mFlags & 0xFFFFFF00u) | mChannel.selector; }

 protected:
  // Created with no reference; the lane that lists the drawer takes the first.
  DrawerBase(int32_t kind, uint32_t flags, ChannelPair channel, LayerPair layer) noexcept
      : DrawerBaseInit(kind, flags, channel, layer) {}
  // Releases the host data file, then the source.
  ~DrawerBase() override;
};

}  // namespace ScrivoDraw
