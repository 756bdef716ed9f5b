// The two-dimensional drawer's displayed ranges, their announcement, minimum spans and axis drags.
#include "graph/Graph2DDrawer.h"

#include "graph/GraphDrawer.h"
#include "graph/Plotter.h"
#include "graph/QueenController.h"

namespace MGraph1 {

void Graph2DDrawer::SetDomain(double minimum, double maximum) {
  if (mXDragCount > 0) return;  // dropped, not queued
  if (mXScale) {
    mXScale->SetVisibleRange(minimum, maximum);
    if (mXDrives) return;  // the scale reports the range back through its drag-scale object
  }
  ApplyDomain(minimum, maximum);
}

void Graph2DDrawer::SetRange(double minimum, double maximum) {
  if (mYDragCount > 0) return;
  if (mYScale) {
    mYScale->SetVisibleRange(minimum, maximum);
    if (mYDrives) return;
  }
  ApplyRange(minimum, maximum);
}

// Hands the new bounds to every drawable and the queens, marks the plotters dirty and announces it.
void Graph2DDrawer::SpreadRange(void (GraphDrawer::*setBounds)(double, double), double minimum, double maximum,
                                MessSys::Message& announcement) {
  for (const Entry& entry : mPlots) (entry.drawable->*setBounds)(minimum, maximum);
  for (const Entry& entry : mOverlays) (entry.drawable->*setBounds)(minimum, maximum);
  (mQueens.get()->*setBounds)(minimum, maximum);
  for (const Entry& entry : mPlots)
    if (auto* const plotter = dynamic_cast<Plotter*>(entry.drawable)) plotter->MarkDirty();
  InvalidateWindow();
  mChangeSender.Send(&announcement);
}

void Graph2DDrawer::ApplyDomain(double minimum, double maximum) {
  mDomain = {minimum, maximum};
  OnDomainChanged();
  MsgGraph2DDrawerOnDomainChanged message(SenderId());
  SpreadRange(&GraphDrawer::SetXBounds, minimum, maximum, message);
}

void Graph2DDrawer::ApplyRange(double minimum, double maximum) {
  mRange = {minimum, maximum};
  OnRangeChanged();
  MsgGraph2DDrawerOnRangeChanged message(SenderId());
  SpreadRange(&GraphDrawer::SetYBounds, minimum, maximum, message);
}

void Graph2DDrawer::GetDomain(double& minimum, double& maximum) const {
  minimum = mDomain.minimum;
  maximum = mDomain.maximum;
}

void Graph2DDrawer::GetRange(double& minimum, double& maximum) const {
  minimum = mRange.minimum;
  maximum = mRange.maximum;
}

void Graph2DDrawer::GetXHomeRange(double& minimum, double& maximum) const {
  minimum = mXHome.minimum;
  maximum = mXHome.maximum;
}

void Graph2DDrawer::GetYHomeRange(double& minimum, double& maximum) const {
  minimum = mYHome.minimum;
  maximum = mYHome.maximum;
}

void Graph2DDrawer::GetXLimits(double& minimum, double& maximum) const {
  minimum = mXLimits.minimum;
  maximum = mXLimits.maximum;
}

void Graph2DDrawer::GetYLimits(double& minimum, double& maximum) const {
  minimum = mYLimits.minimum;
  maximum = mYLimits.maximum;
}

void Graph2DDrawer::SetXMinSpan(double span) {
  mXMinSpan = span;
  if (IsInitialised()) {
    mXFixedSpan = {span, 0.0};
    mXFixedSpanOn = true;
    if (mXScale) mXScale->SetFixedSpan(span, 0.0);
  }
  if (mXLimits.maximum - mXLimits.minimum < span) SetXLimits(mXLimits.minimum, mXLimits.minimum + span);
  if (mDomain.maximum - mDomain.minimum < span) SetDomain(mDomain.minimum, mDomain.minimum + span);
}

void Graph2DDrawer::SetYMinSpan(double span) {
  mYMinSpan = span;
  if (IsInitialised()) {
    mYFixedSpan = {span, 0.0};
    mYFixedSpanOn = true;
    if (mYScale) mYScale->SetFixedSpan(span, 0.0);
  }
  if (mYLimits.maximum - mYLimits.minimum < span) SetYLimits(mYLimits.minimum, mYLimits.minimum + span);
  if (mRange.maximum - mRange.minimum < span) SetRange(mRange.minimum, mRange.minimum + span);
}

// The scale that follows a drag of scale, or null.
static QOR::ComPtr<IDragScale> DragScaleOf(const QOR::ComPtr<IDragScale>& scale) {
  QOR::ComPtr<IDragScale> asDragScale;
  QOR::ComPtr<IDragScale> follower;
  if (scale && SUCCEEDED(scale.As(IID_IDragScale, asDragScale)) && asDragScale)
    asDragScale->GetDragScale(follower.Out());
  return follower;
}

DragGuard Graph2DDrawer::BeginXDrag() {
  mXDragScale = nullptr;
  mXDragScale = DragScaleOf(mXScale);
  ++mXDragCount;
  return DragGuard(&mXDragCount);
}

DragGuard Graph2DDrawer::BeginYDrag() {
  mYDragScale = nullptr;
  mYDragScale = DragScaleOf(mYScale);
  ++mYDragCount;
  return DragGuard(&mYDragCount);
}

}  // namespace MGraph1
