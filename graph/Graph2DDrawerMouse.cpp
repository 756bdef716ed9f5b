// The two-dimensional drawer's mouse and keyboard handling: queen tracking, hover and hints, clicks, the typed key sequence.
#include "graph/Graph2DDrawer.h"

#include "graph/Annotation.h"
#include "graph/GraphDrawer.h"
#include "graph/GraphStringIds.h"
#include "graph/QueenController.h"

#include "platform/owl/TClientDC.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TWindow.h"

#include <algorithm>
#include <string>

namespace MGraph1 {

namespace {

// The typed sequence that shows the debugging message (always the last 7 characters typed).
constexpr char kDebugKeys[] = "mgdebug";
constexpr size_t kDebugKeyCount = sizeof(kDebugKeys) - 1;

}  // namespace

void Graph2DDrawer::ClampToPlot(POINT& point) const {
  OWL::TRect plot;
  GetPlotRect(plot, GetDrawerRect());
  point.x = std::max<LONG>(plot.left, std::min<LONG>(point.x, plot.right - 1));
  point.y = std::max<LONG>(plot.top, std::min<LONG>(point.y, plot.bottom - 1));
}

void Graph2DDrawer::ButtonDown(const POINT& point) {
  mPress = point;
  mButtonPressed = true;
  if (!mLayers.queens || !mXMapping || !mYMapping) return;
  OWL::TRect plot;
  GetPlotRect(plot, GetDrawerRect());
  if (!plot.Contains(OWL::TPoint(point.x, point.y))) return;
  if (!mQueens->TrackBegin(point.x, point.y, plot)) return;
  if (OWL::TWindow* const owner = GetOwnerWindow()) owner->SetCapture();
  InvalidateWindow();
}

void Graph2DDrawer::MouseMove(const POINT& point) {
  if (mXMapping && mYMapping && mQueens->IsTracking()) {
    POINT clamped = point;
    ClampToPlot(clamped);
    OWL::TRect plot;
    GetPlotRect(plot, GetDrawerRect());
    if (mLayers.queens && mQueens->TrackMove(clamped.x, clamped.y, plot)) InvalidateWindow();
    return;
  }
  OnMouseMove(point.x, point.y);
}

void Graph2DDrawer::ButtonUp(uint32_t keyFlags, const POINT& point) {
  int32_t const dx = point.x - mPress.x;
  int32_t const dy = point.y - mPress.y;
  bool const click = mButtonPressed && dx * dx + dy * dy < mClickThreshold;
  mButtonPressed = false;
  if (mLayers.queens && mXMapping && mYMapping && mQueens->IsTracking()) {
    ReleaseCapture();
    POINT clamped = point;
    ClampToPlot(clamped);
    OWL::TRect plot;
    GetPlotRect(plot, GetDrawerRect());
    mQueens->TrackEnd(clamped.x, clamped.y, plot);
    InvalidateOwner();
  }
  if (click) OnClick(keyFlags, mPress, point);
}

bool Graph2DDrawer::OnMouseMove(int32_t x, int32_t y) {
  OWL::TRect plot;
  OWL::TRect whole;
  GetPlotRect(plot, GetDrawerRect());
  GetWholeRect(whole, GetDrawerRect());
  bool found = false;
  bool allInverting = true;
  for (const Entry& entry : mOverlays) {
    auto* const annotation = dynamic_cast<Annotation*>(entry.drawable);
    if (annotation && annotation->SetFromPixel(x, y, plot)) found = true;
    if (!annotation || !annotation->IsInverting()) allInverting = false;
  }
  if (found) {
    OWL::TWindow* const owner = GetOwnerWindow();
    if (!allInverting) {
      InvalidateWindow();
    } else if (owner && owner->GetHandle() && mLayers.overlays) {
      OWL::TClientDC dc(owner->GetHandle());
      DrawOverlays(dc, dc, plot, whole);
    }
  }
  HintList hints;
  CollectHints(x, y, hints);
  MouseTrackHintMsg message(SenderId(), &hints);
  mMouseSender.Send(&message);
  return found;
}

void Graph2DDrawer::OnMouseLeave() {
  MouseLeaveMsg message(SenderId());
  mMouseSender.Send(&message);
}

void Graph2DDrawer::CollectHints(int32_t x, int32_t y, HintList& list) {
  if (!mMouseSender.HasReceivers()) return;
  HintRecord record;
  record.x = x;
  record.y = y;
  OWL::TRect plot;
  OWL::TRect whole;
  GetPlotRect(plot, GetDrawerRect());
  GetWholeRect(whole, GetDrawerRect());
  record.plotRect = plot;
  record.wholeRect = whole;
  for (const Entry& entry : mOverlays) {
    auto* const annotation = dynamic_cast<Annotation*>(entry.drawable);
    QOR::String text;
    if (!annotation || !annotation->GetText(text)) continue;
    list.push_back(record);
    list.back().text = text;
  }
}

void Graph2DDrawer::OnClick(uint32_t keyFlags, const POINT& press, const POINT& release) {
  OWL::TRect plot;
  GetPlotRect(plot, GetDrawerRect());
  for (auto entry = mOverlays.rbegin(); entry != mOverlays.rend(); ++entry) {
    auto* const annotation = dynamic_cast<Annotation*>(entry->drawable);
    if (annotation && annotation->HandleClick(plot, keyFlags, press, release)) return;
  }
}

void Graph2DDrawer::OnChar(wchar_t character, uint32_t, uint32_t) {
  static const std::wstring text = OWL::TModule::Default().LoadString(IDS_GRAPH_SECRET_TEXT);
  static const std::wstring caption = OWL::TModule::Default().LoadString(IDS_GRAPH_SECRET_CAPTION);
  mTypedKeys += static_cast<char>(character);
  if (mTypedKeys.size() > kDebugKeyCount) mTypedKeys.erase(0, mTypedKeys.size() - kDebugKeyCount);
  if (mTypedKeys != kDebugKeys) return;
  OWL::TWindow* const owner = GetOwnerWindow();
  OWL::TModalSeam::Current().MessageBox(owner ? owner->GetHandle() : nullptr, text.c_str(), caption.c_str(),
                                        MB_ICONEXCLAMATION);
}

}  // namespace MGraph1
