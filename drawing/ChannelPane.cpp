// ScrivoDraw::ChannelPane: axis ranges and prefixes, the axis objects, units read-out and drags.
#include "drawing/ChannelPane.h"

#include "base/XQOR.h"
#include "drawing/ChildPaneHost.h"
#include "drawing/IDrawerDataPane.h"
#include "graph/ScaleFactory.h"
#include "hostclient/ComBoundary.h"

#include <oleidl.h>

#include <cmath>
#include <limits>

namespace ScrivoDraw {

namespace {

struct PrefixEntry {
  wchar_t letter;
  double factor;
};

// Indexes 0 to 14: 0 none set, 1 and 8 none.
constexpr PrefixEntry kPrefixes[15] = {
    {0, 1.0},      {0, 1.0},      {L'a', 1e18},  {L'f', 1e15},   {L'p', 1e12},
    {L'n', 1e9},   {L'\u00B5', 1e6}, {L'm', 1e3}, {0, 1.0},       {L'k', 1e-3},
    {L'M', 1e-6},  {L'G', 1e-9},  {L'T', 1e-12}, {L'P', 1e-15},  {L'E', 1e-18}};

bool IsNoUnits(const QOR::String& text) noexcept {
  return text.IsEmpty() || (text.Length() == 1 && text.GetText()[0] == L' ');
}

}  // namespace

AxisUnit AxisUnitForPrefix(int32_t prefix) noexcept {
  AxisUnit unit;
  unit.prefix = prefix;
  if (prefix >= 1 && prefix <= 14) {
    unit.letter = kPrefixes[prefix].letter;
    unit.factor = kPrefixes[prefix].factor;
  }
  return unit;
}

bool PrefixScales(int32_t prefix) noexcept { return prefix != 0 && prefix != 1 && prefix != 8; }

ChannelPane::ChannelPane(ChildPaneHost& pane, int32_t laneIndex, uint32_t axisFlags, uint32_t axisStyle) noexcept
    : ChildPaneBase(pane, laneIndex) {
  mAxisFlags = axisFlags;
  mAxisStyle = axisStyle;
}

ChannelPane::~ChannelPane() {
  DisconnectAxes();
  for (size_t i = 0; i < 2; ++i) {
    mRangeInterface[i] = nullptr;
    mAxisWindow[i] = nullptr;
    mAxisObject[i] = nullptr;
  }
}

// ---- drags ----

HRESULT STDMETHODCALLTYPE ChannelPane::OnBeginDrag(int32_t axis) noexcept {
  return ComTry([&]() -> HRESULT {
    mPane->OnAxisDragBegin(mLaneIndex, axis);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ChannelPane::OnEndDrag(int32_t axis) noexcept {
  return ComTry([&]() -> HRESULT {
    mPane->OnAxisDragEnd(mLaneIndex, axis, 0, mAxisWindow[Slot(axis)].Get());
    return S_OK;
  });
}

// The axis object's range after the change is what the drawers get.
HRESULT STDMETHODCALLTYPE ChannelPane::OnScalingChanged(int32_t axis, double, const DragScaleMapping*) noexcept {
  return ComTry([&]() -> HRESULT {
    IDragScale* const object = mAxisObject[Slot(axis)].Get();
    if (!object) return S_FALSE;
    ValueRange range{1.0, 0.0};
    if (FAILED(object->GetRange(&range.first, &range.second))) return S_FALSE;
    return OnRangeChanged(axis, 0, range);
  });
}

HRESULT STDMETHODCALLTYPE ChannelPane::OnAutoScale(int32_t axis) noexcept {
  return ComTry([&]() -> HRESULT {
    mPane->OnAxisAutoScale(mLaneIndex, axis, mAxisWindow[Slot(axis)].Get());
    return S_OK;
  });
}

HRESULT ChannelPane::OnRangeChanged(int32_t axis, int32_t mode, const ValueRange& range) noexcept {
  const AxisUnit& unit = mUnit[Slot(axis)];
  ValueRange base = range;
  if (PrefixScales(unit.prefix) && unit.factor != 0.0) {
    base.first /= unit.factor;
    base.second /= unit.factor;
  }
  QOR::ComPtr<IUnknown> transform;
  if (IDrawerDataPane* const pane = mPane->DrawerPane()) pane->GetLaneAxis(mLaneIndex, axis, transform.Out());
  bool accepted = false;
  for (size_t i = 0; i < mDrawers.size(); ++i) {
    if (mDrawers[i]->SetValueRange(axis, mode, &base, transform.Get()) == S_OK) accepted = true;
  }
  if (accepted) InvalidateAll(true);
  mPane->OnLaneRangeChanged(mLaneIndex, axis);
  return S_OK;
}

// ---- placing and refreshing ----

void ChannelPane::Place(int32_t context, const RECT& paneClient, const RECT& lane, int32_t leftAxisWidth,
                        int32_t rightAxisWidth, int32_t margin) noexcept {
  ChildPaneBase::Place(context, paneClient, lane, leftAxisWidth, rightAxisWidth, margin);
  for (const auto& drawer : mDrawers) drawer->SetBounds(mContext, &mRect);
  const int32_t grow = (mAxisStyle & kAxisStyleOverlap) ? 2 : 0;
  const LONG top = mOrigin.y + mRect.top - grow;
  const LONG bottom = mOrigin.y + mRect.bottom + grow;
  if (mAxisObject[0] && !(mAxisFlags & kLaneAxis1NotPlaced)) {
    const RECT left{mOrigin.x - leftAxisWidth, top, mOrigin.x, bottom};
    mAxisObject[0]->SetArea(&left);
  }
  if (mAxisObject[1]) {
    const LONG x = mOrigin.x + (mRect.right - mRect.left) + 2 * margin;
    const RECT right{x, top, x + rightAxisWidth, bottom};
    mAxisObject[1]->SetArea(&right);
  }
}

void ChannelPane::RefreshDrawers(uint32_t mask) noexcept {
  for (int32_t axis = 1; axis <= 2; ++axis) {
    IDragScale* const object = mAxisObject[Slot(axis)].Get();
    if (!object) continue;
    ValueRange range{1.0, 0.0};
    if (FAILED(object->GetRange(&range.first, &range.second))) range = ValueRange{1.0, 0.0};
    OnRangeChanged(axis, 0, range);
  }
  ChildPaneBase::RefreshDrawers(mask);
}

// ---- the pane's drag-scale objects ----

HRESULT ChannelPane::AttachDragScale(IDragScale* scale) noexcept {
  if (!scale) return E_POINTER;
  int32_t entries = 0;
  if (FAILED(scale->GetEntryCount(&entries))) return E_FAIL;
  return entries > 3 ? kXQORUnsupportedForm : S_OK;
}

HRESULT ChannelPane::DetachDragScale(IDragScale* scale) noexcept {
  if (!scale) return E_POINTER;
  scale->SetMode(3);
  return S_OK;
}

HRESULT ChannelPane::GetLeftAxis(int32_t, IUnknown** axis) noexcept {
  if (!axis) return E_POINTER;
  *axis = mAxisObject[0].Get();
  if (*axis) (*axis)->AddRef();
  return S_OK;
}

HRESULT ChannelPane::GetRightAxis(int32_t, IUnknown** axis) noexcept {
  if (!axis) return E_POINTER;
  *axis = mAxisObject[1].Get();
  if (*axis) (*axis)->AddRef();
  return S_OK;
}

HRESULT ChannelPane::ClearOut(int32_t* word) noexcept {
  if (!word) return E_POINTER;
  *word = 0;
  return S_OK;
}

// ---- the axis objects ----

HRESULT ChannelPane::CreateAxes(HWND parent, int32_t extra) noexcept {
  mAxisParent = parent;
  mAxisParentExtra = extra;
  const bool printing = mPane->IsPrintMode();
  uint32_t style = mAxisStyle;
  if (printing) style = (style & ~0x10u) | 0x8u;
  const int32_t offset = (style & kAxisStyleOverlap) ? -2 : 0;
  IDragScaleFactory* const factory = MGraph1::GetScaleFactory();
  HRESULT result = S_OK;
  for (int32_t axis = 1; axis <= 2; ++axis) {
    if (!(mAxisFlags & (axis == 1 ? kLaneHasAxis1 : kLaneHasAxis2))) continue;
    const size_t slot = Slot(axis);
    const uint32_t axisStyle = axis == 1 ? (style & ~0x2u) : (style | 0x2u);
    QOR::ComPtr<IDragScale> object;
    HRESULT made = E_FAIL;
    if (printing) {
      made = MGraph1::CreateScale(object.Out(), 0, axis, kScaleCreateY);
      if (object) object->SetStyle(axisStyle);
      mAxisWindow[slot] = nullptr;
    } else if (factory) {
      made = factory->CreateAxisWindow(parent, offset, offset, axisStyle, axis, object.Out());
      mAxisWindow[slot] = object;
    }
    mAxisObject[slot] = object;
    mRangeInterface[slot] = nullptr;
    if (object) object.As(IID_IScaleTicks, mRangeInterface[slot]);
    if (FAILED(made) && SUCCEEDED(result)) result = made;
  }
  return result;
}

HRESULT ChannelPane::ConnectAxes() noexcept {
  for (const auto& window : mAxisWindow) {
    if (window) window->Advise(this);
  }
  return S_OK;
}

HRESULT ChannelPane::DisconnectAxes() noexcept {
  for (const auto& window : mAxisWindow) {
    if (window) window->Unadvise(this);
  }
  return S_OK;
}

void ChannelPane::BringAxesToTop() noexcept {
  for (const auto& scale : mAxisWindow) {
    QOR::ComPtr<IOleWindow> ole;
    HWND window = nullptr;
    if (!scale || FAILED(scale.As(IID_IOleWindow, ole)) || !ole || FAILED(ole->GetWindow(&window))) continue;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HRESULT ChannelPane::ResetAxisScale(int32_t axis) noexcept {
  IDragScale* const window = mAxisWindow[Slot(axis)].Get();
  return window ? window->ResetScale() : S_FALSE;
}

// ---- ranges and prefixes ----

HRESULT ChannelPane::SetAxisRange(int32_t axis, double low, double high) noexcept {
  if (low == high) return E_FAIL;
  const size_t slot = Slot(axis);
  const AxisUnit& unit = mUnit[slot];
  if (PrefixScales(unit.prefix)) {
    low *= unit.factor;
    high *= unit.factor;
  }
  IDragScale* const object = mAxisObject[slot].Get();
  if (!object) return E_FAIL;
  const HRESULT accepted = object->SetVisibleRange(low, high);
  mPendingRange &= ~(1u << slot);
  return accepted == S_OK ? S_OK : E_FAIL;
}

bool ChannelPane::SetAxisRangeEx(int32_t axis, double low, double high, bool force, bool toWindow) noexcept {
  if (low == high) return false;
  const size_t slot = Slot(axis);
  const AxisUnit& unit = mUnit[slot];
  if (PrefixScales(unit.prefix)) {
    low *= unit.factor;
    high *= unit.factor;
  }
  bool done = false;
  if (toWindow && mAxisWindow[slot]) done = mAxisWindow[slot]->SetVisibleRange(low, high) == S_OK || done;
  if ((force || (mPendingRange & (1u << slot))) && mAxisObject[slot]) {
    done = mAxisObject[slot]->SetVisibleRange(low, high) == S_OK || done;
    mPendingRange &= ~(1u << slot);
  }
  return done;
}

HRESULT ChannelPane::SetAxisUnitPrefix(int32_t axis, int32_t prefix) noexcept {
  if (axis != 1 && axis != 2) return E_FAIL;
  const size_t slot = Slot(axis);
  mUnit[slot] = AxisUnitForPrefix(prefix);
  IDragScale* const object = mAxisObject[slot].Get();
  if (!object) return E_FAIL;
  BSTR text = nullptr;
  DragScaleMapping current{1.0, 0.0};
  object->GetScaledUnits(&text, &current);
  const DragScaleMapping scaled{mUnit[slot].factor, 0.0};
  const HRESULT answer = object->SetScaledUnits(text, &scaled);
  SysFreeString(text);
  mPane->Invalidate(mRect);
  return answer;
}

HRESULT ChannelPane::GetAxisRange(int32_t axis, double* low, double* high) noexcept {
  if (!low || !high) return E_POINTER;
  IDragScale* const object = mAxisObject[Slot(axis)].Get();
  if (!object) return E_FAIL;
  const HRESULT read = object->GetRange(low, high);
  if (FAILED(read)) return read;
  const AxisUnit unit = AxisUnitForPrefix(mUnit[Slot(axis)].prefix);
  *low /= unit.factor;
  *high /= unit.factor;
  return S_OK;
}

// ---- units ----

bool ChannelPane::ReadUnits(int32_t sourceId, int32_t displayMode, int32_t record, QOR::String* units,
                            double* scale, ChannelPair* channel, ValueRange* range, double* factor) noexcept {
  *scale = 1.0;
  *range = ValueRange{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  bool held = false;
  bool valid = false;
  const bool textOnly = mDisplayMode == 0 && (mPane->PaneStyle() & 0x80000000u);
  try {
    *units = QOR::String();
    for (size_t i = 0; i < mDrawers.size(); ++i) {
      IScrivoRecordDrawer* const drawer = mDrawers[i].Get();
      drawer->SetDisplayMode(displayMode);
      QOR::IQORString* raw = nullptr;
      VARIANT_BOOL drawerValid = VARIANT_FALSE;
      double drawerScale = 1.0;
      double drawerRange[2] = {range->first, range->second};
      double drawerFactor = 1.0;
      const HRESULT answer =
          textOnly ? drawer->GetUnitsText(sourceId, record, &raw, &drawerValid)
                   : drawer->GetUnitsInfo(sourceId, record, &raw, &drawerValid, &drawerScale, drawerRange,
                                          &drawerFactor);
      const QOR::String text = QOR::String::Adopt(raw);
      if (answer != S_OK) continue;
      if (drawerValid) valid = true;
      if (held) continue;
      held = true;
      *units = text;
      *scale = drawerScale;
      *range = ValueRange{drawerRange[0], drawerRange[1]};
      if (factor) *factor = drawerFactor;
      drawer->GetChannelPair(channel);
    }
  } catch (...) {
    return false;  // no memory for a text: nothing is known
  }
  return valid;
}

void ChannelPane::UpdateAxis(int32_t axis, int32_t first, int32_t last) noexcept {
  const size_t slot = Slot(axis);
  QOR::String units;
  double scale = 1.0;
  ValueRange range{0.0, 0.0};
  double factor = 1.0;
  bool data = false;
  int32_t stoppedAt = first;
  for (int32_t record = first; record <= last; ++record) {
    stoppedAt = record;
    if (ReadUnits(axis, mDisplayMode, record, &units, &scale, &mAxisChannel[slot], &range, &factor)) {
      data = true;
      break;
    }
    if (record == INT32_MAX) break;
  }
  (axis == 1 ? mLeftAxisData : mRightAxisData) = data;
  const AxisUnit& unit = mUnit[slot];
  // Emptied by taking the shared empty text, which allocates nothing (Clear would copy it first).
  try {
    if (IsNoUnits(units)) {
      units = QOR::String();
    } else if (data && unit.prefix != 0 && unit.letter != 0) {
      QOR::String prefixed;
      prefixed = unit.letter;
      prefixed += units;
      units = prefixed;
    }
  } catch (...) {
    units = QOR::String();
  }
  IDragScale* const object = mAxisObject[slot].Get();
  if (!object || !(mUnitsFlags & 0x80000000u)) return;
  if (data) {
    const DragScaleMapping gathered{scale, 0.0};
    object->SetScaledUnits(units.GetText(), &gathered);
  } else {
    object->SetUnits(0, units.GetText());
  }
  if (mRangeInterface[slot]) mRangeInterface[slot]->SetDataRange(range.first, range.second);
  IDragScale* const window = mAxisWindow[slot].Get();
  if (!window) return;
  if (axis != 1 || !(mAxisFlags & kLaneAxis1KeepsEnable)) window->Enable(data ? VARIANT_TRUE : VARIANT_FALSE);
  const bool hidden = (mPane->PaneStyle() & 0x08000000u) && stoppedAt == kRecordNoValues;
  window->ShowValues(data && !hidden ? VARIANT_TRUE : VARIANT_FALSE);
}

void ChannelPane::UpdateAxes(int32_t first, int32_t last) noexcept {
  mLeftAxisData = false;
  mRightAxisData = false;
  UpdateAxis(1, first, last);
  UpdateAxis(2, first, last);
  mPane->NotifyAxisData(mLaneIndex, 1, mLeftAxisData, mRightAxisData);
  mPane->NotifyAxisData(mLaneIndex, 2, mLeftAxisData, mRightAxisData);
}

void ChannelPane::ResetDrawerSources(int32_t mode, IUnknown* source) noexcept {
  if (mode >= 0) {
    mDrawers.clear();
    RebuildLayerRanges();
    return;
  }
  for (const auto& drawer : mDrawers) drawer->AttachPane(mode, source);
}

}  // namespace ScrivoDraw
