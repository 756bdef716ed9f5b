// The preview windows and their trace drawers.
#include "drawing/PreviewDataWin.h"

#include "drawing/PreviewControlWin.h"
#include "drawing/TraceControlWin.h"
#include "hostclient/ComBoundary.h"

#include <memory>
#include <set>

namespace ScrivoDraw {

namespace {

constexpr int32_t kDerivedTrace = 2;
constexpr uint32_t kAllTraceButtons = 15;
constexpr LayerPair kEveryDrawer{kLayerPairAll, kLayerPairAllSecond};

}  // namespace

std::unique_ptr<PreviewControl> PreviewDataWin::CreatePreviewControl(uint32_t flags) {
  auto bar = std::make_unique<PreviewControlWin>(GetParentO(), *this, flags);
  CreateBesideWindow(*bar);
  return bar;
}

PreviewDataWinWButtons::PreviewDataWinWButtons(OWL::TWindow* parent, IPaneDataSource* recorded)
    : PreviewDataWin(parent, recorded) {
  SetModeFlags(kAllTraceButtons);
  SetAllowCallback([this](bool show) {
    SetShowAllTraces(show);
    return true;
  });
}

PreviewDataWinWButtons::~PreviewDataWinWButtons() {
  SetAllowCallback(nullptr);
  if (GetHandle()) Destroy();
}

std::unique_ptr<PreviewControl> PreviewDataWinWButtons::CreateTraceControl(uint32_t mask) {
  auto bar = std::make_unique<TraceControlWin>(GetParentO(), *this, mask);
  CreateBesideWindow(*bar);
  return bar;
}

bool PreviewDataWinWButtons::AnyDerived() const noexcept {
  for (uint32_t i = 0; i < mTraceItems.Count(); ++i)
    if (mTraceItems.At(i)->mDerived) return true;
  return false;
}

HRESULT PreviewDataWinWButtons::AddTraceDrawer(IScrivoRecordDrawer* drawer) noexcept {
  if (!drawer) return E_POINTER;
  return ComTry([&] {
    int32_t kind = 0;
    drawer->GetSourceId(&kind);  // a drawer that cannot say is a source trace
    auto owned = std::make_unique<TraceDrawerItem>();
    TraceDrawerItem* const item = owned.get();
    item->drawer = QOR::ComPtr<IScrivoRecordDrawer>(drawer);
    item->mDerived = kind == kDerivedTrace;
    mTraceItems.Add(item);
    owned.release();  // the list owns the item now
    HRESULT const added = item->mDerived && !mShowAllTraces ? S_OK : AddLaneDrawer(item->lane, 0, drawer);
    if (AnyDerived() && TraceBar()) TraceBar()->EnableButtons(kAllTraceButtons);
    // The right axis belongs to the derived traces: it shows values only with one.
    QOR::ComPtr<IDragScale> vertical;
    if (SUCCEEDED(GetFirstLaneAxis(2, vertical.Out())) && vertical)
      vertical->ShowValues(AnyDerived() ? VARIANT_TRUE : VARIANT_FALSE);
    return added;
  });
}

HRESULT PreviewDataWinWButtons::ClearTraceDrawers() noexcept {
  HRESULT const removed = RemoveLaneDrawers(0, 0, kEveryDrawer);
  mTraceItems.RemoveRange(0, mTraceItems.Count());
  if (TraceBar()) TraceBar()->EnableButtons(0);
  return removed;
}

void PreviewDataWinWButtons::SetShowAllTraces(bool show) noexcept {
  mShowAllTraces = show;
  RelayoutTraceDrawers();
}

void PreviewDataWinWButtons::RelayoutTraceDrawers() noexcept {
  std::set<int32_t> lanes;
  try {
    for (uint32_t i = 0; i < mTraceItems.Count(); ++i) lanes.insert(mTraceItems.At(i)->lane);
  } catch (...) {
    return;
  }
  for (int32_t const lane : lanes) RemoveLaneDrawers(lane, 0, kEveryDrawer);
  for (uint32_t i = 0; i < mTraceItems.Count(); ++i) {
    TraceDrawerItem& item = *mTraceItems.At(i);
    if (mShowAllTraces || !item.mDerived) AddLaneDrawer(item.lane, 0, item.drawer.Get());
  }
}

}  // namespace ScrivoDraw
