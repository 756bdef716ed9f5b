// IScrivoRecordDrawer: the contract between a lane of a data pane and the objects that paint
// into it (traces, graticules, event marks, time labels).
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last;
// interfaces handed out carry one reference for the caller; interfaces passed in are borrowed
// for the call unless an operation says it keeps them.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}
struct IDrawerDataPane;

// {77F7C5B5-1189-4785-AEA1-2D33A6AD18F0}
inline constexpr GUID IID_IScrivoRecordDrawer = {
    0x77F7C5B5, 0x1189, 0x4785, {0xAE, 0xA1, 0x2D, 0x33, 0xA6, 0xAD, 0x18, 0xF0}};

namespace ScrivoDraw {

// Channel index (negative: no channel) and the selector ORed into the host request word.
struct ChannelPair {
  int32_t channel;
  uint32_t selector;
};
static_assert(sizeof(ChannelPair) == 8, "two 32-bit words");

// The key by which a lane removes groups of drawers; first word kLayerPairAll: the channel pair
// serves instead.
struct LayerPair {
  uint32_t first;
  uint32_t second;
  bool operator==(const LayerPair& other) const noexcept {
    return first == other.first && second == other.second;
  }
};
static_assert(sizeof(LayerPair) == 8, "two 32-bit words");
inline constexpr uint32_t kLayerPairAll = 0x80000000u;
inline constexpr uint32_t kLayerPairAllSecond = 0xC0000000u;

// The two ends of a value axis.
struct ValueRange {
  double first;
  double second;
};

// Where a lane's data starts: the position shown at the lane's origin column.
#pragma pack(push, 4)
struct DrawOrigin {
  int64_t position;
  int32_t column;
};
#pragma pack(pop)
static_assert(sizeof(DrawOrigin) == 12, "one 12-byte value");

// Paint flags drawers test.
inline constexpr uint32_t kPaintSampledRecord = 0x80000000u;  // keep the reader for the next paint
inline constexpr uint32_t kPaintFreshReader = 0x08000000u;    // drop the reader, start afresh
// Draw traits.
inline constexpr uint32_t kTraitSkipOnFlag = 0x40000000u;   // skipped when paint flags hold 0x200000
inline constexpr uint32_t kTraitSkipNoClip = 0x20000000u;   // skipped when the clip is empty

}  // namespace ScrivoDraw

struct IScrivoRecordDrawer : IUnknown {
  // Slot 3: binds the drawer to a data source (mode negative when the pane gets one); the drawer
  // keeps the source.
  virtual HRESULT STDMETHODCALLTYPE AttachPane(int32_t mode, IUnknown* source) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBounds(int32_t context, const RECT* bounds) = 0;
  // Slot 5: paint-order key; the lane paints the drawer in layer kind / 256.
  virtual HRESULT STDMETHODCALLTYPE GetKind(int32_t* kind) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t reserved, uint32_t* traits, int32_t* leftExtra,
                                                  int32_t* rightExtra) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChannelPair(ScrivoDraw::ChannelPair* pair) = 0;
  // Slot 8
  virtual HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                                 VARIANT_BOOL* valid) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryChannel(int32_t argument, IUnknown** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetValueRange(int32_t sourceId, int32_t mode, const ScrivoDraw::ValueRange* range,
                                                  IUnknown* transform) = 0;
  // Slot 11
  virtual HRESULT STDMETHODCALLTYPE Refresh(uint32_t mask) = 0;
  // Slot 12: draws positions first to last; column is the pixel column of first, clip the lane
  // area being repainted (lane coordinates), scale the pane's scale record of the segment.
  virtual HRESULT STDMETHODCALLTYPE Draw(HDC dc, int64_t first, int64_t last, ScrivoDraw::DrawOrigin origin,
                                         int32_t column, const RECT* clip, uint32_t flags, int32_t word,
                                         const void* scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnSamplingStart(int32_t argument) = 0;
  // Slot 14
  virtual HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampling) = 0;
  // Slot 15: S_OK with the first position the new data changes, S_FALSE when nothing changed.
  virtual HRESULT STDMETHODCALLTYPE OnNewData(int64_t position, int64_t delta, int64_t* firstChanged) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t argument, IUnknown* pane) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnSamplingStop(int32_t argument) = 0;
  // Slot 18
  virtual HRESULT STDMETHODCALLTYPE OnSinkNotify(int32_t a, int32_t b) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestData(int32_t requestFlags, int32_t sourceId, int32_t a, int32_t b,
                                                int32_t c, int32_t d, void* e) = 0;
  // Slot 20
  virtual HRESULT STDMETHODCALLTYPE GetSourceId(int32_t* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReleasePointCache(int32_t reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLayerPair(ScrivoDraw::LayerPair* pair) = 0;
  // Slot 23
  virtual HRESULT STDMETHODCALLTYPE SetLaneIndex(int32_t reserved, int32_t index) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnSourceChanged(IUnknown* hostSource, int32_t a, int32_t channel) = 0;
  // Slot 25: the optional outs may be null.
  virtual HRESULT STDMETHODCALLTYPE GetUnitsInfo(int32_t sourceId, int32_t record, QOR::IQORString** units,
                                                 VARIANT_BOOL* valid, double* scale, double* range,
                                                 double* factor) = 0;
  // Slot 26: the pane is kept without a reference.
  virtual HRESULT STDMETHODCALLTYPE SetDataPane(IDrawerDataPane* pane) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExtraOperation(int32_t a, int32_t b, int32_t c, int32_t d, void* e) = 0;
  // Slot 28
  virtual HRESULT STDMETHODCALLTYPE PaneBroadcast(int32_t argument) = 0;
  // Slot 29: a printable copy (flags bit 30: the metafile variant).
  virtual HRESULT STDMETHODCALLTYPE CloneForOutput(uint32_t flags, IScrivoRecordDrawer** copy) = 0;
  // Slot 30
  virtual HRESULT STDMETHODCALLTYPE SetDisplayMode(int32_t mode) = 0;
};
