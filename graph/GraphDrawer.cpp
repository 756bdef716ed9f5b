// The drawable base: bounds, mapping pointers, the default drawing and the drawing chain.
#include "graph/GraphDrawer.h"

#include "graph/GraphStringIds.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TModule.h"

#include <string>

namespace MGraph1 {

void GraphDrawer::Slot::Replace(MappingRecord* newRecord, bool newOwned) noexcept {
  if (owned && record != newRecord) delete record;
  record = newRecord;
  owned = newOwned;
}

GraphDrawer::Slot::~Slot() {
  if (owned) delete record;
}

GraphDrawer::~GraphDrawer() = default;

void GraphDrawer::SetXBounds(double minimum, double maximum) {
  mXMin = minimum;
  mXMax = maximum;
  OnXBoundsChanged();
}

void GraphDrawer::SetMiddleBounds(double minimum, double maximum) {
  mMiddleMin = minimum;
  mMiddleMax = maximum;
  OnMiddleBoundsChanged();
}

void GraphDrawer::SetYBounds(double minimum, double maximum) {
  mYMin = minimum;
  mYMax = maximum;
  OnYBoundsChanged();
}

void GraphDrawer::UseXMapping(MappingRecord* record, bool owned) noexcept {
  mXMapping.Replace(record, owned);
  OnXMappingSet();
}

void GraphDrawer::UseYMapping(MappingRecord* record, bool owned) noexcept {
  mYMapping.Replace(record, owned);
  OnYMappingSet();
}

void GraphDrawer::UseXUnits(MappingRecord* record, bool owned) noexcept {
  mXUnits.Replace(record, owned);
  OnXUnitsSet();
}

void GraphDrawer::UseYUnits(MappingRecord* record, bool owned) noexcept {
  mYUnits.Replace(record, owned);
  OnYUnitsSet();
}

void GraphDrawer::SetPixelSize(int32_t width, int32_t height) {
  mPixelWidth = width;
  mPixelHeight = height;
  OnSizeChanged();
}

void GraphDrawer::CopyDrawerSettings(const GraphDrawer& other) noexcept {
  mXMin = other.mXMin;
  mXMax = other.mXMax;
  mMiddleMin = other.mMiddleMin;
  mMiddleMax = other.mMiddleMax;
  mYMin = other.mYMin;
  mYMax = other.mYMax;
  // Shared, never owned twice: two owners would delete one record twice.
  mXMapping.Replace(other.mXMapping.record, false);
  mMiddleMapping.Replace(other.mMiddleMapping.record, false);
  mYMapping.Replace(other.mYMapping.record, false);
  mXUnits.Replace(other.mXUnits.record, false);
  mMiddleUnits.Replace(other.mMiddleUnits.record, false);
  mYUnits.Replace(other.mYUnits.record, false);
  mPixelWidth = other.mPixelWidth;
  mPixelHeight = other.mPixelHeight;
  mVisible = other.mVisible;
}

void GraphDrawer::GetXBounds(double& minimum, double& maximum) const noexcept {
  minimum = mXMin;
  maximum = mXMax;
}

void GraphDrawer::GetYBounds(double& minimum, double& maximum) const noexcept {
  minimum = mYMin;
  maximum = mYMax;
}

void GraphDrawer::OnDraw(OWL::TDC& dc, OWL::TDC&, OWL::TRect& plotRect, OWL::TRect&) {
  static const std::wstring text = OWL::TModule::Default().LoadString(IDS_GRAPH_NO_ONDRAW);
  UINT const oldAlign = dc.SetTextAlign(TA_CENTER);
  dc.TextOut((plotRect.left + plotRect.right) / 2, (plotRect.top + plotRect.bottom) / 2, text.c_str());
  dc.SetTextAlign(oldAlign);
}

void GraphDrawer::OnDrawEnd(OWL::TDC&, OWL::TDC&, const OWL::TRect&, const OWL::TRect&) {}

void DrawChain(GraphDrawer& drawable, OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
               const OWL::TRect& wholeRect) {
  OWL::TRect plotCopy = plotRect;
  OWL::TRect clipCopy = plotRect;
  drawable.OnDraw(dc, referenceDc, plotCopy, clipCopy);
  if (GraphDrawer* const next = drawable.GetNext()) DrawChain(*next, dc, referenceDc, plotRect, wholeRect);
  drawable.OnDrawEnd(dc, referenceDc, plotRect, clipCopy);
}

}  // namespace MGraph1
